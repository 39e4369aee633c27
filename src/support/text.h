#pragma once
// GBK text. Text is a std::string of code page 936 bytes; an
// empty text and a missing one are the same. Lengths and positions count
// bytes, positions are 1-based. A byte of 0x80 or above starts a two-byte
// character wherever a scan is said to be double-byte-aware.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace dock {

// Joins the parts in order.
std::string ConcatParts(std::initializer_list<std::string_view> parts);
template <typename... Parts>
std::string Concat(const Parts&... parts) {
    return ConcatParts({std::string_view(parts)...});
}

// Byte-wise, case-sensitive: 0 when equal, negative or positive otherwise.
int CompareText(std::string_view a, std::string_view b);

// A..Z lowered; two-byte characters are copied untouched.
std::string LowerAscii(std::string_view text);

// "%d" formatting; the 16-bit form is sign-extended.
std::string IntToText(std::int32_t value);
std::string IntToText(std::int16_t value);

// The half-width form of the full-width characters that can take part in a
// number: GBK row A3 (A3A1..A3FE, the full-width ASCII forms) becomes ASCII
// 0x21..0x7E and the ideographic space A1A1 becomes a blank. Everything else
// is copied as it is.
std::string HalfWidthGbk(std::string_view text);
// Leading white space, an optional sign, then decimal digits up to the first
// other byte; 0 without digits. Saturates at the int32 range.
std::int32_t LeadingInt(std::string_view text);
// LeadingInt of the half-width form: full-width digits read as digits.
std::int32_t TextToInt(std::string_view text);
std::int16_t TextToInt16(std::string_view text);

}  // namespace dock
