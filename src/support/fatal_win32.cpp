#include <windows.h>

#include "support/fatal.h"

namespace dock {
namespace {

[[noreturn]] void showAndExit(const std::string& gbkText) {
    ::MessageBoxA(nullptr, gbkText.c_str(), "error", MB_ICONERROR);
    ::ExitProcess(1);
}

}  // namespace

void InstallWin32FatalReporter() { SetFatalReporter(&showAndExit); }

}  // namespace dock
