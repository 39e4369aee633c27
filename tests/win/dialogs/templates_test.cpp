// Every template the program carries, loaded from the linked resources and
// built by the real dialog manager and menu loader.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <commctrl.h>

#include "dialog_test_support.h"
#include "support/handles_win32.h"

namespace dock::wine {
namespace {

struct Control {
    int id;
    std::wstring cls;
    std::wstring text;
    RECT units;  // x, y, width, height in dialog units
    LONG style;  // bits that must be set
    LONG exStyle;
    friend bool operator==(const Control&, const Control&) = default;
};

INT_PTR CALLBACK inertProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The controls in template order, with positions turned back into dialog units.
std::vector<Control> controlsOf(HWND dialog) {
    RECT base{0, 0, 4, 8};
    ::MapDialogRect(dialog, &base);
    std::vector<Control> out;
    for (HWND c = ::GetWindow(dialog, GW_CHILD); c != nullptr; c = ::GetWindow(c, GW_HWNDNEXT)) {
        RECT r{};
        ::GetWindowRect(c, &r);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        const auto x = [&](LONG px) { return MulDiv(px, 4, base.right); };
        const auto y = [&](LONG px) { return MulDiv(px, 8, base.bottom); };
        out.push_back({::GetDlgCtrlID(c), className(c), wideText(c),
                       RECT{x(r.left), y(r.top), x(r.right - r.left), y(r.bottom - r.top)},
                       static_cast<LONG>(::GetWindowLongPtrW(c, GWL_STYLE)),
                       static_cast<LONG>(::GetWindowLongPtrW(c, GWL_EXSTYLE))});
    }
    return out;
}

struct Expected {
    int id;
    const wchar_t* cls;
    const wchar_t* text;
    RECT units;
    LONG style;     // bits that must be set
    LONG typeMask;  // the low bits compared exactly with `style & typeMask`
    bool clientEdge;
};

void expectControls(HWND dialog, const std::vector<Expected>& expected) {
    const std::vector<Control> controls = controlsOf(dialog);
    ASSERT_EQ(controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Control& c = controls[i];
        const Expected& e = expected[i];
        SCOPED_TRACE("control " + std::to_string(e.id));
        EXPECT_EQ(c.id, e.id);
        EXPECT_EQ(c.cls, e.cls);
        EXPECT_EQ(c.text, e.text);
        // Rounding through pixels may be off by one unit.
        EXPECT_NEAR(c.units.left, e.units.left, 1);
        EXPECT_NEAR(c.units.top, e.units.top, 1);
        EXPECT_NEAR(c.units.right, e.units.right, 1);
        EXPECT_NEAR(c.units.bottom, e.units.bottom, 1);
        EXPECT_EQ(c.style & e.style, e.style);
        if (e.typeMask != 0) {
            EXPECT_EQ(c.style & e.typeMask, e.style & e.typeMask);
        }
        EXPECT_EQ((c.exStyle & WS_EX_CLIENTEDGE) != 0, e.clientEdge);
    }
}

struct DialogFromResources {
    explicit DialogFromResources(int id)
        : window(::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr,
                                      inertProc, 0)) {}
    ~DialogFromResources() { ::DestroyWindow(window); }
    HWND window;
};

void expectDialogFrame(HWND dialog, const wchar_t* caption, LONG width, LONG height) {
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(wideText(dialog), caption);
    const LONG style = static_cast<LONG>(::GetWindowLongPtrW(dialog, GWL_STYLE));
    const LONG wanted = static_cast<LONG>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style & wanted, wanted);
    const LONG ex = static_cast<LONG>(::GetWindowLongPtrW(dialog, GWL_EXSTYLE));
    EXPECT_EQ(ex & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    RECT client{};
    ::GetClientRect(dialog, &client);
    RECT units{0, 0, width, height};
    ::MapDialogRect(dialog, &units);
    EXPECT_EQ(client.right, units.right);
    EXPECT_EQ(client.bottom, units.bottom);
    // DS_CENTER: the dialog's centre is the work area's centre.
    RECT work{}, frame{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ::GetWindowRect(dialog, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, (work.left + work.right) / 2, 2);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, (work.top + work.bottom) / 2, 2);
}

constexpr LONG kTab = WS_TABSTOP;
constexpr LONG kTypeMask = 0x0F;  // BS_TYPEMASK / the SS_ type bits

TEST(ItemSettingsTemplate, HasItsCaptionFrameAndNineControlsInOrder) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_HOTKEY_CLASS};
    ::InitCommonControlsEx(&classes);
    DialogFromResources dialog(IDD_ITEM_SETTINGS);
    expectDialogFrame(dialog.window, L"设置", 211, 64);
    const LONG label = SS_RIGHT | SS_CENTERIMAGE;
    const LONG edit = kTab | ES_AUTOHSCROLL;
    expectControls(
        dialog.window,
        {{1101, L"Static", L"自定义标题:", {3, 9, 48, 12}, label, kTypeMask, false},
         {1103, L"Edit", L"", {51, 6, 156, 15}, edit, 0, true},
         {1102, L"Static", L"自定义图标:", {3, 27, 48, 12}, label, kTypeMask, false},
         {1104, L"Edit", L"", {51, 24, 120, 15}, edit, 0, true},
         {1107, L"Button", L"浏览(&B)", {171, 24, 36, 15}, kTab | BS_PUSHBUTTON, kTypeMask, false},
         {1109, L"Static", L"运行快捷键:", {3, 45, 48, 12}, label, kTypeMask, false},
         {1108, L"msctls_hotkey32", L"", {51, 42, 54, 15}, kTab, 0, true},  // its own edge
         {1105,
          L"Button",
          L"保存设置(&S)",
          {108, 45, 60, 15},
          kTab | BS_DEFPUSHBUTTON,
          kTypeMask,
          false},
         {1106,
          L"Button",
          L"取消(&C)",
          {168, 45, 39, 15},
          kTab | BS_PUSHBUTTON,
          kTypeMask,
          false}});
    // The labels are no tab stops.
    for (int id : {1101, 1102, 1109})
        EXPECT_EQ(::GetWindowLongPtrW(::GetDlgItem(dialog.window, id), GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(LOWORD(::SendMessageW(dialog.window, DM_GETDEFID, 0, 0)), IDC_ITEM_SAVE);
}

// The box is as wide as the dialog font makes 54 units; the control writes
// the key names joined by " + " one border width in from its left edge.
TEST(ItemSettingsTemplate, TheHotkeyBoxShowsCtrlAltAWhole) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_HOTKEY_CLASS};
    ::InitCommonControlsEx(&classes);
    DialogFromResources dialog(IDD_ITEM_SETTINGS);
    HWND box = ::GetDlgItem(dialog.window, IDC_ITEM_HOTKEY);
    std::wstring shown;
    for (UINT key : {UINT{VK_CONTROL}, UINT{VK_MENU}, UINT{'A'}}) {
        wchar_t name[32] = {};
        ::GetKeyNameTextW(static_cast<LONG>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC) << 16), name,
                          32);
        shown += (shown.empty() ? L"" : L" + ") + std::wstring(name);
    }
    UniqueDc dc(::CreateCompatibleDC(nullptr));
    ::SelectObject(dc.get(), reinterpret_cast<HFONT>(::SendMessageW(box, WM_GETFONT, 0, 0)));
    SIZE text{};
    ::GetTextExtentPoint32W(dc.get(), shown.c_str(), static_cast<int>(shown.size()), &text);
    RECT client{};
    ::GetClientRect(box, &client);
    EXPECT_LE(::GetSystemMetrics(SM_CXBORDER) + text.cx, client.right);
}

