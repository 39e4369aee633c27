// The core's half-width conversion against LCMapStringA itself, for every
// two-byte GBK character placed before, among and after digits.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/text.h"

namespace dock {
namespace {

std::string systemHalfWidth(const std::string& text) {
    const LCID chinese = MAKELCID(2052, SORT_DEFAULT);
    const int size = ::LCMapStringA(chinese, LCMAP_HALFWIDTH, text.c_str(),
                                    static_cast<int>(text.size()), nullptr, 0);
    std::string mapped(static_cast<std::size_t>(size), '\0');
    ::LCMapStringA(chinese, LCMAP_HALFWIDTH, text.c_str(), static_cast<int>(text.size()),
                   mapped.data(), size);
    return mapped;
}

TEST(HalfWidthGbk, TheSystemMapsFullWidthDigitsAsExpected) {
    EXPECT_EQ(systemHalfWidth("\xA3\xB1\xA3\xB2"), "12");
    EXPECT_EQ(systemHalfWidth("\xA1\xA1\xA3\xAD"
                              "5"),
              " -5");
}

TEST(HalfWidthGbk, GivesTheSameIntegersAsTheSystemForEveryTwoByteCharacter) {
    int compared = 0;
    int numeric = 0;  // characters that make c + "12" read as a number
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const std::string c{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string forms[] = {c + "12",      "1" + c + "2", "12" + c,     c + c + "3",
                                         "-" + c + "4", c + "-4",      " " + c + "7"};
            for (const std::string& text : forms) {
                const std::int32_t ours = TextToInt(text);
                const std::int32_t system = LeadingInt(systemHalfWidth(text));
                ASSERT_EQ(ours, system) << std::hex << "character " << lead << " " << trail
                                        << " in form " << (&text - forms);
                ++compared;
            }
            if (TextToInt(c + "12") != 0) ++numeric;
        }
    }
    EXPECT_EQ(compared, 126 * 190 * 7);
    // Ten full-width digits, the two full-width signs and the ideographic space.
    EXPECT_EQ(numeric, 13);
}

}  // namespace
}  // namespace dock
