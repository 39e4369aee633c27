// dock.exe: one modal dialog for the whole life of the process.
#include <windows.h>

#include <string>

#include "dock/dock_window_win32.h"
#include "dock/dpi_awareness_win32.h"
#include "dock/dpi_change.h"
#include "support/fatal.h"
#include "support/profile_win32.h"
#include "support/program_directory_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    dock::InstallWin32FatalReporter();
    const std::string directory = dock::ProgramDirectory();
    // Before anything makes a window, GDI+'s hidden one included.
    dock::Win32ProfileStore profile;
    if (dock::dpiAwarenessWanted(profile, directory)) dock::declareDpiAwareness();
    // Built before the dialog, torn down in their fixed order when it ends.
    dock::DockProgram program(::GetModuleHandleA(nullptr), directory);
    dock::runDock(program);
    return 0;
}
