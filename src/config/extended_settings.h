#pragma once
// The settings beyond the classic ones: section 扩展设置 of config.ini, each a
// check entry of the 扩展功能 submenu. A new setting is one row here and its
// field in DockSettings, whose initialiser is its default; loading, saving
// and the menu go through the table.
#include <cstdint>
#include <string>
#include <string_view>

#include "resource_ids.h"
#include "config/dock.h"
#include "support/texts.h"

namespace dock {

// A value kept only in config.ini has no check entry.
inline constexpr unsigned kNoMenuEntry = 0;

struct ExtendedSetting {
    std::string_view key;
    std::int32_t DockSettings::*field;
    unsigned menuCommand;  // its check entry; the mark shows a nonzero value
    // A check entry for one value: marked while the setting holds it, chosen
    // it sets it, or 0 when it held it already. 0 for an on/off entry.
    std::int32_t checkedValue = 0;
};

inline constexpr ExtendedSetting kExtendedSettings[] = {
    {texts::kKeyDragReorder, &DockSettings::dragReorder, IDM_DRAG_REORDER},
    {texts::kKeyRunningIndicator, &DockSettings::runningIndicator, IDM_RUNNING_INDICATOR},
    {texts::kKeyActivateRunning, &DockSettings::activateRunning, IDM_ACTIVATE_RUNNING},
    {texts::kKeyFullscreenAvoid, &DockSettings::fullscreenAvoid, IDM_FULLSCREEN_AVOID},
    {texts::kKeyKeyboardMode, &DockSettings::keyboardMode, IDM_KEYBOARD_MODE},
    {texts::kKeyKeyboardHotkey, &DockSettings::keyboardHotkey, kNoMenuEntry},
    {texts::kKeyHotkeyBadges, &DockSettings::hotkeyBadges, IDM_HOTKEY_BADGES},
    {texts::kKeySharpIcons, &DockSettings::sharpIcons, IDM_SHARP_ICONS},
    {texts::kKeyDpiAware, &DockSettings::dpiAware, IDM_DPI_AWARE},
    {texts::kKeyAutoHide, &DockSettings::autoHide, IDM_AUTO_HIDE, 1},
    // The same key's other value: stored by the row above.
    {{}, &DockSettings::autoHide, IDM_INTELLIGENT_HIDE, 2},
    {texts::kKeyHideDelay, &DockSettings::hideDelayMs, kNoMenuEntry},
    {texts::kKeyDropOpen, &DockSettings::dropOpen, IDM_DROP_OPEN},
    {texts::kKeyLaunchFeedback, &DockSettings::launchFeedback, IDM_LAUNCH_FEEDBACK},
};

// A row without a key is another check entry of a stored setting.
inline bool storedRow(const ExtendedSetting& setting) {
    return !setting.key.empty();
}

inline std::int32_t defaultOf(const ExtendedSetting& setting) {
    return DockSettings{}.*setting.field;
}
// The row whose check entry is `command`, or null (always for kNoMenuEntry).
const ExtendedSetting* extendedSettingOfCommand(unsigned command);
// Reads the setting's value with the classic integer rule; a missing or
// unreadable value gives the default.
std::int32_t readExtendedSetting(ProfileStore& profile, const std::string& file,
                                 const ExtendedSetting& setting);
// Reads the section, every value as above. Notes whether the section was in
// the file.
void loadExtendedSettings(Dock& dock);
// The section is saved only when config.ini had it or a value differs from
// its default, so a classic config.ini is written byte for byte as before.
bool extendedSectionWanted(const Dock& dock);
// Whether the row's check entry shows its mark.
bool extendedEntryChecked(const DockSettings& settings, const ExtendedSetting& setting);
// Turns the setting off when its entry is checked and on (1, or the entry's
// value) otherwise.
void toggleExtendedSetting(Dock& dock, const ExtendedSetting& setting);

}  // namespace dock
