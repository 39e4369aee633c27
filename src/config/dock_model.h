#pragma once
// The records the whole dock shares: the settings of section 程序设置, the
// item list of section 图标列表 with its per-item layout entries, and the
// runtime state split by what changes it.
#include <cstdint>
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

// What the capabilities beyond the classic dock add to every frame, as plain
// data: each part is written by its feature only and read by the frame
// drawing (and by any feature that needs the fact). It lives beside the frame
// state because every redraw, the items' own included, draws it.
struct FrameOverlay {
    // 运行指示 (features/running_programs): targetPath of every item whose
    // program runs, sorted; each such item is marked below its picture.
    std::vector<std::string> runningTargets;
    // 启动反馈 (features/launch_feedback): the bouncing item, 0 for none, is
    // drawn `rise` above its place.
    int raisedItem = 0;
    float rise = 0;
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
    FrameOverlay overlay;
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
    // Always-on-top is given up for a full-screen program in front
    // (全屏避让, features/fullscreen_avoidance): every placement asks dockOnTop.
    bool yieldsToFullscreen = false;
};

// The decoded pictures the frames are drawn from.
struct PictureCache {
    std::unique_ptr<Picture> backgroundImage;
    std::unique_ptr<Picture> trayImage;
    std::vector<std::unique_ptr<Picture>> imagePool;  // item pictures; slot s is imagePool[s - 1]
    std::unique_ptr<Picture> runningIndicatorImage;   // the mark under a running item
};

// The state the classic subsystems share, one record per reason it changes.
// Each capability beyond the classic dock keeps its own state in its folder
// (src/features/<name>), held by the program (app/feature_table.h).
struct DockState {
    DockItemList items;
    LayoutMetrics metrics;
    FrameState frame;
    CommandState commands;
    SaveState saving;
    DockPlace place;
    PictureCache pictures;
};

}  // namespace dock
