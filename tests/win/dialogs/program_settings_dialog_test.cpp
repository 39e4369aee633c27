// Dialog 1200 run modally from the real resources, worked by a driver thread
// with real messages, on a dock with the real canvas and window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "dialog_test_support.h"
#include "app/program_settings_dialog_win32.h"

namespace dock::wine {
namespace {

std::string dlgText(HWND dialog, int id) {
    char buffer[64] = {};
    ::GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

void setText(HWND dialog, int id, const char* text) {
    ::SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void click(HWND dialog, int id) {
    ::SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0);
}

struct Shown {
    bool highQuality, reflection, autoSnap, bothWays;
    std::string distance, cooldown;
    friend bool operator==(const Shown&, const Shown&) = default;
};

Shown shownIn(HWND dialog) {
    const auto on = [&](int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; };
    return {on(IDC_PROGRAM_HIGH_QUALITY),
            on(IDC_PROGRAM_REFLECTION),
            on(IDC_PROGRAM_AUTO_SNAP),
            on(IDC_PROGRAM_FLOAT_BOTH_WAYS),
            dlgText(dialog, IDC_PROGRAM_FLOAT_DISTANCE),
            dlgText(dialog, IDC_PROGRAM_COOLDOWN)};
}

class ProgramSettingsDialogTest : public ::testing::Test {
  protected:
    void runWith(std::function<void(HWND)> drive) {
        const DWORD thread = ::GetCurrentThreadId();
        bool found = false;
        {
            Driver driver([&] {
                HWND dialog = waitForWindow(thread, L"#32770", L"程序设置");
                found = dialog != nullptr;
                if (dialog == nullptr) return;
                pauseForScreenshot();
                drive(dialog);
                if (!waitUntilGone(dialog)) closeWhateverIsLeft(thread, dialog);
            });
            runProgramSettingsDialog(real.dock(), real.session().instanceHandle);
        }
        EXPECT_TRUE(found);
    }
    DockSettings& settings() { return real.dock().settings; }
    RealDock real;
};

TEST_F(ProgramSettingsDialogTest, OpensWithTheDefaultsAs48And1000AndBothWaysChecked) {
    Shown shown{};
    runWith([&](HWND dialog) {
        shown = shownIn(dialog);
        click(dialog, IDC_PROGRAM_CANCEL);
    });
    EXPECT_EQ(shown, (Shown{false, false, false, true, "48", "1000"}));
}

TEST_F(ProgramSettingsDialogTest, SavingAppliesTheNewDistanceAndStoresTheCooldownFloor) {
    real.AddItem(DockItem{"A", 0, "C:\\a.exe", ""});
    const RECT before = real.windowRect();
    runWith([&](HWND dialog) {
        setText(dialog, IDC_PROGRAM_COOLDOWN, "500");
        setText(dialog, IDC_PROGRAM_FLOAT_DISTANCE, "58");
        click(dialog, IDC_PROGRAM_REFLECTION);
        click(dialog, IDC_PROGRAM_HIGH_QUALITY);
        click(dialog, IDC_PROGRAM_SAVE);
    });
    EXPECT_EQ(settings().launchCooldownMs, 1000);
    EXPECT_EQ(settings().floatDistance, 58);
    EXPECT_EQ(settings().reflection, 1);
    EXPECT_EQ(settings().highQuality, 1);
    EXPECT_EQ(settings().floatBothWays, 1);
    EXPECT_EQ(settings().autoSnap, 0);
    EXPECT_EQ(real.dock().state.metrics.rowTop, real.rowTopFor(48) + 10);
    // The surface was re-created 20 px taller and presenting gave the window
    // that height with its top-left corner kept.
    EXPECT_EQ(real.canvas().SurfaceWidth(), 324);
    EXPECT_EQ(real.canvas().SurfaceHeight(), 360);
    const RECT after = real.windowRect();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.bottom - after.top, 360);
    EXPECT_EQ(after.right - after.left, 324);

    Shown reopened{};
    runWith([&](HWND dialog) {
        reopened = shownIn(dialog);
        ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(reopened, (Shown{true, true, false, true, "58", "1000"}));
}

TEST_F(ProgramSettingsDialogTest, OnlyTheFirst23CharactersOfANumberCount) {
    runWith([&](HWND dialog) {
        setText(dialog, IDC_PROGRAM_FLOAT_DISTANCE, (std::string(21, '0') + "5899").c_str());
        setText(dialog, IDC_PROGRAM_COOLDOWN, (std::string(19, '0') + "250099").c_str());
        click(dialog, IDC_PROGRAM_SAVE);
    });
    EXPECT_EQ(settings().floatDistance, 58);
    EXPECT_EQ(settings().launchCooldownMs, 2500);
}

TEST_F(ProgramSettingsDialogTest, EnterAndEscapeDoNothingAndCancelOrCloseKeepEverything) {
    bool openAfterKeys = false;
    runWith([&](HWND dialog) {
        setText(dialog, IDC_PROGRAM_FLOAT_DISTANCE, "10");
        click(dialog, IDC_PROGRAM_AUTO_SNAP);
        HWND edit = ::GetDlgItem(dialog, IDC_PROGRAM_FLOAT_DISTANCE);
        ::PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        ::PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        openAfterKeys = openAfterPostedMessages(edit);
        click(dialog, IDC_PROGRAM_CANCEL);
    });
    EXPECT_TRUE(openAfterKeys);
    runWith([&](HWND dialog) {
        setText(dialog, IDC_PROGRAM_COOLDOWN, "5000");
        ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(settings().floatDistance, 48);
    EXPECT_EQ(settings().autoSnap, 0);
    EXPECT_EQ(settings().launchCooldownMs, 1000);
    EXPECT_EQ(real.canvas().SurfaceHeight(), 340);
}

}  // namespace
}  // namespace dock::wine
