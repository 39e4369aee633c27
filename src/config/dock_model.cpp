#include "config/dock_model.h"

#include <algorithm>

#include "support/fatal.h"

namespace dock {

std::size_t DockItemList::checked(int index) const {
    if (!Contains(index)) {
        ReportInternalError(kItemIndexOutOfRange, static_cast<std::uint32_t>(index));
    }
    return static_cast<std::size_t>(index - 1);
}

void DockItemList::Insert(int position, const DockItem& item, int imageSlot, bool resetLifts) {
    if (position < 1 || position > Count() + 1) {
        ReportInternalError(kInsertPositionOutOfRange, static_cast<std::uint32_t>(position));
    }
    DockEntry entry;
    entry.item = item;
    entry.imageSlot = imageSlot;
    entries_.insert(entries_.begin() + (position - 1), std::move(entry));
    if (resetLifts) {
        for (DockEntry& e : entries_) e.lift = 0;
    }
}

DockEntry DockItemList::Remove(int index) {
    if (!Contains(index)) {
        ReportInternalError(kItemIndexOutOfRange, static_cast<std::uint32_t>(index));
    }
    auto it = entries_.begin() + (index - 1);
    DockEntry removed = std::move(*it);
    entries_.erase(it);
    return removed;
}

void DockItemList::Move(int from, int to) {
    if (!Contains(from))
        ReportInternalError(kItemIndexOutOfRange, static_cast<std::uint32_t>(from));
    if (!Contains(to)) ReportInternalError(kItemIndexOutOfRange, static_cast<std::uint32_t>(to));
    const auto f = entries_.begin() + (from - 1);
    const auto t = entries_.begin() + (to - 1);
    if (from < to) {
        std::rotate(f, f + 1, t + 1);
    } else {
        std::rotate(t, f, f + 1);
    }
}

}  // namespace dock
