// The whole start-up and shutdown over a hand-edited config.ini: whatever the
// settings and item keys say, the window is one cell tall at least and
// 16384 pixels at most, every configured item is there, the hotkeys
// registered one item at a time are exactly those a full renumbering gives,
// and shutdown releases every one of them.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "config/configuration.h"
#include "app/startup.h"
#include "fakes/fake_platform.h"
#include "fuzz_support.h"
#include "items/hotkeys.h"
#include "render/layout.h"
#include "support/text.h"
#include "support/texts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dock;
    using fuzz::require;
    namespace t = dock::texts;
    FuzzedDataProvider input(data, size);
    testing::FakePlatform platform;
    Dock& dock = platform.dock;
    const std::string file = configPath(dock);
    auto set = [&](std::string_view section, std::string_view key, const std::string& value) {
        platform.profile.Set(file, std::string(section), std::string(key), value);
    };

    const std::string_view settingKeys[] = {
        t::kKeyAutoSnap,    t::kKeyFloatDistance, t::kKeyFloatBothWays, t::kKeyLaunchCooldown,
        t::kKeyHighQuality, t::kKeyReflection,    t::kKeyLeft,          t::kKeyTop,
        t::kKeyLocked,      t::kKeyAlwaysOnTop};
    for (std::string_view key : settingKeys)
        if (input.ConsumeBool()) set(t::kSectionSettings, key, input.ConsumeRandomLengthString(16));
    // A few combinations, so that duplicates and taken ones are common.
    if (input.ConsumeBool()) platform.hotkeys.heldElsewhere.insert({2, 0x41});
    const int count = input.ConsumeIntegralInRange(-2, 24);
    set(t::kSectionItems, t::kKeyItemCount, IntToText(count));
    for (int n = 1; n <= count; ++n) {
        if (input.ConsumeBool()) {
            const std::uint16_t hotkey =
                input.ConsumeBool()
                    ? input.ConsumeIntegral<std::uint16_t>()
                    : static_cast<std::uint16_t>(0x0241 + input.ConsumeIntegralInRange(0, 2));
            set(t::kSectionItems, Concat(t::kKeyHotkeyPrefix, IntToText(n)),
                IntToText(static_cast<std::int16_t>(hotkey)));
        }
        if (input.ConsumeBool())
            set(t::kSectionItems, Concat(t::kKeyTargetPrefix, IntToText(n)),
                input.ConsumeRandomLengthString(24));
    }

    FeatureStates features;
    startDock(dock, features);
    const LayoutMetrics& m = dock.state.metrics;
    const std::int32_t height = windowHeight(m);
    require(height >= m.cellHeight && height <= kTallestWindow);
    require(dock.state.items.Count() == (count > 0 ? count : 0));
    require(!dock.state.commands.busy);

    const auto loaded = platform.hotkeys.registered;
    reregisterHotkeys(dock);
    require(platform.hotkeys.registered == loaded);

    stopDock(dock, features);
    require(platform.hotkeys.registered.empty());
    return 0;
}
