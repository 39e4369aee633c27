// The file, profile, program-directory and lead-byte adapters against the real API.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "config/files_win32.h"
#include "support/lead_bytes_win32.h"
#include "config/profile_win32.h"
#include "support/program_directory_win32.h"
#include "support/text.h"
#include "temp_folder.h"

namespace dock {
namespace {

using testing::TempFolder;

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string textOf(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

class Files : public ::testing::Test {
  protected:
    TempFolder folder;
    Win32FileSystem files;
};

TEST_F(Files, WriteWholeFileOverALongerFileLeavesOnlyTheNewBytes) {
    const std::string path = folder.File("a.txt");
    ASSERT_TRUE(files.WriteWholeFile(path, bytesOf("a much longer first content")));
    ASSERT_TRUE(files.WriteWholeFile(path, bytesOf("short")));
    EXPECT_EQ(textOf(files.ReadWholeFile(path)), "short");
    EXPECT_TRUE(files.WriteWholeFile(path, {}));
    EXPECT_TRUE(files.FileExists(path));
    EXPECT_EQ(files.ReadWholeFile(path).size(), 0u);
}

TEST_F(Files, ReadWholeFileIsEmptyForAMissingFileOrAFolder) {
    EXPECT_TRUE(files.ReadWholeFile(folder.File("none")).empty());
    EXPECT_TRUE(files.ReadWholeFile(folder.path()).empty());
}

TEST_F(Files, ReadWholeFileReadsAFileAnotherWriterHoldsOpen) {
    const std::string path = folder.File("shared.bin");
    ASSERT_TRUE(files.WriteWholeFile(path, bytesOf(std::string("a\0b\xB1\xED", 5))));
    HANDLE writer = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(textOf(files.ReadWholeFile(path)), std::string("a\0b\xB1\xED", 5));
    ::CloseHandle(writer);
}

TEST_F(Files, WriteWholeFileIsExclusiveAndFailsWhileTheFileIsOpen) {
    const std::string path = folder.File("held.txt");
    ASSERT_TRUE(files.WriteWholeFile(path, bytesOf("old")));
    HANDLE reader = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(files.WriteWholeFile(path, bytesOf("new")));
    ::CloseHandle(reader);
    EXPECT_EQ(textOf(files.ReadWholeFile(path)), "old");
}

TEST_F(Files, FileExistsIsTrueForFilesAndFolders) {
    EXPECT_TRUE(files.FileExists(folder.path()));
    EXPECT_FALSE(files.FileExists(folder.File("x.png")));
    ASSERT_TRUE(files.WriteWholeFile(folder.File("x.png"), bytesOf("x")));
    EXPECT_TRUE(files.FileExists(folder.File("x.png")));
    // Forward slashes after the folder are accepted, as "/res/2.png" relies on.
    EXPECT_TRUE(files.FileExists(folder.path() + "/x.png"));
}

TEST_F(Files, RenameAndCopyFailWhenTheTargetExists) {
    const std::string a = folder.File("a"), b = folder.File("b"), c = folder.File("c");
    ASSERT_TRUE(files.WriteWholeFile(a, bytesOf("A")));
    ASSERT_TRUE(files.WriteWholeFile(b, bytesOf("B")));
    EXPECT_FALSE(files.RenameFile(a, b));
    EXPECT_FALSE(files.CopyNewFile(a, b));
    EXPECT_EQ(textOf(files.ReadWholeFile(b)), "B");
    EXPECT_TRUE(files.CopyNewFile(a, c));
    EXPECT_EQ(textOf(files.ReadWholeFile(c)), "A");
    EXPECT_TRUE(files.DeleteExistingFile(c));
    EXPECT_FALSE(files.DeleteExistingFile(c));
    EXPECT_TRUE(files.RenameFile(a, c));
    EXPECT_FALSE(files.FileExists(a));
    EXPECT_EQ(textOf(files.ReadWholeFile(c)), "A");
}

TEST_F(Files, ReplaceFileAtomicallyPutsTheNewFileInPlaceOfTheOld) {
    const std::string fresh = folder.File("config.ini.tmp"), target = folder.File("config.ini");
    ASSERT_TRUE(files.WriteWholeFile(fresh, bytesOf("new")));
    EXPECT_TRUE(files.ReplaceFileAtomically(fresh, target));  // no target yet
    ASSERT_TRUE(files.WriteWholeFile(fresh, bytesOf("newer")));
    EXPECT_TRUE(files.ReplaceFileAtomically(fresh, target));
    EXPECT_FALSE(files.FileExists(fresh));
    EXPECT_EQ(textOf(files.ReadWholeFile(target)), "newer");
    EXPECT_FALSE(files.ReplaceFileAtomically(fresh, target)) << "nothing left to move";
}

TEST_F(Files, FlushToDiskWorksOnAnExistingFileEvenWhileAReaderHoldsIt) {
    const std::string path = folder.File("config.ini.tmp");
    EXPECT_FALSE(files.FlushToDisk(path));
    ASSERT_TRUE(files.WriteWholeFile(path, bytesOf("filled")));
    HANDLE reader = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(files.FlushToDisk(path));
    ::CloseHandle(reader);
    EXPECT_EQ(textOf(files.ReadWholeFile(path)), "filled");
}

TEST_F(Files, AReadOnlyFileIsNeitherWrittenNorReplaced) {
    const std::string path = folder.File("config.ini"), fresh = folder.File("config.ini.tmp");
    ASSERT_TRUE(files.WriteWholeFile(path, bytesOf("mine")));
    ASSERT_TRUE(files.WriteWholeFile(fresh, bytesOf("new")));
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(files.WriteWholeFile(path, bytesOf("new")));
    EXPECT_FALSE(files.ReplaceFileAtomically(fresh, path));
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(textOf(files.ReadWholeFile(path)), "mine");
}

TEST_F(Files, SleepMsWaitsAtLeastTheTime) {
    // The tick count moves in steps of several milliseconds; the counter does not.
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    files.SleepMs(50);
    ::QueryPerformanceCounter(&end);
    EXPECT_GE((end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart, 49);
}

class Profile : public ::testing::Test {
  protected:
    void Write(const std::string& text) { ASSERT_TRUE(files.WriteWholeFile(file, bytesOf(text))); }
    std::string Read(const std::string& section, const std::string& key,
                     const std::string& defaultText = "") {
        return profile.ReadProfileText(file, section, key, defaultText);
    }
    TempFolder folder;
    std::string file = folder.File("p.ini");
    Win32FileSystem files;
    Win32ProfileStore profile;
};

TEST_F(Profile, ReadsTheReadersRulesForAbsentEmptyBlankAndQuotedValues) {
    Write(
        "[s]\r\n"
        "empty=\r\n"
        "padded =   v w  \r\n"
        "dq=\"  in quotes  \"\r\n"
        "sq='x'\r\n"
        "twice=\"\"a\"\"\r\n"
        "[\xB3\xCC\xD0\xF2\xC9\xE8\xD6\xC3]\r\n"
        "\xD7\xF3\xB1\xDF=-12\r\n");
    EXPECT_EQ(Read("s", "absent", "dflt"), "dflt");
    EXPECT_EQ(Read("s", "absent"), "");
    EXPECT_EQ(Read("s", "empty", "dflt"), "");
    EXPECT_EQ(Read("s", "padded"), "v w");
    EXPECT_EQ(Read("s", "dq"), "  in quotes  ");
    EXPECT_EQ(Read("s", "sq"), "x");
    EXPECT_EQ(Read("s", "twice"), "\"a\"");
    EXPECT_EQ(Read("\xB3\xCC\xD0\xF2\xC9\xE8\xD6\xC3", "\xD7\xF3\xB1\xDF"), "-12");
    EXPECT_EQ(Read("missing section", "empty", "d"), "d");
}

TEST_F(Profile, ReadsLongValuesWhole) {
    for (std::size_t length : {1022u, 1023u, 1024u, 1500u, 2047u, 5000u}) {
        std::string value;
        for (std::size_t i = 0; i < length; ++i) value.push_back(static_cast<char>('a' + i % 26));
        Write("[s]\r\nk=" + value + "\r\n");
        EXPECT_EQ(Read("s", "k"), value) << length;
    }
}

TEST_F(Profile, ReadsALongDefaultWhole) {
    Write("[s]\r\n");
    const std::string longDefault(3000, 'd');
    EXPECT_EQ(Read("s", "k", longDefault), longDefault);
}

TEST_F(Profile, WritesAndReadsBackGbkSectionsKeysAndValues) {
    const std::string section = "\xCD\xBC\xB1\xEA\xC1\xD0\xB1\xED";
    const std::string key = "\xCF\xD4\xCA\xBE\xC3\xFB_1";
    EXPECT_TRUE(profile.WriteProfileText(file, section, key, "\"\xB1\xED \\ x\""));
    EXPECT_EQ(Read(section, key), "\xB1\xED \\ x");
    EXPECT_EQ(textOf(files.ReadWholeFile(file)),
              "[" + section + "]\r\n" + key + "=\"\xB1\xED \\ x\"\r\n");
}

TEST(ProgramDirectory, IsTheFolderOfTheRunningExecutable) {
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    const std::string full = module;
    const std::string directory = ProgramDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_NE(directory.back(), '\\');
    EXPECT_EQ(directory + "\\" + full.substr(full.find_last_of('\\') + 1), full);
    EXPECT_EQ(::GetFileAttributesA(directory.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

TEST(SystemLeadBytes, AreTheLeadBytesOfTheAnsiCodePage) {
    const UINT codePage = ::GetACP();
    ASSERT_TRUE(codePage == 936 || codePage == 1252) << codePage;
    const LeadBytes leadBytes = SystemLeadBytes();
    int leads = 0;
    for (int byte = 0; byte < 256; ++byte) {
        const bool lead = ::IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(byte)) != FALSE;
        const std::string pair{static_cast<char>(byte), 'x'};
        EXPECT_EQ(leadBytes.CharacterSize(pair, 0), lead ? 2u : 1u) << byte;
        leads += lead ? 1 : 0;
    }
    // 0x81..0xFE in GBK; none in a single-byte code page.
    EXPECT_EQ(leads, codePage == 936 ? 126 : 0);
}

}  // namespace
}  // namespace dock
