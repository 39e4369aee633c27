#pragma once
// GBK text and byte blocks. Text is a std::string of code page 936 bytes; an
// empty text and a missing one are the same. Lengths and positions count
// bytes, positions are 1-based. A byte of 0x80 or above starts a two-byte
// character wherever a scan is said to be double-byte-aware.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "support/bytes.h"

namespace dock {

// Joins the parts in order.
std::string ConcatParts(std::initializer_list<std::string_view> parts);
template <typename... Parts>
std::string Concat(const Parts&... parts) {
    return ConcatParts({std::string_view(parts)...});
}

// Byte-wise, case-sensitive: 0 when equal, negative or positive otherwise.
int CompareText(std::string_view a, std::string_view b);
int TextLength(std::string_view text);

// 1-based position of the last occurrence of `search`, or -1. Scans back one
// byte at a time, so it also finds a match inside a two-byte character.
int FindLast(std::string_view text, std::string_view search, bool ignoreAsciiCase = false);

// The first / last n bytes; the whole text when n reaches its length.
std::string LeftPart(std::string_view text, int n);
std::string RightPart(std::string_view text, int n);

// A..Z lowered; two-byte characters are copied untouched.
std::string LowerAscii(std::string_view text);

// Every occurrence replaced, left to right, never starting a match on the
// second byte of a two-byte character; matches do not overlap.
std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement,
                       bool caseSensitive = true);

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

// n blanks; empty when n < 1.
std::string Spaces(int n);

// Byte blocks.
Bytes BytesOf(std::int32_t value);  // 4 bytes, little-endian
Bytes BytesOf(std::string_view text);
int BytesLength(const Bytes& block);
Bytes BytesLeft(const Bytes& block, int n);
// n bytes from the 1-based start (a start below 1 counts as 1), cut at the end.
Bytes BytesMid(const Bytes& block, int start, int n);

inline constexpr int kUnsignedByte = 1;
inline constexpr int kSignedInt16 = 2;
// A little-endian value of the kind above at the 1-based position; missing
// high bytes are 0; a position outside the block or another kind gives 0.
std::int32_t ReadValueAt(const Bytes& block, int kind, int position);
Bytes BlankBytes(int n);

}  // namespace dock
