// The gallery's entry point: the same process-wide start-up as the backup program, then the window.
#include "framework/QelForm.h"
#include "framework/kv7_ColorButton.h"
#include "gallery/gl_Main.h"
#include "sys/Ordner.h"
#include "sys/Startup.h"
#include "toolkit/StdCtrls.h"
#include "util/kv7_date.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    RegisterReturnExemptClasses({ControlClass<TButton>()});
    ProgrammDatumFestlegen();
    RoamingFestlegen();
    StartEinstellungen();
    InitSharedCustomColors();

    Application()->Initialize();
    Application()->SetMainFormOnTaskBar(true);
    Application()->CreateForm<Tgl_Main>();
    Application()->Run();
    return 0;
}
