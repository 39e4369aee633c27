#pragma once
// Which items' programs are running (运行指示) and switching to a running one
// instead of starting it again (激活已运行).
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "config/dock.h"
#include "render/running_indicator.h"

namespace dock {

// What the refresh keeps between ticks; the items found running are what it
// adds to the frames (FrameOverlay::runningTargets).
struct RunningItems {
    // targetPath -> the normalised path of the program it starts; a shortcut
    // is resolved once.
    std::map<std::string, std::string> programs;
    std::uint32_t refreshTick = 0;  // when the running targets were last refreshed
    bool refreshDue = true;         // at the next tick: after start-up, a launch, a toggle
};

// The form in which two paths of the same file compare equal: slashes become
// backslashes, the long-path prefix goes, empty and "." parts go, ".." takes
// the part before it away, the file name loses trailing dots and blanks, and
// A..Z are lowered. Empty for a path that is not a full one (a drive or a
// share), which could name a different file from every folder.
std::string normalisedProgramPath(std::string_view path, const LeadBytes& leadBytes);

// A window a user switches to, as the taskbar counts them: shown, not
// cloaked, not a tool window, and either unowned with a title bar (and not
// WS_EX_NOACTIVATE) or an app window, owned or not. The desktop and the
// taskbar are neither.
bool userSwitchesTo(const TopLevelWindow& window);

// On the animation tick: when 运行指示 is on, refreshes which items run at
// most once a second, and at once when a refresh is due; when it is off,
// forgets them. True when the indicators to draw changed.
bool refreshRunningItems(Dock& dock, RunningItems& running);
// Brings the front window of the item's program to the foreground, or, when
// the program is in front already, its next window; false when the program
// shows no window a user switches to.
bool switchToRunningItem(Dock& dock, RunningItems& running, int index);

}  // namespace dock
