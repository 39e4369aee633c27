#include "support/fatal.h"

#include "support/texts.h"

#include <cstdio>
#include <cstdlib>

namespace dock {
namespace {

[[noreturn]] void reportToStandardError(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::abort();
}

FatalReporter currentReporter = nullptr;

[[noreturn]] void report(const std::string& text) {
    if (currentReporter != nullptr) currentReporter(text);
    reportToStandardError(text);
}

}  // namespace

void SetFatalReporter(FatalReporter reporter) {
    currentReporter = reporter;
}

void ReportOutOfMemory() {
    report(std::string(texts::kOutOfMemoryText));
}

void ReportInternalError(int number, std::uint32_t code) {
    char text[96];
    std::snprintf(text, sizeof text, "program internal error number is %d. (0x%Xh)", number,
                  static_cast<unsigned>(code));
    report(text);
}

}  // namespace dock
