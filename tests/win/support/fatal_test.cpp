// A failed allocation ends the program through the out-of-memory report.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/files_win32.h"
#include "temp_folder.h"

namespace dock {
namespace {

TEST(OutOfMemory, AFailedAllocationEndsTheProgramWithTheReport) {
    testing::TempFolder folder;
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string helper = module;
    helper = helper.substr(0, helper.find_last_of('\\')) + "\\out_of_memory_helper.exe";
    const std::string report = folder.File("report.txt");
    std::string command = "\"" + helper + "\" \"" + report + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(helper.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                 nullptr, nullptr, &startup, &process));
    ASSERT_EQ(::WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    EXPECT_EQ(code, 7u) << "the reporter ended it, not an uncaught exception";
    Win32FileSystem files;
    const Bytes text = files.ReadWholeFile(report);
    EXPECT_EQ(std::string(text.begin(), text.end()),
              "\xC4\xDA\xB4\xE6\xB2\xBB\xD7\xE3");  // 内存不足
}

}  // namespace
}  // namespace dock
