#include "app/extended_commands.h"

#include "config/configuration.h"
#include "config/blocked_dock.h"
#include "features/dpi/dpi_change.h"
#include "features/fullscreen_avoidance/fullscreen_avoidance.h"
#include "features/keyboard_mode/keyboard_mode.h"
#include "features/auto_hide/auto_hide.h"
#include "items/hotkeys.h"
#include "items/item_pictures.h"
#include "render/hotkey_badges.h"

namespace dock {

void switchExtendedSetting(Dock& dock, const ExtendedSetting& setting) {
    // A box shown here waits for the user in a nested message loop: the
    // timer, hotkeys, drops and a second menu must not run meanwhile.
    const BlockedDock blocked(dock);
    toggleExtendedSetting(dock, setting);
    if (setting.field == &DockSettings::keyboardMode) {
        applyKeyboardHotkey(dock);
        if (keyboardModeUnavailable(dock)) reportHotkeyFailure(dock);
    }
    if (setting.field == &DockSettings::hotkeyBadges) redrawHotkeyBadges(frameOf(dock));
    if (setting.field == &DockSettings::fullscreenAvoid) followFullscreenSetting(dock);
    if (setting.field == &DockSettings::autoHide) followAutoHideSetting(dock, true);
    if (setting.field == &DockSettings::sharpIcons) reloadItemPictures(dock);
    if (setting.field == &DockSettings::dpiAware) noteDpiAwarenessSwitch(dock);
    markSaveDue(dock);
}

}  // namespace dock
