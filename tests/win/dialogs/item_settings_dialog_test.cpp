// Dialog 1100 run modally from the real resources, worked by a driver thread
// with real messages, on a dock with the real adapters.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <string>

#include "dialog_test_support.h"
#include "items/item_settings_dialog_win32.h"
#include "support/texts.h"

namespace dock::wine {
namespace {

constexpr std::uint16_t kCtrlAltF = 0x0646;
constexpr std::uint16_t kCtrlShiftF = 0x0346;

std::string dlgText(HWND dialog, int id) {
    char buffer[300] = {};
    ::GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
}

class ItemSettingsDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        real.AddItem(DockItem{"Foo", kCtrlAltF, "C:\\windows\\notepad.exe", ""});
        real.dock().state.commands.editedItemIndex = 1;
        other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    }
    void TearDown() override {
        ::UnregisterHotKey(other, 1);
        ::UnregisterHotKey(other, 2);
        ::DestroyWindow(other);
    }
    // Runs the dialog on this thread while `drive` works it from another.
    void runWith(std::function<void(HWND)> drive) {
        const DWORD thread = ::GetCurrentThreadId();
        bool found = false;
        {
            Driver driver([&] {
                HWND dialog = waitForWindow(thread, L"#32770", L"设置");
                found = dialog != nullptr;
                if (dialog == nullptr) return;
                pauseForScreenshot();
                drive(dialog);
                if (!waitUntilGone(dialog)) closeWhateverIsLeft(thread, dialog);
            });
            runItemSettingsDialog(real.dock(), real.session().instanceHandle,
                                  real.session().iconBrowse);
        }
        EXPECT_TRUE(found);
    }
    DockItem& foo() { return real.dock().state.items[1].item; }

    RealDock real;
    HWND other = nullptr;
};

