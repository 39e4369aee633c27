#pragma once
// The capabilities beyond the classic dock as the program holds them: the
// state of each, in its own record from its own folder, and the one table of
// their seams, which the program calls them through.
#include <cstdint>
#include <optional>
#include <span>

#include "features/arranging/item_drag.h"
#include "features/auto_hide/auto_hide.h"
#include "features/feature.h"
#include "features/fullscreen_avoidance/fullscreen_avoidance.h"
#include "features/keyboard_mode/keyboard_mode.h"
#include "features/launch_feedback/launch_feedback.h"
#include "features/running_programs/running_items.h"

namespace dock {

// One owner for each feature's state: the program (DockProgram), beside the
// shared Dock record. What a feature shows in a frame it writes into
// FrameState::overlay; what the classic placement must know, into DockState.
struct FeatureStates {
    ItemDrag drag;                   // arranging
    KeyboardSelection keyboard;      // keyboard_mode
    FullscreenAvoidance fullscreen;  // fullscreen_avoidance
    AutoHideState autoHide;          // auto_hide
    RunningItems running;            // running_programs
    LaunchBounce bounce;             // launch_feedback
};

using DockFeature = Feature<FeatureStates>;

// Every capability, one entry each, in the order their steps run.
std::span<const DockFeature> featureTable();
// The feature whose key `setting` is, or null.
const DockFeature* featureOfSetting(const ExtendedSetting& setting);

void startFeatures(Dock& dock, FeatureStates& features);
void stopFeatures(Dock& dock, FeatureStates& features);
// The steps of `phase`, in the table's order; what they did, together.
TickStep tickFeatures(Dock& dock, FeatureStates& features, TickPhase phase);
// The answer of the feature that handles `message`; none when no feature does.
std::optional<std::intptr_t> featureMessage(Dock& dock, FeatureStates& features,
                                            const WindowMessage& message);

}  // namespace dock
