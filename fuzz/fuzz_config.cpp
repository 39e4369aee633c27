// Loading config.ini from hand-edited values: every key of both sections gets
// fuzzed text. Whatever the values, the settings keep their invariants and
// the items read are exactly the count asked for, up to the reading limit.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "config/configuration.h"
#include "fakes/fake_platform.h"
#include "support/text.h"
#include "support/texts.h"

using dock::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dock;
    namespace t = dock::texts;
    FuzzedDataProvider input(data, size);
    testing::FakePlatform platform;
    Dock& dock = platform.dock;
    const std::string file = configPath(dock);

    const std::string_view settingKeys[] = {
        t::kKeyAutoSnap,  t::kKeyFloatDistance, t::kKeyFloatBothWays, t::kKeyLaunchCooldown,
        t::kKeyTrayImage, t::kKeyHighQuality,   t::kKeyReflection,    t::kKeyLeft,
        t::kKeyTop,       t::kKeyLocked,        t::kKeyAlwaysOnTop};
    for (std::string_view key : settingKeys) {
        if (input.ConsumeBool()) {
            platform.profile.Set(file, std::string(t::kSectionSettings), std::string(key),
                                 input.ConsumeRandomLengthString(24));
        }
    }
    const std::string count = input.ConsumeRandomLengthString(12);
    platform.profile.Set(file, std::string(t::kSectionItems), std::string(t::kKeyItemCount), count);
    const std::string_view itemKeys[] = {t::kKeyTitlePrefix, t::kKeyHotkeyPrefix,
                                         t::kKeyTargetPrefix, t::kKeyCustomIconPrefix};
    for (int n = 1; n <= 4; ++n) {
        for (std::string_view prefix : itemKeys) {
            platform.profile.Set(file, std::string(t::kSectionItems), Concat(prefix, IntToText(n)),
                                 input.ConsumeRandomLengthString(40));
        }
    }

    loadConfiguration(dock, PointI{10, 20});
    const DockSettings& s = dock.settings;
    require(s.launchCooldownMs >= 1000);
    require(s.locked == 0 || s.locked == 1);
    require(s.alwaysOnTop == 0 || s.alwaysOnTop == 1);
    require(!s.trayImagePath.empty());

    const int n = readItemCount(dock);
    require(n == TextToInt(count));
    DockItem record;
    for (int i = 1; i <= std::min(n, 6); ++i) {
        readItemRecord(dock, i, record);
        if (i > 4) require(record.title.empty() && record.hotkey == 0 && record.targetPath.empty());
    }
    return 0;
}
