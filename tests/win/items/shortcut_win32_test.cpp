#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "items/icon_extraction.h"
#include "items/icon_source_win32.h"
#include "items_test_support.h"
#include "support/handles_win32.h"

namespace dock {
namespace {

using testing::fileExists;
using testing::ScratchFolder;
using testing::testDirectory;

std::wstring wide(const std::string& text) {
    std::wstring out(std::size_t(::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0)),
                     L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out.data(), int(out.size()));
    out.pop_back();
    return out;
}

// Saves a shell shortcut at `linkPath` pointing at `target`.
void makeShortcut(const std::string& linkPath, const std::string& target) {
    ComScope com;
    ComPtr<IShellLinkA> link;
    ASSERT_HRESULT_SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                                IID_IShellLinkA, link.putVoid()));
    ASSERT_HRESULT_SUCCEEDED(link->SetPath(target.c_str()));
    ComPtr<IPersistFile> file;
    ASSERT_HRESULT_SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.putVoid()));
    ASSERT_HRESULT_SUCCEEDED(file->Save(wide(linkPath).c_str(), TRUE));
}

struct ShortcutWin32 : ::testing::Test {
    ScratchFolder folder{"items_links"};
};

TEST_F(ShortcutWin32, ResolvesAShortcutToAnExecutableToItsFullPath) {
    makeShortcut(folder / "notepad.lnk", "C:\\windows\\notepad.exe");
    EXPECT_EQ(resolveShortcut(folder / "notepad.lnk"), "C:\\windows\\notepad.exe");
}

TEST_F(ShortcutWin32, ResolvesShortcutsToAFolderAndToADocument) {
    const std::string document = folder / "notes.txt";
    testing::writeTextFile(document, "notes");
    makeShortcut(folder / "folder.lnk", folder.path());
    makeShortcut(folder / "notes.lnk", document);
    EXPECT_EQ(resolveShortcut(folder / "folder.lnk"), folder.path());
    EXPECT_EQ(resolveShortcut(folder / "notes.lnk"), document);
    // Their targets have no icon of their own.
    Win32IconSource source;
    EXPECT_TRUE(extractExeIcon(source, resolveShortcut(folder / "notes.lnk")).empty());
}

TEST_F(ShortcutWin32, LoadsAnUpperCaseSuffixAsItIs) {
    makeShortcut(folder / "NOTEPAD.LNK", "C:\\windows\\notepad.exe");
    EXPECT_EQ(resolveShortcut(folder / "NOTEPAD.LNK"), "C:\\windows\\notepad.exe");
}

TEST_F(ShortcutWin32, AppendsTheSuffixToAPathWithoutIt) {
    makeShortcut(folder / "notepad.lnk", "C:\\windows\\notepad.exe");
    EXPECT_EQ(resolveShortcut(folder / "notepad"), "C:\\windows\\notepad.exe");
    makeShortcut(folder / "copy.lnk.bak.lnk", "C:\\windows\\notepad.exe");
    EXPECT_EQ(resolveShortcut(folder / "copy.lnk.bak"), "C:\\windows\\notepad.exe");
}

TEST_F(ShortcutWin32, GivesEmptyTextForAMissingShortcutOrAFileThatIsNone) {
    testing::writeTextFile(folder / "fake.lnk", "not a shortcut");
    EXPECT_EQ(resolveShortcut(folder / "missing.lnk"), "");
    EXPECT_EQ(resolveShortcut(folder / "fake.lnk"), "");
    EXPECT_EQ(resolveShortcut(""), "");
}

TEST_F(ShortcutWin32, ReadsGbkPathsThroughTheAnsiCodePage) {
    if (::GetACP() != 936) GTEST_SKIP() << "needs the GBK code page";
    const std::string dir = folder / "\xB3\xCC\xD0\xF2";  // 程序
    ASSERT_TRUE(::CreateDirectoryA(dir.c_str(), nullptr));
    const std::string target = dir + "\\\xB1\xE0\xBC\xAD.txt";  // 编辑.txt
    testing::writeTextFile(target, "x");
    makeShortcut(dir + "\\\xB1\xE0\xBC\xAD.lnk", target);
    EXPECT_EQ(resolveShortcut(dir + "\\\xB1\xE0\xBC\xAD.lnk"), target);
}

TEST_F(ShortcutWin32, LeavesCallersComInitialisationAlone) {
    ASSERT_HRESULT_SUCCEEDED(::CoInitialize(nullptr));
    makeShortcut(folder / "notepad.lnk", "C:\\windows\\notepad.exe");
    EXPECT_EQ(resolveShortcut(folder / "notepad.lnk"), "C:\\windows\\notepad.exe");
    // Still initialised: a further CoInitialize only counts up.
    EXPECT_EQ(::CoInitialize(nullptr), S_FALSE);
    ::CoUninitialize();
    ::CoUninitialize();
}

TEST_F(ShortcutWin32, NeverRunsTheStartUpCodeOfTheTargetWhoseIconItReads) {
    const std::string tool = folder / "tool.exe";
    ASSERT_TRUE(::CopyFileA((testDirectory() + "\\marker.dll").c_str(), tool.c_str(), FALSE));
    makeShortcut(folder / "tool.lnk", tool);
    Win32IconSource source;
    const std::string target = source.ResolveShortcut(folder / "tool.lnk");
    EXPECT_EQ(target, tool);
    EXPECT_EQ(extractExeIcon(source, target).size(), 22u + 18);  // "image 48x48 32-bit"
    EXPECT_FALSE(fileExists(tool + ".ran"));
}

}  // namespace
}  // namespace dock
