#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>

#include "config/configuration.h"
#include "support/texts.h"

namespace dock {
namespace {

std::uint32_t crc32(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) break;
        start = end + 2;
    }
    return lines;
}

TEST(ConfigTemplate, IsExactly794BytesWithAKnownChecksum) {
    EXPECT_EQ(ConfigTemplate.size(), 794u);
    EXPECT_EQ(crc32(ConfigTemplate), 0x8166C01Du);
    EXPECT_EQ(ConfigTemplate.find('\0'), std::string_view::npos);
}

TEST(ConfigTemplate, Has56CrLfLinesAndNoLineEndAfterTheLast) {
    const auto lines = linesOf(ConfigTemplate);
    ASSERT_EQ(lines.size(), 56u);
    EXPECT_NE(ConfigTemplate.substr(ConfigTemplate.size() - 2), "\r\n");
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find('\r'), std::string::npos);
        EXPECT_EQ(line.find('\n'), std::string::npos);
    }
    const int emptyLines[] = {2,  5,  7,  8,  12, 15, 16, 20, 22, 23, 26, 28, 29,
                              32, 34, 35, 38, 40, 41, 44, 47, 50, 51, 53, 55};
    for (int n : emptyLines) EXPECT_EQ(lines[n - 1], "") << "line " << n;
    for (int n = 1; n <= 56; ++n) {
        const std::string& line = lines[n - 1];
        if (!line.empty() && line[0] == '#') {
            EXPECT_EQ(line.substr(0, 2), "# ") << "line " << n;
        }
    }
}

TEST(ConfigTemplate, HoldsEveryKeyInItsSectionWithItsDefault) {
    const auto lines = linesOf(ConfigTemplate);
    auto key = [](std::string_view k, std::string_view v) {
        return std::string(k) + "=" + std::string(v);
    };
    EXPECT_EQ(lines[0], "[\xB3\xCC\xD0\xF2\xC9\xE8\xD6\xC3]");  // [程序设置]
    EXPECT_EQ(lines[5], key(texts::kKeyAutoSnap, "0"));
    EXPECT_EQ(lines[10], key(texts::kKeyFloatDistance, "48"));
    EXPECT_EQ(lines[13], key(texts::kKeyFloatBothWays, "1"));
    EXPECT_EQ(lines[20], key(texts::kKeyLaunchCooldown, "1000"));
    EXPECT_EQ(lines[26], key(texts::kKeyTrayImage, "res\\1.png"));
    EXPECT_EQ(lines[32], key(texts::kKeyHighQuality, "0"));
    EXPECT_EQ(lines[38], key(texts::kKeyReflection, "0"));
    EXPECT_EQ(lines[44], key(texts::kKeyLeft, ""));
    EXPECT_EQ(lines[45], key(texts::kKeyTop, ""));
    EXPECT_EQ(lines[47], key(texts::kKeyLocked, "0"));
    EXPECT_EQ(lines[48], key(texts::kKeyAlwaysOnTop, "1"));
    EXPECT_EQ(lines[51], "[\xCD\xBC\xB1\xEA\xC1\xD0\xB1\xED]");  // [图标列表]
    EXPECT_EQ(lines[55], key(texts::kKeyItemCount, ""));
    EXPECT_EQ(lines[24], "# \xC4\xAC\xC8\xCF res\\1.png");  // # 默认 res\1.png
    EXPECT_EQ(lines[17], "# \xD2\xD4\xBA\xC1\xC3\xEB\xCE\xAA\xB5\xA5\xCE\xBB. 1000ms = 1s");
}

TEST(FixedTexts, SectionAndKeyNamesAreTheirGbkBytes) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {texts::kSectionSettings, "\xB3\xCC\xD0\xF2\xC9\xE8\xD6\xC3"},
        {texts::kSectionItems, "\xCD\xBC\xB1\xEA\xC1\xD0\xB1\xED"},
        {texts::kKeyAutoSnap, "\xD7\xD4\xB6\xAF\xCE\xFC\xB8\xBD"},
        {texts::kKeyFloatDistance, "\xB8\xA1\xB6\xAF\xBE\xE0\xC0\xEB"},
        {texts::kKeyFloatBothWays, "\xB8\xA1\xB6\xAF\xB7\xBD\xCF\xF2"},
        {texts::kKeyLaunchCooldown, "\xCB\xAB\xBB\xF7\xC0\xE4\xC8\xB4\xCA\xB1\xBC\xE4"},
        {texts::kKeyTrayImage, "\xD1\xA1\xD6\xD0\xCD\xD0\xC5\xCC"},
        {texts::kKeyHighQuality, "\xB8\xDF\xD6\xCA\xC1\xBF"},
        {texts::kKeyReflection, "\xB5\xB9\xD3\xB0"},
        {texts::kKeyLeft, "\xD7\xF3\xB1\xDF"},
        {texts::kKeyTop, "\xB6\xA5\xB1\xDF"},
        {texts::kKeyLocked, "\xCB\xF8\xB6\xA8"},
        {texts::kKeyAlwaysOnTop, "\xD7\xDC\xD4\xDA\xD7\xEE\xC7\xB0"},
        {texts::kKeyItemCount, "\xCD\xBC\xB1\xEA\xCA\xFD"},
        {texts::kKeyTitlePrefix, "\xCF\xD4\xCA\xBE\xC3\xFB_"},
        {texts::kKeyHotkeyPrefix, "\xBF\xEC\xBD\xDD\xBC\xFC_"},
        {texts::kKeyTargetPrefix, "\xBF\xC9\xD6\xB4\xD0\xD0\xCE\xC4\xBC\xFE\xC2\xB7\xBE\xB6_"},
        {texts::kKeyCustomIconPrefix, "\xD7\xD4\xB6\xA8\xD2\xE5\xCD\xBC\xB1\xEA\xC2\xB7\xBE\xB6_"},
        {texts::kSectionExtended, "\xC0\xA9\xD5\xB9\xC9\xE8\xD6\xC3"},     // 扩展设置
        {texts::kKeyDragReorder, "\xCD\xCF\xB6\xAF\xC5\xC5\xD0\xF2"},      // 拖动排序
        {texts::kKeyFullscreenAvoid, "\xC8\xAB\xC6\xC1\xB1\xDC\xC8\xC3"},  // 全屏避让
        {texts::kAddItemsTitle, "\xCC\xED\xBC\xD3\xCF\xEE\xC4\xBF"},       // 添加项目
        {texts::kProgramsFilterName,
         "\xB3\xCC\xD0\xF2\xD3\xEB\xBF\xEC\xBD\xDD\xB7\xBD\xCA\xBD (*.exe;*.lnk)"},
        {texts::kAllFilesFilterName, "\xCB\xF9\xD3\xD0\xCE\xC4\xBC\xFE (*.*)"},
    };
    for (const auto& [text, bytes] : cases) EXPECT_EQ(text, bytes);
}

}  // namespace
}  // namespace dock
