// The fatal reports end the program: a failed allocation through the
// out-of-memory report, and a fault on the dock's tick with one "error" box.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "config/files_win32.h"
#include "temp_folder.h"

namespace dock {
namespace {

struct HelperEnd {
    DWORD code = 0;
    std::string report;
};

// Runs fatal_helper with `arguments` and the report file of `folder`.
HelperEnd runHelper(const testing::TempFolder& folder, const std::string& arguments) {
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string helper = module;
    helper = helper.substr(0, helper.find_last_of('\\')) + "\\fatal_helper.exe";
    const std::string report = folder.File("report.txt");
    std::string command = "\"" + helper + "\" " + arguments + " \"" + report + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    HelperEnd end;
    if (!::CreateProcessA(helper.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start " << helper;
        return end;
    }
    if (::WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the helper did not end";
        ::TerminateProcess(process.hProcess, 99);
    }
    ::GetExitCodeProcess(process.hProcess, &end.code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    Win32FileSystem files;
    const Bytes text = files.ReadWholeFile(report);
    end.report.assign(text.begin(), text.end());
    return end;
}

TEST(OutOfMemory, AFailedAllocationEndsTheProgramWithTheReport) {
    testing::TempFolder folder;
    const HelperEnd end = runHelper(folder, "memory");
    EXPECT_EQ(end.code, 7u) << "the reporter ended it, not an uncaught exception";
    EXPECT_EQ(end.report, "\xC4\xDA\xB4\xE6\xB2\xBB\xD7\xE3");  // 内存不足
}

TEST(FatalReport, AFaultOnTheDocksTickShowsOneBoxWhileTheTimerKeepsRunning) {
    testing::TempFolder folder;
    const HelperEnd end = runHelper(folder, "tick \"" + folder.path() + "\"");
    EXPECT_EQ(end.code, 7u);
    EXPECT_EQ(end.report, "1");  // "error" boxes up after 50 ticks inside the first one
}

}  // namespace
}  // namespace dock
