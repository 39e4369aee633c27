#include "features/drop_open/drop_open.h"

#include "items/add_item.h"

namespace dock {

int dropOntoItem(const DockState& state) {
    const int hovered = state.frame.hoverIndex;
    if (!state.items.Contains(hovered)) return 0;
    // The picture is the cell less its padding on both sides, as drawn.
    const RectF& cell = state.items[hovered].currentRect;
    const double padding = state.metrics.cellPadding;
    const double left = double(cell.left) + padding;
    const double right = double(cell.right) - padding;
    const double quarter = (right - left) / 4;
    const double x = state.frame.pointerX;
    return x >= left + quarter && x <= right - quarter ? hovered : 0;
}

std::string programOfTarget(const std::string& target, IconSource& icons,
                            const LeadBytes& leadBytes) {
    const std::string extension = fileExtension(target, leadBytes);
    if (extension == "exe") return target;
    if (extension != "lnk") return {};
    std::string program = icons.ResolveShortcut(target);
    return fileExtension(program, leadBytes) == "exe" ? program : std::string();
}

std::string quotedParameter(const std::string& path, const LeadBytes& leadBytes) {
    std::string quoted = "\"" + path;
    const std::size_t last = FindLastCharacter(path, '\\', leadBytes);
    if (!path.empty() && last == path.size() - 1) quoted += '\\';
    quoted += '"';
    return quoted;
}

std::vector<std::string> parameterGroups(const std::vector<std::string>& paths, std::size_t limit,
                                         const LeadBytes& leadBytes) {
    std::vector<std::string> groups;
    std::string group;
    for (const std::string& path : paths) {
        const std::string quoted = quotedParameter(path, leadBytes);
        if (!group.empty() && group.size() + 1 + quoted.size() > limit) {
            groups.push_back(std::move(group));
            group.clear();
        }
        if (!group.empty()) group += ' ';
        group += quoted;
    }
    if (!group.empty()) groups.push_back(std::move(group));
    return groups;
}

DropOpening dropOpening(Dock& dock) {
    if (dock.settings.dropOpen == 0) return {};
    const int item = dropOntoItem(dock.state);
    if (item == 0) return {};
    std::string program = programOfTarget(dock.state.items[item].item.targetPath,
                                          dock.platform.icons, dock.leadBytes);
    if (program.empty()) return {};
    return {item, std::move(program)};
}

bool followFileDrag(Dock& dock, bool itemHeld) {
    DockState& state = dock.state;
    const bool withheld = dock.settings.dropOpen != 0 && state.frame.hoverIndex != 0 && !itemHeld &&
                          dock.platform.window.PrimaryButtonDown() && dropOpening(dock).item == 0;
    if (withheld == state.frame.trayWithheld) return false;
    state.frame.trayWithheld = withheld;
    return true;
}

}  // namespace dock
