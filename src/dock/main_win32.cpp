// dock.exe: one modal dialog for the whole life of the process.
#include <windows.h>

#include "dock/dock_window_win32.h"
#include "support/fatal.h"
#include "support/program_directory_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    dock::InstallWin32FatalReporter();
    // Built before the dialog, torn down in their fixed order when it ends.
    dock::DockProgram program(::GetModuleHandleA(nullptr), dock::ProgramDirectory());
    dock::runDock(program);
    return 0;
}
