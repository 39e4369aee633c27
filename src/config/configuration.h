#pragma once
// config.ini: reading at start-up, the commented template, and saving.
#include <cstdint>
#include <string>
#include <string_view>

#include "config/dock.h"

namespace dock {

// The default text of config.ini: 794 bytes of GBK, 56 lines.
std::string_view configTemplate();

// The launch cool-down is never shorter than this, however it was set.
inline constexpr std::int32_t kMinimumCooldownMs = 1000;

std::string configPath(const Dock& dock);
std::string configPath(std::string_view programDirectory);

// Reads the eleven keys of 程序设置 into dock.settings; 左边 and 顶边 default to
// the given window position. Returns the position the window is to take.
PointI loadConfiguration(Dock& dock, PointI windowPosition);
int readItemCount(Dock& dock);
void readItemRecord(Dock& dock, int n, DockItem& record);

// Writes the settings, the dock's place and every item back to config.ini,
// with up to ten attempts a tenth of a second apart and the fallbacks after
// them: the closing save. Any save makes a pending one unnecessary.
void saveConfiguration(Dock& dock);

// Changes are saved this long after the first change since the last save, so
// that a burst of them is saved once.
inline constexpr std::uint32_t kSaveDelayMs = 500;
// A save that failed is tried again after twice its last wait, at most this.
inline constexpr std::uint32_t kLongestSaveRetryMs = 32000;
// Something config.ini holds has changed in memory.
void markSaveDue(Dock& dock);
// The animation tick's part: once a save has been due for its wait, one
// attempt without waiting, never while the dock is busy.
void saveWhenDue(Dock& dock);

}  // namespace dock
