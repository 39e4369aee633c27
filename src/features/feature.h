#pragma once
// How a capability beyond the classic dock plugs into the program: a few
// named seams, filled in by one entry per capability in the program's table
// (app/feature_table.cpp). `States` is the record the program keeps every
// feature's state in; each seam reaches its own feature's part of it. A seam
// a feature does not have stays empty.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "config/dock.h"
#include "config/extended_settings.h"

namespace dock {

// A key of 扩展设置 by the field of DockSettings it is kept in.
using SettingField = std::int32_t DockSettings::*;

// What a tick step did: a frame is due even if nothing moved, or the timer
// is to keep its fast period.
struct TickStep {
    bool redraw = false;
    bool keepFast = false;
};

// The tick saves when due, runs the steps before the hover, finds the item
// under the pointer, runs the steps after it and draws the frame.
enum class TickPhase { beforeHover, afterHover };

// A window message without its Win32 types.
struct WindowMessage {
    std::uint32_t id = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

template <class States>
struct Feature {
    std::string_view name = {};  // its folder, src/features/<name>
    // Its keys of 扩展设置; their rows of kExtendedSettings give the check
    // entries of the 扩展功能(&X) submenu, which load, save and toggle
    // through that table.
    std::span<const SettingField> settings = {};
    // One of its check entries was chosen and its setting toggled: what
    // follows at once beyond the next frame.
    void (*switched)(Dock&, States&, const ExtendedSetting&) = nullptr;
    // After the first frame, and at shutdown before the timer stops.
    void (*start)(Dock&, States&) = nullptr;
    void (*stop)(Dock&, States&) = nullptr;
    TickPhase tickPhase = TickPhase::beforeHover;
    TickStep (*tick)(Dock&, States&) = nullptr;
    // The window messages it answers before the classic handling sees them.
    std::span<const std::uint32_t> messages = {};
    std::intptr_t (*onMessage)(Dock&, States&, const WindowMessage&) = nullptr;
};

}  // namespace dock
