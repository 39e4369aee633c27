#pragma once
// config.ini: reading at start-up, the commented template, and saving.
#include <string>
#include <string_view>

#include "config/dock.h"

namespace dock {

// The default text of config.ini: 794 bytes of GBK, 56 lines.
extern const std::string_view ConfigTemplate;

std::string configPath(const Dock& dock);

// Reads the eleven keys of 程序设置 into dock.settings; 左边 and 顶边 default to
// the given window position. Returns the position the window is to take.
PointI loadConfiguration(Dock& dock, PointI windowPosition);
int readItemCount(Dock& dock);
void readItemRecord(Dock& dock, int n, DockItem& record);

// Writes the settings, the window position and every item back to config.ini.
void saveConfiguration(Dock& dock);
// Called after every change the user makes that config.ini would hold.
void requestSave(Dock& dock);

}  // namespace dock
