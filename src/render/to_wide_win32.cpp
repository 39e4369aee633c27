#include "render/to_wide_win32.h"

#include <windows.h>

#include <climits>

namespace dock {

namespace {
constexpr UINT kGbkCodePage = 936;
}

void ToWide(std::string_view gbkText, std::wstring& out) {
    out.clear();
    if (gbkText.empty() || gbkText.size() > static_cast<std::size_t>(INT_MAX)) return;
    const int length = static_cast<int>(gbkText.size());
    // The explicit byte count keeps embedded zero bytes from cutting the text
    // short and needs no terminator in the source.
    const int units = ::MultiByteToWideChar(kGbkCodePage, 0, gbkText.data(), length, nullptr, 0);
    if (units <= 0) return;
    out.resize(static_cast<std::size_t>(units));
    const int written =
        ::MultiByteToWideChar(kGbkCodePage, 0, gbkText.data(), length, out.data(), units);
    out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
}

std::wstring ToWide(std::string_view gbkText) {
    std::wstring out;
    ToWide(gbkText, out);
    return out;
}

}  // namespace dock
