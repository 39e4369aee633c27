#include <windows.h>

#include <new>

#include "support/fatal.h"

namespace dock {
namespace {

bool showing = false;

[[noreturn]] void showAndExit(const std::string& gbkText) {
    showing = true;
    ::MessageBoxA(nullptr, gbkText.c_str(), "error", MB_ICONERROR);
    ::ExitProcess(1);
}

// Reporting needs no heap: the eight bytes of the text fit the string's
// in-place buffer.
void outOfMemory() {
    ReportOutOfMemory();
}

}  // namespace

bool FatalReportShowing() {
    return showing;
}

void InstallWin32FatalReporter() {
    SetFatalReporter(&showAndExit);
    // Every failed allocation ends the program with the out-of-memory box
    // rather than an exception nobody catches.
    std::set_new_handler(&outOfMemory);
}

}  // namespace dock
