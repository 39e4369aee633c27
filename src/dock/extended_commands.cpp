#include "dock/extended_commands.h"

#include "config/configuration.h"
#include "dock/fullscreen_avoidance.h"
#include "dock/keyboard_mode.h"
#include "items/item_pictures.h"
#include "render/hotkey_badges.h"

namespace dock {

void switchExtendedSetting(Dock& dock, const ExtendedSetting& setting) {
    toggleExtendedSetting(dock, setting);
    if (setting.field == &DockSettings::keyboardMode) applyKeyboardHotkey(dock);
    if (setting.field == &DockSettings::hotkeyBadges) redrawHotkeyBadges(dock);
    if (setting.field == &DockSettings::fullscreenAvoid) followFullscreenSetting(dock);
    if (setting.field == &DockSettings::sharpIcons) reloadItemPictures(dock);
    markSaveDue(dock);
}

}  // namespace dock
