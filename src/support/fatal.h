#pragma once
// The two fatal reports: out of memory and a broken internal invariant. Both
// end the program. The core only formats them; the reporter installed by the
// Win32 side shows the "error" message box and exits.
#include <cstdint>
#include <string>

namespace dock {

// Called with the message text; must not return.
using FatalReporter = void (*)(const std::string& gbkText);
void SetFatalReporter(FatalReporter reporter);

[[noreturn]] void ReportOutOfMemory();
// "program internal error number is %d. (0x%Xh)"
[[noreturn]] void ReportInternalError(int number, std::uint32_t code);

// The error numbers of the internal-error report.
enum InternalError : int {
    kItemIndexOutOfRange = 1,
    kInsertPositionOutOfRange = 2,
    kImageSlotOutOfRange = 3,
};

}  // namespace dock

namespace dock {
// Win32 side: shows the "error" message box (no owner, MB_ICONERROR) and exits.
void InstallWin32FatalReporter();
// The box is up: its message loop still dispatches the dock's timer, whose
// tick must not run into the same fault again and stack a second box.
bool FatalReportShowing();
}  // namespace dock
