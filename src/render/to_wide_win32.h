#pragma once
// GBK text to UTF-16 for GDI+, always with code page 936: titles and paths are
// GBK whatever the system's ANSI code page is.
#include <string>
#include <string_view>

namespace dock {

// Empty text gives an empty string. Bytes that are not valid GBK become
// U+FFFD, as MultiByteToWideChar does without MB_ERR_INVALID_CHARS.
std::wstring ToWide(std::string_view gbkText);
// The same into `out`, reusing its storage (for text converted every frame).
void ToWide(std::string_view gbkText, std::wstring& out);

}  // namespace dock
