#include "app/feature_table.h"

#include "features/dpi/dpi_change.h"
#include "features/drop_open/drop_open.h"
#include "items/hotkeys.h"
#include "items/item_pictures.h"
#include "render/hotkey_badges.h"

namespace dock {
namespace {

using States = FeatureStates;

constexpr SettingField kArranging[] = {&DockSettings::dragReorder};
constexpr SettingField kFullscreen[] = {&DockSettings::fullscreenAvoid};
constexpr SettingField kRunning[] = {&DockSettings::runningIndicator,
                                     &DockSettings::activateRunning};
constexpr SettingField kKeyboard[] = {&DockSettings::keyboardMode, &DockSettings::keyboardHotkey,
                                      &DockSettings::hotkeyBadges};
constexpr SettingField kSharpIcons[] = {&DockSettings::sharpIcons};
constexpr SettingField kDpi[] = {&DockSettings::dpiAware};
constexpr SettingField kAutoHide[] = {&DockSettings::autoHide, &DockSettings::hideDelayMs};
constexpr SettingField kDropOpen[] = {&DockSettings::dropOpen};
constexpr SettingField kLaunchFeedback[] = {&DockSettings::launchFeedback};

constexpr std::uint32_t kFullscreenMessages[] = {kForegroundChangedMessage};

void switchKeyboard(Dock& dock, States& s, const ExtendedSetting& setting) {
    if (setting.field == &DockSettings::hotkeyBadges) {
        redrawHotkeyBadges(frameOf(dock));
        return;
    }
    applyKeyboardHotkey(dock, s.keyboard);
    if (keyboardModeUnavailable(dock, s.keyboard)) reportHotkeyFailure(dock);
}

TickStep tickAutoHide(Dock& dock, States& s) {
    return {false, autoHideTick(dock, s.autoHide, s.drag.Holding(), s.keyboard.active)};
}

TickStep tickBounce(Dock& dock, States& s) {
    const bool bounced = stepBounce(dock, s.bounce);
    return {bounced, dock.state.frame.overlay.raisedItem != 0};
}

// The order is the tick's: the full-screen check, the running items and the
// slide before the hover; the tray under a file drag and the bounce after it.
constexpr DockFeature kFeatures[] = {
    {.name = "arranging",
     .settings = kArranging,
     .stop = [](Dock& d, States& s) { cancelItemDrag(d, s.drag); }},
    {.name = "fullscreen_avoidance",
     .settings = kFullscreen,
     .switched = [](Dock& d, States& s,
                    const ExtendedSetting&) { followFullscreenSetting(d, s.fullscreen); },
     .start = [](Dock& d, States& s) { followFullscreenSetting(d, s.fullscreen); },
     .stop = [](Dock& d, States& s) { stopFullscreenAvoidance(d, s.fullscreen); },
     .tick = [](Dock& d, States& s) -> TickStep {
         checkFullscreenOnTick(d, s.fullscreen);
         return {};
     },
     .messages = kFullscreenMessages,
     .onMessage = [](Dock& d, States&, const WindowMessage&) -> std::intptr_t {
         checkFullscreen(d);
         return 1;
     }},
    {.name = "running_programs",
     .settings = kRunning,
     .tick =
         [](Dock& d, States& s) {
             return TickStep{refreshRunningItems(d, s.running), false};
         }},
    {.name = "keyboard_mode",
     .settings = kKeyboard,
     .switched = &switchKeyboard,
     .start = [](Dock& d, States& s) { applyKeyboardHotkey(d, s.keyboard); },
     .stop = [](Dock& d, States& s) { releaseKeyboardHotkey(d, s.keyboard); }},
    // The sharp pictures are the items' own (items/item_pictures).
    {.name = "sharp_icons",
     .settings = kSharpIcons,
     .switched = [](Dock& d, States&, const ExtendedSetting&) { reloadItemPictures(d); }},
    {.name = "dpi",
     .settings = kDpi,
     .switched = [](Dock& d, States&, const ExtendedSetting&) { noteDpiAwarenessSwitch(d); }},
    {.name = "auto_hide",
     .settings = kAutoHide,
     .switched = [](Dock& d, States& s,
                    const ExtendedSetting&) { followAutoHideSetting(d, s.autoHide, true); },
     .start = [](Dock& d, States& s) { followAutoHideSetting(d, s.autoHide, false); },
     .stop = [](Dock& d, States& s) { stopAutoHide(d, s.autoHide); },
     .tick = &tickAutoHide},
    {.name = "drop_open",
     .settings = kDropOpen,
     .tickPhase = TickPhase::afterHover,
     .tick =
         [](Dock& d, States& s) {
             return TickStep{followFileDrag(d, s.drag.Holding()), false};
         }},
    {.name = "launch_feedback",
     .settings = kLaunchFeedback,
     .tickPhase = TickPhase::afterHover,
     .tick = &tickBounce},
};

}  // namespace

std::span<const DockFeature> featureTable() {
    return kFeatures;
}

const DockFeature* featureOfSetting(const ExtendedSetting& setting) {
    for (const DockFeature& feature : kFeatures)
        for (SettingField field : feature.settings)
            if (field == setting.field) return &feature;
    return nullptr;
}

void startFeatures(Dock& dock, FeatureStates& features) {
    for (const DockFeature& feature : kFeatures)
        if (feature.start != nullptr) feature.start(dock, features);
}

void stopFeatures(Dock& dock, FeatureStates& features) {
    for (const DockFeature& feature : kFeatures)
        if (feature.stop != nullptr) feature.stop(dock, features);
}

TickStep tickFeatures(Dock& dock, FeatureStates& features, TickPhase phase) {
    TickStep all;
    for (const DockFeature& feature : kFeatures) {
        if (feature.tick == nullptr || feature.tickPhase != phase) continue;
        const TickStep step = feature.tick(dock, features);
        all.redraw = all.redraw || step.redraw;
        all.keepFast = all.keepFast || step.keepFast;
    }
    return all;
}

std::optional<std::intptr_t> featureMessage(Dock& dock, FeatureStates& features,
                                            const WindowMessage& message) {
    for (const DockFeature& feature : kFeatures)
        for (std::uint32_t id : feature.messages)
            if (id == message.id) return feature.onMessage(dock, features, message);
    return std::nullopt;
}

}  // namespace dock