TEST(ProgramSettingsTemplate, HasItsCaptionFrameAndFourteenControlsInOrder) {
    DialogFromResources dialog(IDD_PROGRAM_SETTINGS);
    expectDialogFrame(dialog.window, L"程序设置", 118, 124);
    const LONG check = BS_AUTOCHECKBOX;
    const LONG number = ES_NUMBER;
    expectControls(
        dialog.window,
        {{1209, L"Static", L"高画质:", {0, 6, 54, 9}, SS_RIGHT, kTypeMask, false},
         {1201, L"Button", L"开启此项", {54, 6, 54, 9}, check, kTypeMask, false},
         {1210, L"Static", L"倒影:", {0, 21, 54, 9}, SS_RIGHT, kTypeMask, false},
         {1202, L"Button", L"开启此项", {54, 21, 54, 9}, check, kTypeMask, false},
         {1211, L"Static", L"自动吸附:", {0, 36, 54, 9}, SS_RIGHT, kTypeMask, false},
         {1203, L"Button", L"开启此项", {54, 36, 54, 9}, check, kTypeMask, false},
         {1213, L"Static", L"双向浮动:", {0, 52, 54, 9}, SS_RIGHT, kTypeMask, false},
         {1204, L"Button", L"开启此项", {54, 51, 54, 9}, check, kTypeMask, false},
         {1212, L"Static", L"浮动距离:", {0, 69, 54, 9}, SS_RIGHT, kTypeMask, false},
         {1205, L"Edit", L"", {54, 66, 54, 15}, number, 0, true},
         {1214, L"Static", L"双击冷却时间:", {0, 87, 54, 9}, SS_RIGHT, kTypeMask, false},
         {1206, L"Edit", L"", {54, 84, 54, 15}, number, 0, true},
         {1207, L"Button", L"保存设置(&S)", {3, 105, 66, 15}, BS_PUSHBUTTON, kTypeMask, false},
         {1208, L"Button", L"取消(&C)", {69, 105, 45, 15}, BS_PUSHBUTTON, kTypeMask, false}});
    // Neither button is the default one: Enter gives IDOK, which does nothing.
    EXPECT_EQ(LOWORD(::SendMessageW(dialog.window, DM_GETDEFID, 0, 0)), IDOK);
}

