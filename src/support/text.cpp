#include "support/text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

namespace dock {
namespace {

bool isLeadByte(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

char lowerAsciiByte(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameBytes(std::string_view a, std::string_view b, bool ignoreAsciiCase) {
    if (!ignoreAsciiCase) return a == b;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAsciiByte(a[i]) != lowerAsciiByte(b[i])) return false;
    }
    return true;
}

bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

std::string ConcatParts(std::initializer_list<std::string_view> parts) {
    std::size_t total = 0;
    for (std::string_view part : parts) total += part.size();
    std::string joined;
    joined.reserve(total);
    for (std::string_view part : parts) joined.append(part);
    return joined;
}

int CompareText(std::string_view a, std::string_view b) {
    return a.compare(b);
}

int TextLength(std::string_view text) {
    return static_cast<int>(text.size());
}

int FindLast(std::string_view text, std::string_view search, bool ignoreAsciiCase) {
    if (text.empty() || search.empty() || search.size() > text.size()) return -1;
    for (std::size_t start = text.size() - search.size() + 1; start-- > 0;) {
        if (sameBytes(text.substr(start, search.size()), search, ignoreAsciiCase)) {
            return static_cast<int>(start) + 1;
        }
    }
    return -1;
}

std::string LeftPart(std::string_view text, int n) {
    if (n <= 0) return {};
    return std::string(text.substr(0, static_cast<std::size_t>(n)));
}

std::string RightPart(std::string_view text, int n) {
    if (n <= 0) return {};
    std::size_t count = std::min(text.size(), static_cast<std::size_t>(n));
    return std::string(text.substr(text.size() - count));
}

std::string LowerAscii(std::string_view text) {
    std::string lowered(text);
    for (std::size_t i = 0; i < lowered.size(); ++i) {
        if (isLeadByte(lowered[i])) {
            ++i;  // the trail byte may look like a letter; it is not one
        } else {
            lowered[i] = lowerAsciiByte(lowered[i]);
        }
    }
    return lowered;
}

std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement,
                       bool caseSensitive) {
    if (search.empty() || search.size() > text.size()) return std::string(text);
    std::string result;
    std::size_t copiedUpTo = 0;
    std::size_t i = 0;
    const std::size_t lastStart = text.size() - search.size();
    while (i <= lastStart) {
        if (sameBytes(text.substr(i, search.size()), search, !caseSensitive)) {
            result.append(text.substr(copiedUpTo, i - copiedUpTo));
            result.append(replacement);
            i += search.size();
            copiedUpTo = i;
        } else {
            i += isLeadByte(text[i]) ? 2 : 1;
        }
    }
    result.append(text.substr(copiedUpTo));
    return result;
}

std::string IntToText(std::int32_t value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", static_cast<int>(value));
    return digits;
}

std::string IntToText(std::int16_t value) {
    return IntToText(static_cast<std::int32_t>(value));
}

std::string HalfWidthGbk(std::string_view text) {
    std::string mapped;
    mapped.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80 || i + 1 == text.size()) {
            mapped.push_back(text[i]);
            continue;
        }
        const auto trail = static_cast<unsigned char>(text[i + 1]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            mapped.push_back(static_cast<char>(trail - 0xA1 + 0x21));
        } else if (lead == 0xA1 && trail == 0xA1) {
            mapped.push_back(' ');
        } else {
            mapped.append(text.substr(i, 2));
        }
        ++i;
    }
    return mapped;
}

std::int32_t LeadingInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate toward the sign so that INT32_MIN itself is reachable.
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        value = negative ? std::max(kMin, value * 10 - digit) : std::min(kMax, value * 10 + digit);
    }
    return static_cast<std::int32_t>(value);
}

std::int32_t TextToInt(std::string_view text) {
    if (text.empty()) return 0;
    return LeadingInt(HalfWidthGbk(text));
}

std::int16_t TextToInt16(std::string_view text) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(TextToInt(text) & 0xFFFF));
}

std::string Spaces(int n) {
    return n < 1 ? std::string() : std::string(static_cast<std::size_t>(n), ' ');
}

Bytes BytesOf(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return Bytes{static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                 static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

Bytes BytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

int BytesLength(const Bytes& block) {
    return static_cast<int>(block.size());
}

Bytes BytesLeft(const Bytes& block, int n) {
    if (n <= 0) return {};
    std::size_t count = std::min(block.size(), static_cast<std::size_t>(n));
    return Bytes(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(count));
}

Bytes BytesMid(const Bytes& block, int start, int n) {
    if (n <= 0 || block.empty()) return {};
    const std::size_t first = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
    if (first >= block.size()) return {};
    const std::size_t count = std::min(block.size() - first, static_cast<std::size_t>(n));
    return Bytes(block.begin() + static_cast<std::ptrdiff_t>(first),
                 block.begin() + static_cast<std::ptrdiff_t>(first + count));
}

std::int32_t ReadValueAt(const Bytes& block, int kind, int position) {
    if (position < 1 || static_cast<std::size_t>(position) > block.size()) return 0;
    const std::size_t at = static_cast<std::size_t>(position) - 1;
    if (kind == kUnsignedByte) return block[at];
    if (kind == kSignedInt16) {
        const std::uint8_t high = at + 1 < block.size() ? block[at + 1] : 0;
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(block[at] | (high << 8)));
    }
    return 0;
}

Bytes BlankBytes(int n) {
    return n <= 0 ? Bytes() : Bytes(static_cast<std::size_t>(n), 0);
}

}  // namespace dock
