#include "app/dock_program_win32.h"

#include <memory>
#include <utility>

#include "app/dock_window_win32.h"
#include "support/lead_bytes_win32.h"

namespace dock {

DockProgram::DockProgram(HINSTANCE instance, std::string programDirectory, ShellPort* shell)
    : window_(session_.dockWindow, &onAnimationTick),
      shell_(session_.dockWindow),
      foreground_(session_.dockWindow),
      dock_{Platform{files_, profile_, messages_, pictures_, canvas_, hotkeys_, icons_, window_,
                     shell != nullptr ? *shell : static_cast<ShellPort&>(shell_), foreground_},
            std::move(programDirectory),
            SystemLeadBytes(),
            {},
            {}} {
    dock_.state.pictures.backgroundImage = std::make_unique<DockImage>();
    dock_.state.pictures.trayImage = std::make_unique<DockImage>();
    session_.instanceHandle = instance;
}

DockProgram::RecordRelease::~RecordRelease() {
    dock.state.items = DockItemList{};
    dock.settings.trayImagePath.clear();
    dock.state.pictures.backgroundImage.reset();
    dock.state.pictures.trayImage.reset();
}

void DockProgram::AttachWindow(HWND window) {
    canvas_.AttachWindow(window);
    hotkeys_ = Win32Hotkeys(window);
}

}  // namespace dock
