#include "features/arranging/chosen_files.h"

#include "items/add_item.h"

namespace dock {

std::vector<std::string> chosenFilePaths(std::string_view buffer, const LeadBytes& leadBytes) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0; start < buffer.size();) {
        const std::size_t end = buffer.find('\0', start);
        if (end == start) break;
        const std::size_t stop = end == std::string_view::npos ? buffer.size() : end;
        parts.push_back(buffer.substr(start, stop - start));
        start = stop + 1;
    }
    if (parts.size() <= 1) return std::vector<std::string>(parts.begin(), parts.end());
    // The folder of a drive's root already ends in a backslash ("C:\"); one
    // ending in a character whose second byte is 0x5C (誠 is D5 5C) does not.
    std::string folder(parts[0]);
    const std::size_t separator = FindLastCharacter(folder, '\\', leadBytes);
    if (separator == std::string::npos || separator + 1 != folder.size()) folder += '\\';
    std::vector<std::string> paths;
    for (std::size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + std::string(parts[i]));
    return paths;
}

void addChosenFiles(Dock& dock, const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    DockState& state = dock.state;
    state.frame.hoverIndex = state.commands.menuTargetIndex;
    state.frame.pointerX = state.commands.menuPointerX;
    addDroppedFiles(dock, paths);
}

}  // namespace dock
