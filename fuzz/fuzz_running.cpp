// Which items run and switching to them, over hostile item targets, shortcut
// targets and process image paths: a path's one form keeps its shape under
// any double-byte code page; an item is marked running exactly when a window
// a user switches to belongs to its program; and double-clicks on a running
// item go round every such window of its program.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>

#include "features/running_programs/running_items.h"
#include "fuzz_support.h"
#include "items/add_item.h"
#include "support/text.h"

namespace {

using dock::fuzz::require;

void requireOneForm(const std::string& path, const dock::LeadBytes& leads) {
    const std::string form = dock::normalisedProgramPath(path, leads);
    if (form.empty()) return;
    require(form.size() <= path.size());
    require(dock::LowerAscii(form, leads) == form);
    const bool drive =
        form.size() > 3 && form[0] >= 'a' && form[0] <= 'z' && form[1] == ':' && form[2] == '\\';
    require(drive || form.starts_with("\\\\"));
    // It names a file: it never ends in a separator.
    require(dock::FindLastCharacter(form, '\\', leads) + 1 < form.size());
}

// The same path as a user or the system may write it: other case, other
// slashes.
std::string rewritten(std::string path, FuzzedDataProvider& input) {
    for (char& c : path) {
        if (!input.ConsumeBool()) continue;
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 0x20);
        if (c == '\\') c = '/';
    }
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dock;
    fuzz::FuzzedDock fuzzed(data, size, 4);
    auto& [input, platform, dock, items] = fuzzed;
    const LeadBytes anyLeads = fuzz::consumeLeadBytes(input, 0x81);
    requireOneForm(fuzz::consumeText(input, 0, 24), anyLeads);
    // A lambda cannot capture a binding: these go through `fuzzed`.
    auto programOf = [&fuzzed](const std::string& target) {
        if (fileExtension(target, fuzzed.dock.leadBytes) != "lnk") return target;
        return fuzzed.platform.icons.ResolveShortcut(target);
    };
    for (int i = 1; i <= items.Count(); ++i) {
        std::string& target = items[i].item.targetPath;
        if (input.ConsumeBool()) target = "C:\\" + target;
        if (input.ConsumeBool()) {
            target += ".lnk";
            platform.icons.shortcuts[target] = "C:\\" + fuzz::consumeText(input, 0, 8);
        }
    }
    const int windows = input.ConsumeIntegralInRange(0, 6);
    for (int w = 0; w < windows; ++w) {
        std::string program = fuzz::consumeText(input, 0, 12);
        if (items.Count() > 0 && input.ConsumeBool()) {
            const int of = input.ConsumeIntegralInRange(1, items.Count());
            program = rewritten(programOf(items[of].item.targetPath), input);
        }
        TopLevelWindow facts;
        facts.visible = input.ConsumeBool();
        facts.cloaked = input.ConsumeBool();
        facts.owned = input.ConsumeBool();
        facts.caption = input.ConsumeBool();
        facts.toolWindow = input.ConsumeBool();
        facts.appWindow = input.ConsumeBool();
        facts.noActivate = input.ConsumeBool();
        // Distinct handles in any order.
        const auto handle = (std::uintptr_t{input.ConsumeIntegral<std::uint8_t>()} << 8) + w + 1;
        platform.shell.windows.push_back({program, handle, facts});
        requireOneForm(program, dock.leadBytes);
    }

    auto ownWindows = [&fuzzed, &programOf](const std::string& target) {
        const LeadBytes& leads = fuzzed.dock.leadBytes;
        std::set<std::uintptr_t> own;
        const std::string program = normalisedProgramPath(programOf(target), leads);
        for (const auto& w : fuzzed.platform.shell.windows)
            if (!program.empty() && userSwitchesTo(w.facts) &&
                normalisedProgramPath(w.program, leads) == program)
                own.insert(w.window);
        return own;
    };
    dock.settings.runningIndicator = 1;
    RunningItems runningItems;
    refreshRunningItems(dock, runningItems);
    const std::vector<std::string>& running = dock.state.frame.overlay.runningTargets;
    require(std::is_sorted(running.begin(), running.end()));
    require(std::adjacent_find(running.begin(), running.end()) == running.end());
    std::set<std::string> targets;
    for (int i = 1; i <= items.Count(); ++i) {
        const std::string& target = items[i].item.targetPath;
        targets.insert(target);
        require(std::binary_search(running.begin(), running.end(), target) ==
                !ownWindows(target).empty());
    }
    for (const std::string& target : running) require(targets.count(target) == 1);

    if (items.Count() == 0) return 0;
    const int index = input.ConsumeIntegralInRange(1, items.Count());
    const std::set<std::uintptr_t> own = ownWindows(items[index].item.targetPath);
    for (std::size_t click = 0; click <= own.size(); ++click)
        require(switchToRunningItem(dock, runningItems, index) == !own.empty());
    const std::vector<std::uintptr_t>& brought = platform.shell.broughtToFront;
    require(std::set<std::uintptr_t>(brought.begin(), brought.end()) == own);
    return 0;
}
