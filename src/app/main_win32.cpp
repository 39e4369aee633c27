// dock.exe: one modal dialog for the whole life of the process.
#include <windows.h>

#include <string>

#include "app/dock_window_win32.h"
#include "features/dpi/dpi_awareness_win32.h"
#include "features/dpi/dpi_change.h"
#include "support/fatal.h"
#include "config/profile_win32.h"
#include "support/program_directory_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    dock::InstallWin32FatalReporter();
    const std::string directory = dock::ProgramDirectory();
    // config.ini's relative paths (the template's 选中托盘 among them) and a
    // relative target mean the program's folder, which is the current one when
    // the dock is opened there. At log-on the Run key starts it in the system
    // folder instead. The trailing backslash makes "C:" the root, not the
    // drive's current folder.
    if (!directory.empty()) ::SetCurrentDirectoryA((directory + "\\").c_str());
    // Before anything makes a window, GDI+'s hidden one included.
    dock::Win32ProfileStore profile;
    if (dock::dpiAwarenessWanted(profile, directory)) dock::declareDpiAwareness();
    // Built before the dialog, torn down in their fixed order when it ends.
    dock::DockProgram program(::GetModuleHandleA(nullptr), directory);
    dock::runDock(program);
    return 0;
}
