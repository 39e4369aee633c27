// Ends itself through the program's fatal reports, for fatal_test:
//   fatal_helper memory <report file>: swaps the message box for a report
//     into a file (a box would wait for a click), then asks for more memory
//     than exists.
//   fatal_helper tick <folder> <report file>: runs a dock over <folder> whose
//     animation tick faults, so the real "error" box comes up; once a timer
//     of its own has ticked 50 times inside the box's loop, writes how many
//     "error" boxes are up and ends.
#include <windows.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "resource_ids.h"
#include "app/dock_window_win32.h"
#include "render/layout.h"
#include "support/fatal.h"

namespace {

std::string reportFile;

void writeReport(const std::string& text) {
    HANDLE out = ::CreateFileA(reportFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(out);
}

[[noreturn]] void reportIntoFile(const std::string& text) {
    writeReport(text);
    ::ExitProcess(7);  // abort() would give 3
}

int runOutOfMemory() {
    dock::InstallWin32FatalReporter();
    dock::SetFatalReporter(&reportIntoFile);
    // A direct call: the compiler may drop an unused new-expression.
    volatile std::size_t huge = static_cast<std::size_t>(1) << 62;
    void* block = ::operator new(huge);
    ::operator delete(block);
    return 0;
}

// A picture whose size is a broken invariant: drawing its reflection faults.
class FaultingPicture final : public dock::Picture {
  public:
    bool LoadFromMemory(std::span<const std::uint8_t>) override { return true; }
    bool LoadFromFile(const std::string&) override { return true; }
    void Dispose() override {}
    bool IsLoaded() const override { return true; }
    std::uint32_t Width() const override { dock::ReportInternalError(99, 0); }
    std::uint32_t Height() const override { return 1; }
};

BOOL CALLBACK countErrorBox(HWND window, LPARAM count) {
    char name[16] = {};
    char caption[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    ::GetWindowTextA(window, caption, sizeof caption);
    if (::IsWindowVisible(window) && std::strcmp(name, "#32770") == 0 &&
        std::strcmp(caption, "error") == 0)
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int errorBoxes() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &countErrorBox, reinterpret_cast<LPARAM>(&count));
    return count;
}

int witnessTicks = 0;

// Runs inside the box's loop like the dock's own timer does.
void CALLBACK witness(HWND, UINT, UINT_PTR, DWORD) {
    if (errorBoxes() == 0 || ++witnessTicks < 50) return;
    writeReport(std::to_string(errorBoxes()));
    ::ExitProcess(7);
}

int runFaultingTick(const std::string& folder) {
    dock::InstallWin32FatalReporter();
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    dock::DockProgram program(instance, folder);
    ::CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_DOCK), nullptr, &dock::dockProcedure,
                         reinterpret_cast<LPARAM>(&program));
    // One item fading out of full magnification: every tick draws it.
    dock::Dock& dock = program.GetDock();
    dock.state.pictures.imagePool.push_back(std::make_unique<FaultingPicture>());
    dock.state.items.Insert(1, dock::DockItem{"x", 0, "x.exe", ""}, 1);
    dock::layoutRow(dock.state, 1);
    dock.settings.reflection = 1;
    dock.state.frame.zoomIndex = 1;
    dock.state.frame.zoomPercent = 100;
    ::SetTimer(nullptr, 0, 10, &witness);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "memory") == 0) {
        reportFile = argv[2];
        return runOutOfMemory();
    }
    if (argc == 4 && std::strcmp(argv[1], "tick") == 0) {
        reportFile = argv[3];
        return runFaultingTick(argv[2]);
    }
    return 2;
}
