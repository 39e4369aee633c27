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

TEST(UniqueHandle, PutClosesWhatIsHeldAndTakesWhatTheCallWrites) {
    // A named event is gone once its only handle is closed.
    const char* name = "dock-handles-test-put";
    UniqueKernelHandle owner(::CreateEventA(nullptr, TRUE, FALSE, name));
    ASSERT_TRUE(owner);
    const UniqueKernelHandle source(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), source.get(), ::GetCurrentProcess(),
                                  owner.put(), 0, FALSE, DUPLICATE_SAME_ACCESS));
    EXPECT_EQ(::OpenEventA(SYNCHRONIZE, FALSE, name), nullptr) << "the old handle should be closed";
    DWORD flags = 0;
    EXPECT_TRUE(::GetHandleInformation(owner.get(), &flags));
}

TEST(SelectionGuard, PutsTheOldObjectBackWhenItEnds) {
    UniqueDc dc(::CreateCompatibleDC(nullptr));
    UniqueBitmap bitmap(::CreateCompatibleBitmap(dc.get(), 4, 4));
    ASSERT_TRUE(dc && bitmap);
    const HGDIOBJ original = ::GetCurrentObject(dc.get(), OBJ_BITMAP);
    {
        SelectionGuard selected(dc.get(), bitmap.get());
        EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
    }
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BITMAP), original);
}

TEST(WindowDc, ReleasesTheScreenDc) {
    WindowDc dc(nullptr);
    ASSERT_NE(dc.get(), nullptr);
    EXPECT_GT(::GetDeviceCaps(dc.get(), HORZRES), 0);
}

TEST(GlobalLockGuard, UnlocksWhenItEnds) {
    UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, 16));
    ASSERT_TRUE(memory);
    {
        GlobalLockGuard lock(memory.get());
        ASSERT_NE(lock.get(), nullptr);
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
