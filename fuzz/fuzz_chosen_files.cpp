// The file list of the add dialog's multiple selection, from any buffer: one
// full path, or the folder and the chosen names, each joined to the folder
// by at most one separator; and every path becomes an item where the menu
// was opened, whatever item and pointer the menu noted.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "features/arranging/chosen_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dock;
    using fuzz::require;
    fuzz::FuzzedDock fuzzed(data, size, 3);
    auto& [input, platform, dock, items] = fuzzed;
    dock.state.commands.menuTargetIndex = input.ConsumeIntegralInRange(-1, 5);
    dock.state.commands.menuPointerX = input.ConsumeIntegralInRange(-2000, 2000);

    // The names as the dialog writes them: each ends in a NUL, the list in a
    // second; whatever the rest of the buffer held after them.
    std::vector<std::string> names;
    std::string buffer;
    const int parts = input.ConsumeIntegralInRange(0, 5);
    for (int i = 0; i < parts; ++i) {
        std::string name = fuzz::consumeText(input, 1, 10);
        std::replace(name.begin(), name.end(), '\0', '_');
        names.push_back(name.empty() ? "_" : name);
        buffer += names.back() + '\0';
    }
    buffer += '\0';
    buffer += input.ConsumeRandomLengthString(8);

    const std::vector<std::string> paths = chosenFilePaths(buffer, dock.leadBytes);
    if (parts > 1) {
        require(paths.size() == names.size() - 1);
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const std::string& folder = names[0];
            const std::string& name = names[i + 1];
            require(paths[i].starts_with(folder) && paths[i].ends_with(name));
            const std::size_t separators = paths[i].size() - folder.size() - name.size();
            require(separators == 0 || (separators == 1 && paths[i][folder.size()] == '\\'));
        }
    } else {
        require(paths == names);
    }

    const int before = dock.state.items.Count();
    addChosenFiles(dock, paths);
    require(dock.state.items.Count() == before + static_cast<int>(paths.size()));
    return 0;
}