struct Entry {
    UINT id;            // 0 for a separator and for a submenu
    std::wstring text;  // empty for a separator
    std::vector<Entry> submenu;
    friend bool operator==(const Entry&, const Entry&) = default;
};

// The entries of a popup in display order, enabled and unchecked as loaded.
std::vector<Entry> entriesOf(HMENU popup) {
    std::vector<Entry> entries;
    for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
        wchar_t text[64] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 64;
        ::GetMenuItemInfoW(popup, i, TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            entries.push_back({0, L"", {}});
        } else if (info.hSubMenu != nullptr) {
            entries.push_back({0, text, entriesOf(info.hSubMenu)});
        } else {
            entries.push_back({info.wID, text, {}});
            EXPECT_EQ(info.fState, 0u) << info.wID;
        }
    }
    return entries;
}

TEST(ContextMenuTemplate, IsOnePopupWithTheEntriesInDisplayOrder) {
    UniqueMenu menu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_CONTEXT)));
    ASSERT_TRUE(menu);
    ASSERT_EQ(::GetMenuItemCount(menu.get()), 1);
    wchar_t title[64] = {};
    ::GetMenuStringW(menu.get(), 0, title, 64, MF_BYPOSITION);
    EXPECT_STREQ(title, L"右键菜单");
    HMENU popup = ::GetSubMenu(menu.get(), 0);
    ASSERT_NE(popup, nullptr);
    // The classic entries keep their texts, ids and order; the new ones sit
    // after 删除选项 and 程序设置.
    EXPECT_EQ(entriesOf(popup), (std::vector<Entry>{{10001, L"设置选项(&S)", {}},
                                                    {10002, L"删除选项(&D)", {}},
                                                    {10100, L"添加项目(&N)...", {}},
                                                    {0, L"", {}},
                                                    {10006, L"总在最前(&A)", {}},
                                                    {10005, L"锁定位置(&L)", {}},
                                                    {10004, L"程序设置(&O)", {}},
                                                    {0,
                                                     L"扩展功能(&X)",
                                                     {{10101, L"拖动排序", {}},
                                                      {10102, L"运行指示", {}},
                                                      {10103, L"激活已运行", {}},
                                                      {10104, L"全屏避让", {}},
                                                      {0, L"", {}},
                                                      {10110, L"键盘模式", {}},
                                                      {10111, L"快捷键角标", {}},
                                                      {0, L"", {}},
                                                      {10120, L"高清图标", {}},
                                                      {10121, L"高分屏适配", {}},
                                                      {0, L"", {}},
                                                      {10130, L"自动隐藏", {}},
                                                      {10131, L"智能隐藏", {}},
                                                      {0, L"", {}},
                                                      {10140, L"拖放打开", {}},
                                                      {10141, L"启动反馈", {}},
                                                      {0, L"", {}},
                                                      {10105, L"开机启动(&W)", {}}}},
                                                    {0, L"", {}},
                                                    {10003, L"退出程序(&E)", {}}}));
}

}  // namespace
}  // namespace dock::wine
