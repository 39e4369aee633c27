#include "items/drop_win32.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>

#include "fakes/fake_platform.h"

namespace dock {
namespace {

using ::testing::ElementsAre;

LRESULT CALLBACK dropWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DROPFILES) {
        auto* dock = reinterpret_cast<Dock*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        handleDroppedFiles(*dock, reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// What the shell hands over: DROPFILES, then the ANSI names, each ended by a
// NUL, and one more NUL.
HGLOBAL makeDrop(const std::vector<std::string>& names) {
    std::size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& name : names) size += name.size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    char* at = reinterpret_cast<char*>(drop + 1);
    for (const std::string& name : names) {
        std::memcpy(at, name.c_str(), name.size() + 1);
        at += name.size() + 1;
    }
    ::GlobalUnlock(memory);
    return memory;
}

struct DropWin32 : ::testing::Test {
    testing::FakePlatform fake;
    HWND window = nullptr;

    DropWin32() {
        fake.dock.state.pictures.backgroundImage =
            std::make_unique<testing::FakePicture>(fake.files);
        fake.dock.state.pictures.trayImage = std::make_unique<testing::FakePicture>(fake.files);
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = dropWindowProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ItemsDropTest";
        ::RegisterClassA(&windowClass);
        window = ::CreateWindowExA(0, "ItemsDropTest", "drop", WS_POPUP, 0, 0, 100, 100, nullptr,
                                   nullptr, windowClass.hInstance, nullptr);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&fake.dock));
    }
    ~DropWin32() override { ::DestroyWindow(window); }

    std::vector<std::string> targets() const {
        std::vector<std::string> out;
        for (int i = 1; i <= fake.dock.state.items.Count(); ++i)
            out.push_back(fake.dock.state.items[i].item.targetPath);
        return out;
    }
};

TEST_F(DropWin32, AddsEveryDroppedNameWholeInTheShellsOrder) {
    ASSERT_NE(window, nullptr) << ::GetLastError();
    const std::string longName = "C:\\" + std::string(280, 'd') + "\\Long Name.txt";
    const std::string gbkName = "C:\\\xB3\xCC\xD0\xF2\\\x95\x5C\xC6\xF7.exe";
    fake.dock.state.frame.pointerX = 10000;  // right of the middle: appended in order
    ::SendMessageA(window, WM_DROPFILES, WPARAM(makeDrop({"C:\\Apps\\Foo.EXE", longName, gbkName})),
                   0);
    ASSERT_GT(longName.size(), 259u);
    EXPECT_THAT(targets(), ElementsAre("C:\\Apps\\Foo.EXE", longName, gbkName));
    EXPECT_EQ(fake.dock.state.items[1].item.title, "Foo");
    EXPECT_EQ(fake.dock.state.items[2].item.title, "Long Name");
    EXPECT_EQ(fake.dock.state.items[3].item.title, "\x95\x5C\xC6\xF7");
    // One growth, redraw and drop acceptance per name.
    EXPECT_EQ(fake.window.placements.size(), 3u);
    EXPECT_EQ(fake.window.dropAccepts, 3);
    EXPECT_EQ(fake.canvas.Only("Present").size(), 3u);
}

TEST_F(DropWin32, InsertsNamesDroppedOnTheLeftHalfAtTheFrontReversed) {
    fake.dock.state.frame.pointerX = 5;
    ::SendMessageA(window, WM_DROPFILES, WPARAM(makeDrop({"C:\\a.txt", "C:\\b.txt"})), 0);
    EXPECT_THAT(targets(), ElementsAre("C:\\b.txt", "C:\\a.txt"));
}

TEST_F(DropWin32, ReleasesTheDropHandle) {
    HGLOBAL memory = makeDrop({"C:\\a.txt"});
    ::SendMessageA(window, WM_DROPFILES, WPARAM(memory), 0);
    EXPECT_EQ(fake.dock.state.items.Count(), 1);
    ::SetLastError(0);
    EXPECT_EQ(::GlobalSize(memory), 0u);
}

}  // namespace
}  // namespace dock
