#pragma once
// The running dock: one DockProgram owns the adapters, the record the core
// works on and the state of the dock window.
#include <windows.h>

#include <cstdint>
#include <string>

#include "app/feature_table.h"
#include "config/dock.h"
#include "app/deferred_close.h"
#include "app/foreground_win32.h"
#include "app/shell_win32.h"
#include "app/window_port_win32.h"
#include "items/hotkeys_win32.h"
#include "items/icon_source_win32.h"
#include "items/item_settings_dialog_win32.h"
#include "render/canvas_win32.h"
#include "render/dock_image_win32.h"
#include "config/files_win32.h"
#include "support/handles_win32.h"
#include "app/messages_win32.h"
#include "config/profile_win32.h"

namespace dock {

// What the dock window, its timer and its commands share beside the record:
// the handles of this run and the state of the dialog's life.
struct DockSession {
    DockSession(Dock& dock, FeatureStates& features) : dock(dock), features(features) {}

    Dock& dock;
    FeatureStates& features;
    HINSTANCE instanceHandle = nullptr;
    UniqueMenu menuHandle;  // the loaded context menu resource
    HWND dockWindow = nullptr;
    bool ended = false;  // shutdownDock has run: a second close does nothing
    // The user's SPI_GETDRAGFULLWINDOWS, turned on while the dock is active
    // and given back when it is not or when it ends.
    std::int32_t savedDragFullWindows = 0;
    DeferredClose closes;          // a close that arrives while the context menu's command runs
    IconBrowseRequest iconBrowse;  // kept for the run: a browse preselects the last filter
};

// Every program-wide object, built in the fixed start-up order and torn down
// in the fixed exit order once the dialog has ended.
class DockProgram {
  public:
    // `shell` replaces the real shell (tests that control the clock); null
    // for the real one.
    DockProgram(HINSTANCE instance, std::string programDirectory, ShellPort* shell = nullptr);
    DockProgram(const DockProgram&) = delete;
    DockProgram& operator=(const DockProgram&) = delete;

    Dock& GetDock() { return dock_; }
    FeatureStates& Features() { return features_; }
    DockSession& Session() { return session_; }
    DockCanvas& Canvas() { return canvas_; }
    // The dialog exists: the adapters that draw on it or register on it learn it.
    void AttachWindow(HWND window);

  private:
    // The items, the tray path and the two pictures, the first of the classic
    // exit order.
    struct RecordRelease {
        Dock& dock;
        ~RecordRelease();
    };
    // The item pictures, the last of it.
    struct ItemPicturesRelease {
        PictureCache& pictures;
        ~ItemPicturesRelease() { pictures.imagePool.clear(); }
    };

    // Destroyed from the last member to the first, which is the classic exit
    // order: record_, then the surface, then itemPictures_; the rest of the
    // record and the adapters after them. The session comes first so that the
    // adapters made before the dialog can hold on to the window handle it
    // will get.
    DockSession session_{dock_, features_};
    Win32FileSystem files_;
    Win32ProfileStore profile_;
    Win32MessagePort messages_;
    DockImageFactory pictures_;
    Win32Hotkeys hotkeys_{nullptr};  // told the window by AttachWindow
    Win32IconSource icons_;
    Win32DockWindow window_;
    Win32Shell shell_;
    Win32Foreground foreground_;
    Dock dock_;
    ItemPicturesRelease itemPictures_{dock_.state.pictures};
    DockCanvas canvas_;
    RecordRelease record_{dock_};
    // Its hooks and watchers go before anything of the record does.
    FeatureStates features_;
};

}  // namespace dock
