#pragma once
// The records the whole dock shares: the settings of section 程序设置, the
// item list of section 图标列表 with its per-item layout entries, and the
// runtime state split by what changes it.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ports/picture.h"
#include "support/geometry.h"

namespace dock {

// Each initialiser is the key's default: the value config.ini's template
// holds and the one a missing key reads as.
struct DockSettings {
    std::int32_t autoSnap = 0;                 // 自动吸附
    std::int32_t floatDistance = 48;           // 浮动距离
    std::int32_t floatBothWays = 1;            // 浮动方向
    std::int32_t launchCooldownMs = 1000;      // 双击冷却时间
    std::string trayImagePath = "res\\1.png";  // 选中托盘, relative to the program
    std::int32_t highQuality = 0;              // 高质量
    std::int32_t reflection = 0;               // 倒影
    std::int32_t locked = 0;                   // 锁定
    std::int32_t alwaysOnTop = 1;              // 总在最前

    // Section 扩展设置: each key with its menu entry is a row of
    // kExtendedSettings (config/extended_settings.h).
    std::int32_t dragReorder = 1;        // 拖动排序
    std::int32_t runningIndicator = 0;   // 运行指示
    std::int32_t activateRunning = 0;    // 激活已运行
    std::int32_t fullscreenAvoid = 0;    // 全屏避让
    std::int32_t keyboardMode = 0;       // 键盘模式
    std::int32_t keyboardHotkey = 1568;  // 键盘热键: Ctrl+Alt+Space in the items' encoding
    std::int32_t hotkeyBadges = 0;       // 快捷键角标
    std::int32_t sharpIcons = 0;         // 高清图标
    std::int32_t dpiAware = 0;           // 高分屏适配
    std::int32_t autoHide = 0;           // 自动隐藏: 0 never, 1 pointer away, 2 overlapped
    std::int32_t hideDelayMs = 500;      // 隐藏延迟
    std::int32_t dropOpen = 0;           // 拖放打开
    std::int32_t launchFeedback = 0;     // 启动反馈
};

struct DockItem {
    std::string title;           // 显示名_N
    std::uint16_t hotkey = 0;    // 快捷键_N: low byte virtual key, high byte HOTKEYF_* bits
    std::string targetPath;      // 可执行文件路径_N
    std::string customIconPath;  // 自定义图标路径_N
};

// One item with its entries in the per-item arrays. Keeping them in one
// record makes it impossible for the arrays to differ in length.
struct DockEntry {
    DockItem item;
    RectF baseRect;     // the resting cell
    RectF zoomRect;     // the cell at full magnification
    RectF currentRect;  // the cell as shown in the current frame
    float lift = 0;     // how far the item stands above its resting bottom line
    int imageSlot = 0;  // 1-based index into PictureCache::imagePool
};

// The 1-based item list. Index i is at once the display position, the N of the
// item's keys in config.ini and the id of its global hotkey.
class DockItemList {
  public:
    int Count() const { return static_cast<int>(entries_.size()); }
    bool Contains(int index) const { return index >= 1 && index <= Count(); }
    // An index outside 1..Count() is a broken invariant and ends the program.
    DockEntry& operator[](int index) { return entries_[checked(index)]; }
    const DockEntry& operator[](int index) const { return entries_[checked(index)]; }

    // Inserts a copy of `item` at `position` (1..Count()+1) with zero
    // rectangles; every item's lift is reset to 0. Start-up loading, which
    // runs before the first frame has lifted anything, passes false so that
    // loading thousands of items stays linear.
    void Insert(int position, const DockItem& item, int imageSlot, bool resetLifts = true);
    // Removes the item at `index` with all its entries and returns it.
    DockEntry Remove(int index);
    // Moves the item at `from` with all its entries to `to` (both 1..Count());
    // the items between shift by one toward `from`.
    void Move(int from, int to);

