// Installs the program's fatal reporting, swaps the message box for a report
// into a file (a box would wait for a click), then asks for more memory than
// exists. Usage: out_of_memory_helper <report file>.
#include <windows.h>

#include <cstddef>
#include <new>
#include <string>

#include "support/fatal.h"

namespace {

std::string reportFile;

[[noreturn]] void reportIntoFile(const std::string& text) {
    HANDLE out = ::CreateFileA(reportFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(out);
    ::ExitProcess(7);  // abort() would give 3
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    reportFile = argv[1];
    dock::InstallWin32FatalReporter();
    dock::SetFatalReporter(&reportIntoFile);
    // A direct call: the compiler may drop an unused new-expression.
    volatile std::size_t huge = static_cast<std::size_t>(1) << 62;
    void* block = ::operator new(huge);
    ::operator delete(block);
    return 0;
}
