#include "app/launch.h"

#include <algorithm>

#include "features/drop_open/drop_open.h"

namespace dock {

std::string workingDirectory(const std::string& targetPath, const LeadBytes& leadBytes) {
    std::string path = targetPath;
    // 0x2F is never the second byte of a character in any double-byte code page.
    std::replace(path.begin(), path.end(), '/', '\\');
    // The last separator character, not the last 0x5C byte: cutting at the
    // second byte of a character would name a folder that does not exist.
    const std::size_t cut = FindLastCharacter(path, '\\', leadBytes);
    if (cut == std::string::npos) return std::string();
    path.resize(cut + 1);
    return path;
}

void launchItem(Dock& dock, FeatureStates& features, int index, bool newCopy) {
    DockState& state = dock.state;
    if (index < 1 || index > state.items.Count()) return;
    ShellPort& shell = dock.platform.shell;
    // Unsigned subtraction: the difference stays right across the 49.7-day
    // wrap of the tick counter.
    const std::uint32_t elapsed = shell.TickCount() - state.commands.lastLaunchTick;
    const std::int64_t cooldown = dock.settings.launchCooldownMs;
    if (index == state.commands.lastLaunchIndex && static_cast<std::int64_t>(elapsed) < cooldown)
        return;
    state.commands.lastLaunchIndex = index;
    state.commands.lastLaunchTick = shell.TickCount();
    if (!newCopy && dock.settings.activateRunning != 0 &&
        switchToRunningItem(dock, features.running, index))
        return;
    const std::string& target = state.items[index].item.targetPath;
    if (shell.Launch(target, workingDirectory(target, dock.leadBytes)))
        startBounce(dock, features.bounce, index);
    features.running.refreshDue = true;
}

bool openDroppedFiles(Dock& dock, FeatureStates& features, const std::vector<std::string>& paths) {
    const DropOpening opening = dropOpening(dock);
    if (opening.item == 0 || paths.empty()) return false;
    const std::string directory =
        workingDirectory(dock.state.items[opening.item].item.targetPath, dock.leadBytes);
    // The quoted program and a blank come before the parameters.
    const std::size_t programLength = opening.program.size() + 3;
    const std::size_t limit =
        kLongestCommandLine > programLength ? kLongestCommandLine - programLength : 0;
    bool started = false;
    for (const std::string& group : parameterGroups(paths, limit, dock.leadBytes))
        started = dock.platform.shell.OpenWith(opening.program, group, directory) || started;
    if (started) startBounce(dock, features.bounce, opening.item);
    features.running.refreshDue = true;
    return true;
}

void dispatchHotkey(Dock& dock, FeatureStates& features, std::uintptr_t id, std::uintptr_t lParam) {
    if (id < 1 || id > static_cast<std::uintptr_t>(dock.state.items.Count())) return;
    const int index = static_cast<int>(id);
    // Only the low 32 bits carry the message's key data; the modifiers in the
    // low word were matched by the system already.
    const std::uint32_t virtualKey = static_cast<std::uint32_t>(lParam) >> 16;
    if ((dock.state.items[index].item.hotkey & 0xFFu) == virtualKey)
        launchItem(dock, features, index);
}

}  // namespace dock
