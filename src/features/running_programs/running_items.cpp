#include "features/running_programs/running_items.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "items/add_item.h"

namespace dock {
namespace {

constexpr std::uint32_t kRefreshPeriodMs = 1000;

bool isDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The parts between separator characters; a 0x5C second byte is no separator.
std::vector<std::string> partsOf(std::string_view text, const LeadBytes& leadBytes) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t size = leadBytes.CharacterSize(text, i);
        if (size == 1 && text[i] == '\\')
            parts.emplace_back();
        else
            parts.back().append(text.substr(i, size));
        i += size;
    }
    return parts;
}

// The program an item starts: its target, or the target of its shortcut,
// which is read from the file only the first time.
const std::string& programOf(Dock& dock, RunningItems& running, const std::string& target) {
    std::map<std::string, std::string>& programs = running.programs;
    const auto known = programs.find(target);
    if (known != programs.end()) return known->second;
    const std::string program = fileExtension(target, dock.leadBytes) == "lnk"
                                    ? dock.platform.icons.ResolveShortcut(target)
                                    : target;
    return programs.emplace(target, normalisedProgramPath(program, dock.leadBytes)).first->second;
}

struct ProgramWindow {
    std::string program;  // normalised
    std::uintptr_t window;
};

// The windows a user switches to, front first, with their programs; each
// process is asked once.
std::vector<ProgramWindow> programWindows(Dock& dock) {
    ShellPort& shell = dock.platform.shell;
    std::map<std::uint32_t, std::string> programs;
    std::vector<ProgramWindow> found;
    for (const TopLevelWindow& window : shell.TopLevelWindows()) {
        if (!userSwitchesTo(window)) continue;
        auto program = programs.find(window.processId);
        if (program == programs.end()) {
            std::string image = shell.ProcessImage(window.processId);
            program =
                programs.emplace(window.processId, normalisedProgramPath(image, dock.leadBytes))
                    .first;
        }
        if (!program->second.empty()) found.push_back({program->second, window.window});
    }
    return found;
}

// The program's front window; when the program is in front already, the one
// after it in the order of the handles, wrapping. That order stays as windows
// come forward, so further double-clicks go round all of them, as further
// clicks on a taskbar button do.
std::uintptr_t windowToBringForward(std::vector<std::uintptr_t> own, bool programInFront) {
    const std::uintptr_t front = own.front();
    if (!programInFront) return front;
    std::sort(own.begin(), own.end());
    const auto after = std::upper_bound(own.begin(), own.end(), front);
    return after == own.end() ? own.front() : *after;
}

}  // namespace

bool userSwitchesTo(const TopLevelWindow& window) {
    if (!window.visible || window.cloaked || window.toolWindow) return false;
    if (window.appWindow) return true;
    return !window.owned && window.caption && !window.noActivate;
}

std::string normalisedProgramPath(std::string_view path, const LeadBytes& leadBytes) {
    std::string text(path);
    // 0x2F is never the second byte of a character.
    std::replace(text.begin(), text.end(), '/', '\\');
    std::string_view rest = text;
    bool share = false;
    if (rest.starts_with("\\\\?\\UNC\\")) {
        rest.remove_prefix(8);
        share = true;
    } else if (rest.starts_with("\\\\?\\")) {
        rest.remove_prefix(4);
    } else if (rest.starts_with("\\\\")) {
        rest.remove_prefix(2);
        share = true;
    }
    std::vector<std::string> parts = partsOf(rest, leadBytes);
    std::string root;
    if (share) {
        if (parts.size() < 2 || parts[0].empty() || parts[1].empty()) return {};
        root = "\\\\" + parts[0] + "\\" + parts[1];
        parts.erase(parts.begin(), parts.begin() + 2);
    } else {
        if (parts.size() < 2 || parts[0].size() != 2 || !isDriveLetter(parts[0][0]) ||
            parts[0][1] != ':')
            return {};
        root = parts[0];
        parts.erase(parts.begin());
    }
    // Blanks and dots are never second bytes either.
    if (!parts.empty() && parts.back() != "." && parts.back() != "..") {
        std::string& name = parts.back();
        name.erase(name.find_last_not_of(". ") + 1);
    }
    std::string normalised = root;
    std::vector<std::size_t> ends;  // where each kept part ends, for ".."
    for (const std::string& part : parts) {
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (!ends.empty()) {
                ends.pop_back();
                normalised.resize(ends.empty() ? root.size() : ends.back());
            }
            continue;
        }
        normalised += '\\';
        normalised += part;
        ends.push_back(normalised.size());
    }
    if (ends.empty()) return {};
    return LowerAscii(normalised, leadBytes);
}

bool refreshRunningItems(Dock& dock, RunningItems& running) {
    std::vector<std::string>& shown = dock.state.frame.overlay.runningTargets;
    if (dock.settings.runningIndicator == 0) {
        running.refreshDue = true;
        if (shown.empty()) return false;
        shown.clear();
        return true;
    }
    ShellPort& shell = dock.platform.shell;
    const std::uint32_t now = shell.TickCount();
    // Unsigned subtraction: right across the wrap of the tick counter.
    if (!running.refreshDue && now - running.refreshTick < kRefreshPeriodMs) return false;
    running.refreshDue = false;
    running.refreshTick = now;

    std::set<std::string> programs;
    for (const ProgramWindow& window : programWindows(dock)) programs.insert(window.program);
    std::vector<std::string> targets;
    const DockItemList& items = dock.state.items;
    for (int i = 1; i <= items.Count(); ++i) {
        const std::string& target = items[i].item.targetPath;
        const std::string& program = programOf(dock, running, target);
        if (!program.empty() && programs.count(program) != 0) targets.push_back(target);
    }
    std::sort(targets.begin(), targets.end());
    targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
    if (targets == shown) return false;
    shown = std::move(targets);
    return true;
}

bool switchToRunningItem(Dock& dock, RunningItems& running, int index) {
    const std::string& program = programOf(dock, running, dock.state.items[index].item.targetPath);
    if (program.empty()) return false;
    const std::vector<ProgramWindow> windows = programWindows(dock);
    std::vector<std::uintptr_t> own;
    for (const ProgramWindow& window : windows)
        if (window.program == program) own.push_back(window.window);
    if (own.empty()) return false;
    // In front when no other program's window stands before its own; the
    // dock, a tool window, is none of them.
    dock.platform.shell.BringToFront(
        windowToBringForward(own, windows.front().window == own.front()));
    return true;
}

}  // namespace dock
