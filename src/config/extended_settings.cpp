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

void loadExtendedSettings(Dock& dock) {
    const std::string file = configPath(dock);
    const std::string section(texts::kSectionExtended);
    ProfileStore& profile = dock.platform.profile;
    dock.state.saving.extendedSectionRead = profile.HasSection(file, section);
    for (const ExtendedSetting& setting : kExtendedSettings) {
        const std::string text =
            profile.ReadProfileText(file, section, std::string(setting.key), "");
        dock.settings.*setting.field = holdsNumber(text) ? TextToInt(text) : defaultOf(setting);
    }
}

bool extendedSectionWanted(const Dock& dock) {
    if (dock.state.saving.extendedSectionRead) return true;
    for (const ExtendedSetting& setting : kExtendedSettings)
        if (dock.settings.*setting.field != defaultOf(setting)) return true;
    return false;
}

void toggleExtendedSetting(Dock& dock, const ExtendedSetting& setting) {
    std::int32_t& value = dock.settings.*setting.field;
    value = value != 0 ? 0 : 1;
}

}  // namespace dock
