#include "app/extended_commands.h"

#include "config/configuration.h"
#include "config/blocked_dock.h"

namespace dock {

void switchExtendedSetting(Dock& dock, FeatureStates& features, const ExtendedSetting& setting) {
    // A box shown here waits for the user in a nested message loop: the
    // timer, hotkeys, drops and a second menu must not run meanwhile.
    const BlockedDock blocked(dock);
    toggleExtendedSetting(dock, setting);
    const DockFeature* feature = featureOfSetting(setting);
    if (feature != nullptr && feature->switched != nullptr)
        feature->switched(dock, features, setting);
    markSaveDue(dock);
}

}  // namespace dock
