#include <gtest/gtest.h>

#include <iconv.h>

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
    EXPECT_EQ(configTemplate().size(), 794u);
    EXPECT_EQ(crc32(configTemplate()), 0x8166C01Du);
    EXPECT_EQ(configTemplate().find('\0'), std::string_view::npos);
}

TEST(ConfigTemplate, Has56CrLfLinesAndNoLineEndAfterTheLast) {
    const auto lines = linesOf(configTemplate());
    ASSERT_EQ(lines.size(), 56u);
    EXPECT_NE(configTemplate().substr(configTemplate().size() - 2), "\r\n");
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
    const auto lines = linesOf(configTemplate());
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

// The system's own converter, not a copy of the constants: each text is
// written here as a reader sees it and must be that text's GBK bytes.
std::string gbkOf(std::string_view utf8) {
    iconv_t converter = ::iconv_open("GBK", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return "<no GBK converter>";
    std::string in(utf8), out(utf8.size() * 2, '\0');
    char* from = in.data();
    char* to = out.data();
    std::size_t left = in.size(), room = out.size();
    const bool whole = ::iconv(converter, &from, &left, &to, &room) != static_cast<std::size_t>(-1);
    ::iconv_close(converter);
    if (!whole) return "<not GBK>";
    out.resize(out.size() - room);
    return out;
}

TEST(FixedTexts, AreTheGbkBytesOfTheirChineseText) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {texts::kSectionSettings, "程序设置"},
        {texts::kSectionItems, "图标列表"},
        {texts::kKeyAutoSnap, "自动吸附"},
        {texts::kKeyFloatDistance, "浮动距离"},
        {texts::kKeyFloatBothWays, "浮动方向"},
        {texts::kKeyLaunchCooldown, "双击冷却时间"},
        {texts::kKeyTrayImage, "选中托盘"},
        {texts::kKeyHighQuality, "高质量"},
        {texts::kKeyReflection, "倒影"},
        {texts::kKeyLeft, "左边"},
        {texts::kKeyTop, "顶边"},
        {texts::kKeyLocked, "锁定"},
        {texts::kKeyAlwaysOnTop, "总在最前"},
        {texts::kKeyItemCount, "图标数"},
        {texts::kKeyTitlePrefix, "显示名_"},
        {texts::kKeyHotkeyPrefix, "快捷键_"},
        {texts::kKeyTargetPrefix, "可执行文件路径_"},
        {texts::kKeyCustomIconPrefix, "自定义图标路径_"},
        {texts::kCaptionFont, "宋体"},
        {texts::kDeleteCaption, "Varnel : 删除当前选中的图标"},
        {texts::kHotkeyFailedText, "注册快捷键失败!"},
        {texts::kHotkeyFailedCaption, "错误"},
        {texts::kOutOfMemoryText, "内存不足"},
        {texts::kInformationCaption, "信息"},
        {texts::kItemSettingsCaptionPrefix, "设置 - "},
        {texts::kBrowseTitle, "请选择图标文件."},
        {texts::kIcoFilterName, "ICO 格式 (*.ico)"},
        {texts::kPngFilterName, "PNG 格式 (*.png)"},
        {texts::kSectionExtended, "扩展设置"},
        {texts::kKeyDragReorder, "拖动排序"},
        {texts::kKeyRunningIndicator, "运行指示"},
        {texts::kKeyActivateRunning, "激活已运行"},
        {texts::kKeyFullscreenAvoid, "全屏避让"},
        {texts::kKeyKeyboardMode, "键盘模式"},
        {texts::kKeyKeyboardHotkey, "键盘热键"},
        {texts::kKeyHotkeyBadges, "快捷键角标"},
        {texts::kKeySharpIcons, "高清图标"},
        {texts::kKeyDpiAware, "高分屏适配"},
        {texts::kKeyAutoHide, "自动隐藏"},
        {texts::kKeyHideDelay, "隐藏延迟"},
        {texts::kKeyDropOpen, "拖放打开"},
        {texts::kKeyLaunchFeedback, "启动反馈"},
        {texts::kDpiAwareNextStartText, "高分屏适配将在下次启动时生效。"},
        {texts::kAddItemsTitle, "添加项目"},
        {texts::kProgramsFilterName, "程序与快捷方式 (*.exe;*.lnk)"},
        {texts::kAllFilesFilterName, "所有文件 (*.*)"},
    };
    for (const auto& [text, chinese] : cases) EXPECT_EQ(text, gbkOf(chinese)) << chinese;
}

}  // namespace
}  // namespace dock
