#pragma once
// A dock on the real adapters inside the test process, worked by the driver
// of modal_driver.h.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "resource_ids.h"
#include "../modal_driver.h"
#include "app/dock_program_win32.h"
#include "app/foreground_win32.h"
#include "app/window_port_win32.h"
#include "fakes/fake_platform.h"
#include "items/hotkeys_win32.h"
#include "render/canvas_win32.h"
#include "render/builtin_pictures.h"
#include "render/dock_image_win32.h"
#include "config/files_win32.h"
#include "support/lead_bytes_win32.h"
#include "app/messages_win32.h"

namespace dock::wine {

inline std::string moduleDirectory() {
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path, length);
    return text.substr(0, text.rfind('\\'));
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

// A dock whose window is dialog 1000 from the real resources, with the real
// canvas, pictures, files, hotkeys, message boxes and window placement, the
// settings at their defaults and the built-in background loaded.
class RealDock {
  public:
    RealDock()
        : window_(::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DOCK),
                                       nullptr, hostProc, 0)),
          hotkeys_(window_),
          windowPort_(window_, countTick),
          dock_{Platform{files_, profile_, messages_, pictures_, canvas_, hotkeys_, icons_,
                         windowPort_, shell_, foreground_},
                moduleDirectory(),
                SystemLeadBytes(),
                {},
                {}} {
        canvas_.AttachWindow(window_);
        DockSettings& s = dock_.settings;
        s.floatDistance = 48;
        s.floatBothWays = 1;
        s.launchCooldownMs = 1000;
        s.alwaysOnTop = 1;
        DockState& state = dock_.state;
        state.pictures.backgroundImage = pictures_.NewPicture();
        state.pictures.backgroundImage->LoadFromMemory(embedded::BackgroundPicture);
        state.pictures.trayImage = pictures_.NewPicture();
        state.pictures.trayImage->LoadFromMemory(embedded::SelectedTrayPicture);
        state.metrics.backgroundWidth =
            static_cast<std::int32_t>(state.pictures.backgroundImage->Width());
        state.metrics.backgroundHeight =
            static_cast<std::int32_t>(state.pictures.backgroundImage->Height());
        state.metrics.floatDistance = 48;
        state.metrics.rowTop = rowTopFor(48);
        session_.instanceHandle = ::GetModuleHandleA(nullptr);
        session_.menuHandle.reset(
            ::LoadMenuA(session_.instanceHandle, MAKEINTRESOURCEA(IDM_CONTEXT)));
        session_.dockWindow = window_;
        ::SetWindowPos(window_, HWND_TOPMOST, 200, 150, 288, 340, SWP_SHOWWINDOW);
        canvas_.Create(288, 340, "", 0xFFFFFF, 0, 255, false);
    }
    RealDock(const RealDock&) = delete;
    RealDock& operator=(const RealDock&) = delete;
    ~RealDock() {
        for (int id = 1; id <= 64; ++id) ::UnregisterHotKey(window_, id);
        ::KillTimer(window_, reinterpret_cast<UINT_PTR>(window_));
        canvas_.Destroy();
        ::DestroyWindow(window_);
    }

    std::int32_t rowTopFor(std::int32_t distance) const {
        const LayoutMetrics& m = dock_.state.metrics;
        return ((m.backgroundHeight + distance + m.titleSize) * 2 - m.cellHeight) / 2;
    }

    // Appends an item with a picture decoded from `pictureBytes` and its
    // hotkey registered under its index, as adding it would.
    void AddItem(const DockItem& item, const std::string& pictureBytes = {}) {
        DockState& state = dock_.state;
        state.pictures.imagePool.push_back(pictures_.NewPicture());
        if (pictureBytes.empty()) {
            state.pictures.imagePool.back()->LoadFromMemory(embedded::DefaultItemPicture);
        } else {
            state.pictures.imagePool.back()->LoadFromMemory(std::span(
                reinterpret_cast<const std::uint8_t*>(pictureBytes.data()), pictureBytes.size()));
        }
        const int index = state.items.Count() + 1;
        state.items.Insert(index, item, static_cast<int>(state.pictures.imagePool.size()));
        if (item.hotkey != 0) {
            const std::uint32_t mods[8] = {
                0,       MOD_SHIFT,           MOD_CONTROL,           MOD_CONTROL | MOD_SHIFT,
                MOD_ALT, MOD_SHIFT | MOD_ALT, MOD_CONTROL | MOD_ALT, 0};
            const unsigned m = item.hotkey >> 8;
            ::RegisterHotKey(window_, index, m < 8 ? mods[m] : 0, item.hotkey & 0xFF);
        }
    }

    Dock& dock() { return dock_; }
    FeatureStates& features() { return features_; }
    DockSession& session() { return session_; }
    HWND window() const { return window_; }
    DockCanvas& canvas() { return canvas_; }
    RECT windowRect() const {
        RECT r{};
        ::GetWindowRect(window_, &r);
        return r;
    }
    static int ticks() { return tickCount_; }

  private:
    static INT_PTR CALLBACK hostProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
    static void CALLBACK countTick(HWND, UINT, UINT_PTR, DWORD) { ++tickCount_; }
    static inline std::atomic<int> tickCount_{0};

    HWND window_;
    Win32FileSystem files_;
    testing::FakeProfile profile_;
    Win32MessagePort messages_;
    DockImageFactory pictures_;
    DockCanvas canvas_;
    Win32Hotkeys hotkeys_;
    testing::FakeIconSource icons_;
    Win32DockWindow windowPort_;
    testing::FakeShell shell_;
    Win32Foreground foreground_{window_};
    Dock dock_;
    FeatureStates features_;
    DockSession session_{dock_, features_};
};

}  // namespace dock::wine
