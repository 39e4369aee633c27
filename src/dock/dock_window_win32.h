#pragma once
// The dock dialog (resource 1000): its procedure, its timer callback, and the
// program-wide objects it runs on.
#include <windows.h>

#include <memory>
#include <string>

#include "dock/dock_session_win32.h"
#include "dock/foreground_win32.h"
#include "dock/window_port_win32.h"
#include "items/hotkeys_win32.h"
#include "items/icon_source_win32.h"
#include "render/canvas_win32.h"
#include "render/dock_image_win32.h"
#include "support/files_win32.h"
#include "support/messages_win32.h"
#include "support/profile_win32.h"

namespace dock {

// Every program-wide object, built in the fixed start-up order and torn down
// in the fixed exit order once the dialog has ended.
class DockProgram {
  public:
    // `shell` replaces the real shell (tests that control the clock); null
    // for the real one.
    DockProgram(HINSTANCE instance, std::string programDirectory, ShellPort* shell = nullptr);
    DockProgram(const DockProgram&) = delete;
    DockProgram& operator=(const DockProgram&) = delete;
    ~DockProgram();

    Dock& GetDock() { return *dock_; }
    DockSession& Session() { return session_; }
    DockCanvas& Canvas() { return *canvas_; }
    // The dialog exists: the adapters that draw on it or register on it learn it.
    void AttachWindow(HWND window);

  private:
    DockSession session_;
    Win32FileSystem files_;
    Win32ProfileStore profile_;
    Win32MessagePort messages_;
    DockImageFactory pictures_;
    std::unique_ptr<DockImage> backgroundImage_;
    std::unique_ptr<DockImage> trayImage_;
    std::unique_ptr<DockCanvas> canvas_;
    Win32Hotkeys hotkeys_{nullptr};  // told the window by AttachWindow
    Win32IconSource icons_;
    Win32DockWindow window_;
    Win32Shell shell_;
    Win32Foreground foreground_;
    std::unique_ptr<Dock> dock_;
};

// The procedure and the timer callback serve the program bound here; runDock
// binds it itself.
void bindDockProgram(DockProgram* program);
INT_PTR CALLBACK dockProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void CALLBACK onAnimationTick(HWND window, UINT message, UINT_PTR timerId, DWORD time);

// Loads the context menu and runs dialog 1000 until the dock is shut down.
INT_PTR runDock(DockProgram& program);

}  // namespace dock
