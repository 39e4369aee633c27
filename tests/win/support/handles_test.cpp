#include "support/handles_win32.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace dock {
namespace {

TEST(UniqueHandle, ClosesTheHandleItOwnsExactlyOnce) {
    HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    {
        UniqueKernelHandle owner(event);
        UniqueKernelHandle moved(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_EQ(moved.get(), event);
    }
    DWORD flags = 0;
    EXPECT_FALSE(::GetHandleInformation(event, &flags)) << "the handle should be closed";
}

TEST(UniqueHandle, AnInvalidFileHandleIsNotClosed) {
    UniqueFile none(INVALID_HANDLE_VALUE);
    EXPECT_FALSE(none);
}

TEST(UniqueHandle, ResetClosesTheOldHandleAndTakesTheNewOne) {
    HANDLE first = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE second = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    UniqueKernelHandle owner(first);
    owner.reset(second);
    DWORD flags = 0;
    EXPECT_FALSE(::GetHandleInformation(first, &flags));
    EXPECT_TRUE(::GetHandleInformation(second, &flags));
}

TEST(WindowDc, ReleasesTheScreenDc) {
    HDC screen = nullptr;
    {
        WindowDc dc(nullptr);
        screen = dc.get();
        ASSERT_NE(screen, nullptr);
        EXPECT_GT(::GetDeviceCaps(screen, HORZRES), 0);
    }
    // Released once already: the system has no use of it left to end.
    EXPECT_EQ(::ReleaseDC(nullptr, screen), 0);
}

TEST(GlobalLockGuard, UnlocksWhenItEnds) {
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, 16));
    ASSERT_TRUE(memory);
    {
        GlobalLockGuard lock(memory.get());
        ASSERT_NE(lock.data(), nullptr);
        EXPECT_EQ(::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT, 1u);
    }
    EXPECT_EQ(::GlobalFlags(memory.get()) & GMEM_LOCKCOUNT, 0u);
}

TEST(ComScope, InitialisesComForItsScope) {
    ComScope com;
    EXPECT_TRUE(SUCCEEDED(com.result()));
    ComPtr<IUnknown> link;
    EXPECT_EQ(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                 link.putVoid()),
              S_OK);
    EXPECT_TRUE(link);
}

}  // namespace
}  // namespace dock
