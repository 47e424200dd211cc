#include "framework/ProgrammStart.h"
#include "framework/QelForm.h"
#include "framework/kv7_ColorButton.h"
#include "sys/Ordner.h"
#include "sys/Startup.h"
#include "toolkit/StdCtrls.h"
#include "util/kv7_date.h"

void ProgrammStarten() {
    RegisterReturnExemptClasses({ControlClass<TButton>()});
    ProgrammDatumFestlegen();
    RoamingFestlegen();
    StartEinstellungen();
    InitSharedCustomColors();

    Application()->Initialize();
    Application()->SetMainFormOnTaskBar(true);
}
