#pragma once
// GBK text. Text is a std::string of code page 936 bytes; an empty text and a
// missing one are the same. Lengths and positions count bytes, positions are
// 1-based. File names and window texts are in the system's ANSI code page:
// where a scan walks characters, LeadBytes says which bytes start two-byte ones.
#include <array>
#include <cstddef>
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

// The bytes that start a two-byte character in the system's ANSI code page,
// told by the system once at start. The default has none: a single-byte code
// page, where every byte is a character.
class LeadBytes {
  public:
    LeadBytes() = default;
    explicit LeadBytes(const std::array<bool, 256>& leads) : leads_(leads) {}

    // 2 when text[at] is a lead byte and a second byte follows it, else 1.
    std::size_t CharacterSize(std::string_view text, std::size_t at) const {
        return leads_[static_cast<unsigned char>(text[at])] && at + 1 < text.size() ? 2 : 1;
    }

  private:
    std::array<bool, 256> leads_{};
};

// The 0-based offset of the last `c` that is a character of its own, never
// the second byte of a two-byte one; npos when there is none.
std::size_t FindLastCharacter(std::string_view text, char c, const LeadBytes& leadBytes);

// A..Z lowered; two-byte characters are copied untouched.
std::string LowerAscii(std::string_view text, const LeadBytes& leadBytes);

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
