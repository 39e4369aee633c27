#include "config/extended_settings.h"

#include <string>

#include "config/configuration.h"
#include "support/text.h"

namespace dock {
namespace {

// The classic rule reads "abc" as 0; here a value without a number keeps the
// default, so a typo cannot switch a feature off.
bool holdsNumber(std::string_view text) {
    const std::string half = HalfWidthGbk(text);
    std::size_t i = 0;
    while (i < half.size() && (half[i] == ' ' || (half[i] >= '\t' && half[i] <= '\r'))) ++i;
    if (i < half.size() && (half[i] == '+' || half[i] == '-')) ++i;
    return i < half.size() && half[i] >= '0' && half[i] <= '9';
}

}  // namespace

const ExtendedSetting* extendedSettingOfCommand(unsigned command) {
    if (command == kNoMenuEntry) return nullptr;
    for (const ExtendedSetting& setting : kExtendedSettings)
        if (setting.menuCommand == command) return &setting;
    return nullptr;
}

std::int32_t readExtendedSetting(ProfileStore& profile, const std::string& file,
                                 const ExtendedSetting& setting) {
    const std::string text = profile.ReadProfileText(file, std::string(texts::kSectionExtended),
                                                     std::string(setting.key), "");
    return holdsNumber(text) ? TextToInt(text) : defaultOf(setting);
}

void loadExtendedSettings(Dock& dock) {
    const std::string file = configPath(dock);
    ProfileStore& profile = dock.platform.profile;
    dock.state.saving.extendedSectionRead =
        profile.HasSection(file, std::string(texts::kSectionExtended));
    for (const ExtendedSetting& setting : kExtendedSettings)
        if (storedRow(setting))
            dock.settings.*setting.field = readExtendedSetting(profile, file, setting);
}

bool extendedSectionWanted(const Dock& dock) {
    if (dock.state.saving.extendedSectionRead) return true;
    for (const ExtendedSetting& setting : kExtendedSettings)
        if (dock.settings.*setting.field != defaultOf(setting)) return true;
    return false;
}

bool extendedEntryChecked(const DockSettings& settings, const ExtendedSetting& setting) {
    const std::int32_t value = settings.*setting.field;
    return setting.checkedValue == 0 ? value != 0 : value == setting.checkedValue;
}

void toggleExtendedSetting(Dock& dock, const ExtendedSetting& setting) {
    const bool checked = extendedEntryChecked(dock.settings, setting);
    dock.settings.*setting.field =
        checked ? 0 : (setting.checkedValue == 0 ? 1 : setting.checkedValue);
}

}  // namespace dock
