#pragma once
// Dragging an item to a new place in the row, or off the strip to remove it.
// The window procedure decodes the pointer messages and calls these; the
// animation tick follows the pointer while a drag is under way.
#include "config/dock.h"

namespace dock {

// A press on an item, and the drag to a new place it may become.
struct ItemDrag {
    enum class Phase { none, pressed, dragging };
    Phase phase = Phase::none;
    int item = 0;     // the pressed item
    PointI press;     // where the button went down, window coordinates
    PointI pointer;   // the latest pointer while dragging, window coordinates
    int landing = 0;  // where a release would put the item; 0 = off the strip

    // An item is pressed or dragged: the pointer is the drag's.
    bool Holding() const { return phase != Phase::none; }
    bool Dragging() const { return phase == Phase::dragging; }
};

// The index the dragged item takes when released at `pointer` (window
// coordinates): the resting cell under the pointer, the row's first or last
// beyond its ends; 0 when the pointer is more than one cell height above or
// below the strip, where a release removes the item.
int dragLandingIndex(const DockState& state, PointI pointer);
// Where the item at `index` stands once the item at `from` moved to `to`.
int indexAfterMove(int index, int from, int to);
// Moves the item at `from` to `to` with its title, paths, picture and
// hotkey: the hotkey ids in between follow their items, the launch
// cool-down follows the moved item, the row is laid out and drawn at rest
// and the change saved. Moving an item to its own place changes nothing.
void moveItem(Dock& dock, int from, int to);

// The button went down on the hovered item: unless the dock is busy or
// locked or 拖动排序 is off, the press is remembered and the pointer captured.
void pressItem(Dock& dock, ItemDrag& drag, PointI point);
// The pointer moved with the button down: once it is more than the system's
// drag distance away from the press, the drag starts.
void movePressedPointer(Dock& dock, ItemDrag& drag, PointI point, PointI dragDistance);
// The pointer's place while dragging: the gap follows it and a frame is drawn.
void followDragPointer(Dock& dock, ItemDrag& drag, PointI point);
// The button came up: a drag ends with a move, or off the strip with the
// delete confirmation. The capture is released first.
void releaseItem(Dock& dock, ItemDrag& drag, PointI point);
// Escape, a right-click, a lost capture or the dock closing: the row goes
// back as it was and the capture is released. True when a drag was under way.
bool cancelItemDrag(Dock& dock, ItemDrag& drag);

}  // namespace dock
