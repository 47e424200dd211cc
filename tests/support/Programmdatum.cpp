#include "Programmdatum.h"

#include "sys/Startup.h"
#include "util/QEL_Str.h"
#include "util/kv7_date.h"

bool StartMitProgrammdatum(TDateTime datum) {
    KurzesDatumsformatZuruecksetzen(); // the switch is read in the user's own format
    ParameterSetzen({L"/Systemdatum=" + DatumZuText(datum)});
    ProgrammDatumFestlegen();
    ParameterZuruecksetzen();
    StartEinstellungen();
    return ProgramDate() == datum;
}
