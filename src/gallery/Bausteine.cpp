// The gallery's entry point: the same process-wide start-up as the backup program, then the window.
#include "framework/ProgrammStart.h"
#include "gallery/gl_Main.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    ProgrammStarten();
    Application()->CreateForm<Tgl_Main>();
    Application()->Run();
    return 0;
}
