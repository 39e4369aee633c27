#pragma once
// The dock as the core operations see it: its records, its directory and the
// system behind the ports.
#include <string>

#include "config/dock_model.h"
#include "ports/window_port.h"
#include "ports/shell_port.h"
#include "ports/hotkey_port.h"
#include "ports/icon_source.h"
#include "ports/drawing_surface.h"
#include "ports/foreground_port.h"
#include "ports/picture.h"
#include "ports/file_system.h"
#include "ports/message_port.h"
#include "ports/profile_store.h"
#include "support/text.h"

namespace dock {

struct Platform {
    FileSystem& files;
    ProfileStore& profile;
    MessagePort& messages;
    PictureFactory& pictures;
    DrawingSurface& canvas;
    HotkeyPort& hotkeys;
    IconSource& icons;
    DockWindowPort& window;
    ShellPort& shell;
    ForegroundPort& foreground;
};

struct Dock {
    Platform platform;
    std::string programDirectory;  // the executable's directory, no trailing backslash
    LeadBytes leadBytes;           // of the system's ANSI code page, which paths are in
    DockSettings settings;
    DockState state;
};

// What drawing a frame is given: the surface, the animation timer the model
// slows, the key names of the badges and captions, the settings and the
// state a frame is drawn from. Never the shell, the profile or the hotkeys'
// registration.
struct FrameContext {
    DrawingSurface& canvas;
    DockWindowPort& window;
    KeyNames& keyNames;
    const DockSettings& settings;
    const LeadBytes& leadBytes;
    DockState& state;
};

inline FrameContext frameOf(Dock& dock) {
    return {dock.platform.canvas, dock.platform.window, dock.platform.hotkeys,
            dock.settings,        dock.leadBytes,       dock.state};
}

}  // namespace dock
