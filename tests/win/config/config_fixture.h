#pragma once
// A Dock whose files and profile are the real Win32 adapters on a real
// folder; the other ports are the recording fakes.
#include <string>

#include "config/configuration.h"
#include "fakes/fake_platform.h"
#include "config/files_win32.h"
#include "support/lead_bytes_win32.h"
#include "config/profile_win32.h"
#include "support/texts.h"

namespace dock::testing {

struct RealConfigFolder {
    explicit RealConfigFolder(const std::string& folder, ProfileStore* profileInstead = nullptr)
        : profileInUse(profileInstead != nullptr ? *profileInstead : profile) {
        dock.programDirectory = folder;
    }

    // Two recognisable dock states: 'A' with three items, 'B' with six.
    void Fill(char which) {
        DockSettings& s = dock.settings;
        s = {};
        dock.state.items = {};
        s.trayImagePath = dock.programDirectory + "\\res\\1.png";
        s.launchCooldownMs = which == 'A' ? 1000 : 2000;
        s.floatDistance = which == 'A' ? 48 : 30;
        s.floatBothWays = 1;
        s.alwaysOnTop = 1;
        dock.state.place.chosen = which == 'A' ? PointI{10, 20} : PointI{-5, 7};
        const int count = which == 'A' ? 3 : 6;
        for (int n = 1; n <= count; ++n) {
            DockItem item;
            // 程序 (program) and the number, with the side's letter.
            item.title = std::string("\xB3\xCC\xD0\xF2 ") + which + std::to_string(n);
            item.hotkey = static_cast<std::uint16_t>(0x0641 + n);
            item.targetPath = "C:\\Program Files\\" + std::string(1, which) + std::to_string(n) +
                              "\\\xB9\xA4\xBE\xDF.exe";  // 工具.exe
            item.customIconPath = n % 2 == 0 ? "" : "D:\\icons\\" + std::to_string(n) + ".png";
            dock.state.items.Insert(n, item, n);
        }
    }

    FakePlatform fake;
    Win32FileSystem files;
    Win32ProfileStore profile;
    ProfileStore& profileInUse;
    Dock dock{Platform{files, profileInUse, fake.messages, fake.pictures, fake.canvas, fake.hotkeys,
                       fake.icons, fake.window, fake.shell, fake.foreground},
              "",
              SystemLeadBytes(),
              {},
              {}};
};

}  // namespace dock::testing