TEST_F(ItemSettingsDialogTest, OpensWithTheTitleInTheCaptionAndEveryFieldFilled) {
    foo().customIconPath = "C:\\icons\\foo.png";
    std::wstring caption;
    std::string title, icon;
    LRESULT hotkey = 0;
    runWith([&](HWND dialog) {
        caption = wideText(dialog);
        title = dlgText(dialog, IDC_ITEM_TITLE);
        icon = dlgText(dialog, IDC_ITEM_ICON);
        hotkey = ::SendDlgItemMessageW(dialog, IDC_ITEM_HOTKEY, HKM_GETHOTKEY, 0, 0);
        ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(caption, L"设置 - Foo");
    EXPECT_EQ(title, "Foo");
    EXPECT_EQ(icon, "C:\\icons\\foo.png");
    EXPECT_EQ(hotkey, kCtrlAltF);
}

TEST_F(ItemSettingsDialogTest, EscapeLeavesItOpenAndEnterSavesAndCloses) {
    bool openAfterEscape = false;
    runWith([&](HWND dialog) {
        HWND edit = ::GetDlgItem(dialog, IDC_ITEM_TITLE);
        ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("\xB2\xE2\xCA\xD4"));
        ::PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        ::Sleep(300);
        openAfterEscape = ::IsWindow(dialog) && ::IsWindowVisible(dialog);
        ::PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    });
    EXPECT_TRUE(openAfterEscape);
    EXPECT_EQ(foo().title, "\xB2\xE2\xCA\xD4");  // 测试
}

TEST_F(ItemSettingsDialogTest, TheCloseBoxAndCancelCloseWithoutSaving) {
    for (bool closeBox : {true, false}) {
        runWith([&](HWND dialog) {
            ::SendDlgItemMessageA(dialog, IDC_ITEM_TITLE, WM_SETTEXT, 0,
                                  reinterpret_cast<LPARAM>("Changed"));
            if (closeBox)
                ::PostMessageW(dialog, WM_CLOSE, 0, 0);
            else
                ::SendDlgItemMessageW(dialog, IDC_ITEM_CANCEL, BM_CLICK, 0, 0);
        });
        EXPECT_EQ(foo().title, "Foo");
    }
}

TEST_F(ItemSettingsDialogTest, SavingAnEmptiedTitleStoresAnEmptyTitle) {
    runWith([&](HWND dialog) {
        ::SendDlgItemMessageA(dialog, IDC_ITEM_TITLE, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        ::SendDlgItemMessageW(dialog, IDC_ITEM_SAVE, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(foo().title, "");
}

TEST_F(ItemSettingsDialogTest, ANewHotkeyReplacesTheOldRegistrationWithTheSystem) {
    runWith([&](HWND dialog) {
        ::SendDlgItemMessageW(dialog, IDC_ITEM_HOTKEY, HKM_SETHOTKEY, kCtrlShiftF, 0);
        ::SendDlgItemMessageW(dialog, IDC_ITEM_SAVE, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(foo().hotkey, kCtrlShiftF);
    // The new combination is held by the dock, the old one is free again.
    EXPECT_FALSE(::RegisterHotKey(other, 1, MOD_CONTROL | MOD_SHIFT, 'F'));
    EXPECT_TRUE(::RegisterHotKey(other, 2, MOD_CONTROL | MOD_ALT, 'F'));
}

TEST_F(ItemSettingsDialogTest, AHotkeyAnotherRegistrationHoldsIsReportedAndLeavesNone) {
    ASSERT_TRUE(::RegisterHotKey(other, 1, MOD_CONTROL | MOD_SHIFT, 'F'));
    const DWORD thread = ::GetCurrentThreadId();
    MessageBoxSeen seen;
    runWith([&](HWND dialog) {
        ::SendDlgItemMessageW(dialog, IDC_ITEM_HOTKEY, HKM_SETHOTKEY, kCtrlShiftF, 0);
        // Posted: saving shows the message box, which this thread must answer.
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_ITEM_SAVE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_ITEM_SAVE)));
        seen = answerMessageBox(thread, L"错误", IDOK);
    });
    EXPECT_EQ(seen.caption, L"错误");
    EXPECT_EQ(seen.text, L"注册快捷键失败!");
    EXPECT_EQ(foo().hotkey, 0);
    // The old combination was released before the attempt.
    EXPECT_TRUE(::RegisterHotKey(other, 2, MOD_CONTROL | MOD_ALT, 'F'));
}

TEST_F(ItemSettingsDialogTest, SavingTheHotkeyUnchangedDoesNotTouchTheRegistration) {
    // Held twice is impossible, so a second registration by the dock would fail.
    ASSERT_FALSE(::RegisterHotKey(other, 1, MOD_CONTROL | MOD_ALT, 'F'));
    runWith([&](HWND dialog) { ::SendDlgItemMessageW(dialog, IDC_ITEM_SAVE, BM_CLICK, 0, 0); });
    EXPECT_EQ(foo().hotkey, kCtrlAltF);
    EXPECT_FALSE(::RegisterHotKey(other, 1, MOD_CONTROL | MOD_ALT, 'F'));
}

class CustomIconTest : public ItemSettingsDialogTest {
  protected:
    void SetUp() override {
        ItemSettingsDialogTest::SetUp();
        char base[MAX_PATH];
        ::GetTempPathA(MAX_PATH, base);
        folder = std::string(base) + "dialogs_" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(folder.c_str(), nullptr);
    }
    void TearDown() override {
        for (const char* name : {"\\bg.png", "\\broken.png"})
            ::DeleteFileA((folder + name).c_str());
        ::RemoveDirectoryA(folder.c_str());
        ItemSettingsDialogTest::TearDown();
    }
    void saveIcon(const std::string& path) {
        runWith([&](HWND dialog) {
            ::SendDlgItemMessageA(dialog, IDC_ITEM_ICON, WM_SETTEXT, 0,
                                  reinterpret_cast<LPARAM>(path.c_str()));
            ::SendDlgItemMessageW(dialog, IDC_ITEM_SAVE, BM_CLICK, 0, 0);
        });
    }
    const Picture& picture() { return *real.dock().state.pictures.imagePool[0]; }
    std::string folder;
};

TEST_F(CustomIconTest, AnExistingPictureReplacesTheItemsPicture) {
    writeBytes(folder + "\\bg.png",
               std::string(embedded::BackgroundPicture.begin(), embedded::BackgroundPicture.end()));
    saveIcon(folder + "\\bg.png");
    EXPECT_EQ(foo().customIconPath, folder + "\\bg.png");
    EXPECT_EQ(picture().Width(), 107u);
    EXPECT_EQ(picture().Height(), 104u);
}

TEST_F(CustomIconTest, APathNamingNothingKeepsThePictureAndThePath) {
    saveIcon(folder + "\\missing.png");
    EXPECT_EQ(foo().customIconPath, "");
    EXPECT_EQ(picture().Width(), 72u);
}

TEST_F(CustomIconTest, AFileThatIsNoPictureGivesTheDefaultPictureInsteadOfNone) {
    real.dock().state.pictures.imagePool[0]->LoadFromMemory(embedded::BackgroundPicture);
    writeBytes(folder + "\\broken.png", "this is no picture");
    ASSERT_EQ(::GetFileAttributesA((moduleDirectory() + "/res/2.png").c_str()),
              INVALID_FILE_ATTRIBUTES);
    saveIcon(folder + "\\broken.png");
    EXPECT_EQ(foo().customIconPath, folder + "\\broken.png");
    ASSERT_TRUE(picture().IsLoaded());
    EXPECT_EQ(picture().Width(), 72u);  // the built-in default picture
}

TEST_F(CustomIconTest, BrowsingFillsThePathAndTheNextBrowseStartsWithTheFilterChosenLast) {
    const std::string chosen = folder + "\\bg.png";
    writeBytes(chosen, "x");
    const DWORD thread = ::GetCurrentThreadId();
    std::string field;
    LRESULT secondFilter = -1;
    bool firstFound = false, secondFound = false;
    runWith([&](HWND dialog) {
        const auto browse = [&] {
            // Posted: the open-file dialog runs its own loop on the test thread.
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_ITEM_BROWSE, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_ITEM_BROWSE)));
            return waitForWindow(thread, L"#32770", L"请选择图标文件.");
        };
        HWND open = browse();
        firstFound = open != nullptr;
        if (open == nullptr) return;
        pauseForScreenshot();
        HWND filter = ::GetDlgItem(open, cmb1);
        ::SendMessageW(filter, CB_SETCURSEL, 1, 0);
        ::SendMessageW(open, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK),
                       reinterpret_cast<LPARAM>(filter));
        // The explorer-style dialog names the file in a combo box, the old one in an edit.
        HWND name = ::GetDlgItem(open, cmb13);
        if (name == nullptr) name = ::GetDlgItem(open, edt1);
        ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
        ::PostMessageW(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        if (!waitUntilGone(open)) ::PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
        field = dlgText(dialog, IDC_ITEM_ICON);

        open = browse();
        secondFound = open != nullptr;
        if (open == nullptr) return;
        secondFilter = ::SendDlgItemMessageW(open, cmb1, CB_GETCURSEL, 0, 0);
        ::PostMessageW(open, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        waitUntilGone(open);
        ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_TRUE(firstFound);
    EXPECT_TRUE(secondFound);
    EXPECT_EQ(field, chosen);
    EXPECT_EQ(secondFilter, 1);           // PNG, as chosen the first time
    EXPECT_EQ(foo().customIconPath, "");  // closed without saving
}

TEST(IconBrowseRequest, SetsTheFieldsOfEveryBrowseAndKeepsTheRest) {
    IconBrowseRequest browse;
    HWND owner = reinterpret_cast<HWND>(0x1234);
    prepareIconBrowse(browse, owner, ::GetModuleHandleA(nullptr), "C:\\Dock");
    const OPENFILENAMEA& r = browse.request;
#ifdef _WIN64
    EXPECT_EQ(r.lStructSize, 136u);  // the pre-2000 layout, 76 bytes in a 32-bit build
#else
    EXPECT_EQ(r.lStructSize, 76u);
#endif
    EXPECT_EQ(r.lStructSize, OPENFILENAME_SIZE_VERSION_400A);
    EXPECT_EQ(r.hwndOwner, owner);
    EXPECT_EQ(r.hInstance, ::GetModuleHandleA(nullptr));
    EXPECT_EQ(std::string(r.lpstrFilter, 47), iconFileFilter());
    EXPECT_EQ(std::string(r.lpstrFile), std::string(254, ' '));
    EXPECT_EQ(r.nMaxFile, 255u);
    EXPECT_EQ(std::string(r.lpstrFileTitle), std::string(254, ' '));
    EXPECT_EQ(r.nMaxFileTitle, 255u);
    EXPECT_STREQ(r.lpstrInitialDir, "C:\\Dock");
    EXPECT_EQ(std::string(r.lpstrTitle), std::string(texts::kBrowseTitle));
    EXPECT_EQ(r.nFilterIndex, 0u);
    EXPECT_EQ(r.Flags, 0u);
    // What a browse returned stays for the next one.
    browse.request.nFilterIndex = 2;
    browse.request.Flags = OFN_EXPLORER;
    prepareIconBrowse(browse, owner, nullptr, "D:\\Other");
    EXPECT_EQ(browse.request.nFilterIndex, 2u);
    EXPECT_EQ(browse.request.Flags, static_cast<DWORD>(OFN_EXPLORER));
    EXPECT_STREQ(browse.request.lpstrInitialDir, "D:\\Other");
}

}  // namespace
}  // namespace dock::wine
