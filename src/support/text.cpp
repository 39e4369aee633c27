#include "support/text.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace dock {
namespace {

char lowerAsciiByte(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
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

std::size_t FindLastCharacter(std::string_view text, char c, const LeadBytes& leadBytes) {
    // Forwards: only a walk from the start knows which bytes are second bytes.
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); i += leadBytes.CharacterSize(text, i)) {
        if (text[i] == c) found = i;
    }
    return found;
}

std::string LowerAscii(std::string_view text, const LeadBytes& leadBytes) {
    std::string lowered(text);
    // A second byte may look like a letter; it is not one.
    for (std::size_t i = 0; i < lowered.size(); i += leadBytes.CharacterSize(lowered, i)) {
        lowered[i] = lowerAsciiByte(lowered[i]);
    }
    return lowered;
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

}  // namespace dock