  private:
    std::size_t checked(int index) const;
    std::vector<DockEntry> entries_;
};

// The fixed metrics are the initialisers; start-up adds the background's
// size and what follows from the settings.
struct LayoutMetrics {
    // The DPI the pixel sizes below are for; every other value is the classic
    // one at 96 (metricsAtDpi).
    std::int32_t dpi = 96;
    std::int32_t cellPadding = 5;
    // A 26 px icon with its padding on both sides.
    std::int32_t cellWidth = 2 * cellPadding + 26;
    std::int32_t cellHeight = 2 * cellPadding + 26;
    std::int32_t titleSize = 18;
    std::int32_t leftMargin = 4 * cellWidth;
    // The background picture's own pixels, which its slices are cut in.
    std::int32_t backgroundWidth = 0;
    std::int32_t backgroundHeight = 0;
    // The float distance the geometry uses: the setting kept to a usable
    // window height (usableFloatDistance); the setting keeps what was stored.
    std::int32_t floatDistance = 0;
    std::int32_t rowTop = 0;
    // Where the strip of an empty dock was last drawn: start-up and the
    // settings dialog draw it 8 px above the row, a delete at the background's
    // height less 14.
    float emptyStripTop = 0;
};

// A press on an item, and the drag to a new place it may become.
struct ItemDrag {
    enum class Phase { none, pressed, dragging };
    Phase phase = Phase::none;
    int item = 0;     // the pressed item
    PointI press;     // where the button went down, window coordinates
    PointI pointer;   // the latest pointer while dragging, window coordinates
    int landing = 0;  // where a release would put the item; 0 = off the strip
};

// Choosing an item from the keyboard: the selection stands in for the pointer.
struct KeyboardSelection {
    bool active = false;
    bool hotkeyHeld = false;  // the dock's own hotkey is registered
    int selected = 0;         // kept after the mode ends, for the next time
    PointI pointerSeen;       // the real pointer, screen coordinates; a move takes over
    std::string typed;        // type-ahead bytes, and the tick of the latest one
    std::uint32_t typedTick = 0;
    // The window in front when the mode started, which Escape or the pointer
    // gives the keyboard back to; 0 for none.
    std::uintptr_t previousForeground = 0;
};

// Keeping out of the way of a full-screen program (全屏避让).
struct FullscreenAvoidance {
    bool watching = false;  // the foreground hook is set
    bool avoiding = false;  // always-on-top is given up for the foreground window
    std::uint32_t lastCheckTick = 0;
};

// Hiding at the edge (自动隐藏): how far the dock has slid out of sight and
// where it came from. Its logic is features/auto_hide.
struct AutoHideState {
    int position = 0;     // 0 shown .. kSlideTicks hidden
    bool hiding = false;  // sliding out or out of sight; false: in or shown
    bool due = false;     // a reason to hide came at dueSince and waits for the delay
    std::uint32_t dueSince = 0;
    int holds = 0;            // the menu and the window move loop keep it shown
    PointI shownAt;           // the window's place while shown
    PointI hiddenShift;       // from there to out of sight
    RectI revealZone;         // where the pointer brings it back, screen coordinates
    bool overlapped = false;  // another program's window meets the shown strip
    RectI overlapStrip;       // the strip that was judged
    std::uint32_t overlapJudgedTick = 0;
    bool watching = false;  // the window events hook is set
};

// What the animation shows: the item under the pointer, the magnification
// (advanced by advanceFrame, sampled by the tick) and the caption.
struct FrameState {
    int hoverIndex = 0;  // item under the pointer, 0 = none
    int zoomIndex = 0;
    int zoomPercent = 0;
    std::int32_t pointerX = 0;
    std::int32_t pointerY = 0;
    std::string titleText;  // the caption last drawn
    // While files are dragged across (拖放打开): the magnified item is one a
    // drop would not open with, so it shows no tray.
    bool trayWithheld = false;
};

// What the commands keep between the input that starts them and their end.
struct CommandState {
    bool busy = false;  // re-entrancy guard while loading, dialogs and deletes run
    int menuTargetIndex = 0;
    std::int32_t menuPointerX = 0;  // pointerX when the context menu opened
    int editedItemIndex = 0;
    // The launch cool-down.
    int lastLaunchIndex = 0;
    std::uint32_t lastLaunchTick = 0;
};

// config.ini's side: a change it does not hold yet, the tick of the first
// change since the last save (or of the last failed attempt) and how long
// from it to wait, and whether 扩展设置 was in it at start-up.
struct SaveState {
    bool saveDue = false;
    std::uint32_t saveDueTick = 0;
    std::uint32_t waitMs = 0;
    bool extendedSectionRead = false;
};

// Where the dock belongs: config.ini's 左边 and 顶边, in their units (what a
// dock that the system scales for the display's DPI sees, as the classic dock
// is). Set at start-up and by the user's moves; the window shows there while
// its strip meets a work area, and elsewhere only while it does not.
struct DockPlace {
    PointI chosen;
};

// The decoded pictures the frames are drawn from.
struct PictureCache {
    std::unique_ptr<Picture> backgroundImage;
    std::unique_ptr<Picture> trayImage;
    std::vector<std::unique_ptr<Picture>> imagePool;  // item pictures; slot s is imagePool[s - 1]
};

// Which items' programs show a window (运行指示), refreshed on the tick.
struct RunningItems {
    std::vector<std::string> targets;  // targetPath of every item whose program runs, sorted
    // targetPath -> the normalised path of the program it starts; a shortcut
    // is resolved once.
    std::map<std::string, std::string> programs;
    std::uint32_t refreshTick = 0;  // when targets was last refreshed
    bool refreshDue = true;         // at the next tick: after start-up, a launch, a toggle
    std::unique_ptr<Picture> indicatorImage;
};

// The bounce of a started item (启动反馈, features/launch_feedback): drawn
// `rise` above its place; the item is known by its target too, so that an
// insertion or a delete ends it instead of moving it to another item.
struct LaunchBounce {
    int item = 0;  // 0 = none
    std::string target;
    int tick = 0;
    float rise = 0;
};

// The running dock's state, one record per reason it changes.
struct DockState {
    DockItemList items;
    LayoutMetrics metrics;
    FrameState frame;
    ItemDrag drag;
    KeyboardSelection keyboard;
    CommandState commands;
    SaveState saving;
    DockPlace place;
    PictureCache pictures;
    RunningItems running;
    FullscreenAvoidance fullscreen;
    AutoHideState autoHide;
    LaunchBounce bounce;
};

}  // namespace dock
