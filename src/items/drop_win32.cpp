#include "items/drop_win32.h"

#include <string>
#include <vector>

#include "items/add_item.h"
#include "support/handles_win32.h"

namespace dock {
namespace {

using UniqueDrop = UniqueHandle<detail::NullIsNone<HDROP, ::DragFinish>>;

}  // namespace

void handleDroppedFiles(Dock& dock, HDROP drop, const DropOpener& opens) {
    // The shell's memory is ours to free, whether the names are taken or not.
    const UniqueDrop owned(drop);
    if (dock.state.commands.busy) return;
    const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::string> names;
    names.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        // Asked for its length first, a name longer than MAX_PATH arrives whole.
        const UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
        std::string name(length, '\0');
        const UINT copied = ::DragQueryFileA(drop, i, name.data(), length + 1);
        name.resize(copied < length ? copied : length);
        names.push_back(std::move(name));
    }
    if (opens == nullptr || !opens(dock, names)) addDroppedFiles(dock, names);
}

}  // namespace dock
