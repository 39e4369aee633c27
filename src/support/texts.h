#pragma once
// The program's fixed texts, as GBK bytes (code page 936). The comment
// above each line shows the text; tests pin the bytes.
#include <string_view>

namespace dock::texts {

// 程序设置 (section of the program options)
inline constexpr std::string_view kSectionSettings = "\xB3\xCC\xD0\xF2\xC9\xE8\xD6\xC3";
// 图标列表 (section of the items)
inline constexpr std::string_view kSectionItems = "\xCD\xBC\xB1\xEA\xC1\xD0\xB1\xED";
// 自动吸附
inline constexpr std::string_view kKeyAutoSnap = "\xD7\xD4\xB6\xAF\xCE\xFC\xB8\xBD";
// 浮动距离
inline constexpr std::string_view kKeyFloatDistance = "\xB8\xA1\xB6\xAF\xBE\xE0\xC0\xEB";
// 浮动方向
inline constexpr std::string_view kKeyFloatBothWays = "\xB8\xA1\xB6\xAF\xB7\xBD\xCF\xF2";
// 双击冷却时间
inline constexpr std::string_view kKeyLaunchCooldown =
    "\xCB\xAB\xBB\xF7\xC0\xE4\xC8\xB4\xCA\xB1\xBC\xE4";
// 选中托盘
inline constexpr std::string_view kKeyTrayImage = "\xD1\xA1\xD6\xD0\xCD\xD0\xC5\xCC";
// 高质量
inline constexpr std::string_view kKeyHighQuality = "\xB8\xDF\xD6\xCA\xC1\xBF";
// 倒影
inline constexpr std::string_view kKeyReflection = "\xB5\xB9\xD3\xB0";
// 左边
inline constexpr std::string_view kKeyLeft = "\xD7\xF3\xB1\xDF";
// 顶边
inline constexpr std::string_view kKeyTop = "\xB6\xA5\xB1\xDF";
// 锁定
inline constexpr std::string_view kKeyLocked = "\xCB\xF8\xB6\xA8";
// 总在最前
inline constexpr std::string_view kKeyAlwaysOnTop = "\xD7\xDC\xD4\xDA\xD7\xEE\xC7\xB0";
// 图标数
inline constexpr std::string_view kKeyItemCount = "\xCD\xBC\xB1\xEA\xCA\xFD";
// 显示名_ (followed by the item number)
inline constexpr std::string_view kKeyTitlePrefix = "\xCF\xD4\xCA\xBE\xC3\xFB_";
// 快捷键_
inline constexpr std::string_view kKeyHotkeyPrefix = "\xBF\xEC\xBD\xDD\xBC\xFC_";
// 可执行文件路径_
inline constexpr std::string_view kKeyTargetPrefix =
    "\xBF\xC9\xD6\xB4\xD0\xD0\xCE\xC4\xBC\xFE\xC2\xB7\xBE\xB6_";
// 自定义图标路径_
inline constexpr std::string_view kKeyCustomIconPrefix =
    "\xD7\xD4\xB6\xA8\xD2\xE5\xCD\xBC\xB1\xEA\xC2\xB7\xBE\xB6_";
// 宋体 (the caption font)
inline constexpr std::string_view kCaptionFont = "\xCB\xCE\xCC\xE5";
// Varnel : 删除当前选中的图标 (delete confirmation caption)
inline constexpr std::string_view kDeleteCaption =
    "Varnel : \xC9\xBE\xB3\xFD\xB5\xB1\xC7\xB0\xD1\xA1\xD6\xD0\xB5\xC4\xCD\xBC\xB1\xEA";
// 注册快捷键失败!
inline constexpr std::string_view kHotkeyFailedText =
    "\xD7\xA2\xB2\xE1\xBF\xEC\xBD\xDD\xBC\xFC\xCA\xA7\xB0\xDC!";
// 错误
inline constexpr std::string_view kHotkeyFailedCaption = "\xB4\xED\xCE\xF3";
// 内存不足
inline constexpr std::string_view kOutOfMemoryText = "\xC4\xDA\xB4\xE6\xB2\xBB\xD7\xE3";
// 信息 (default message caption)
inline constexpr std::string_view kInformationCaption = "\xD0\xC5\xCF\xA2";
// 设置 -  (followed by the item title)
inline constexpr std::string_view kItemSettingsCaptionPrefix = "\xC9\xE8\xD6\xC3 - ";
// 请选择图标文件.
inline constexpr std::string_view kBrowseTitle =
    "\xC7\xEB\xD1\xA1\xD4\xF1\xCD\xBC\xB1\xEA\xCE\xC4\xBC\xFE.";
// ICO 格式 (*.ico)
inline constexpr std::string_view kIcoFilterName = "ICO \xB8\xF1\xCA\xBD (*.ico)";
// PNG 格式 (*.png)
inline constexpr std::string_view kPngFilterName = "PNG \xB8\xF1\xCA\xBD (*.png)";

// 扩展设置 (section of the settings beyond the classic ones)
inline constexpr std::string_view kSectionExtended = "\xC0\xA9\xD5\xB9\xC9\xE8\xD6\xC3";
// 拖动排序
inline constexpr std::string_view kKeyDragReorder = "\xCD\xCF\xB6\xAF\xC5\xC5\xD0\xF2";
// 运行指示
inline constexpr std::string_view kKeyRunningIndicator = "\xD4\xCB\xD0\xD0\xD6\xB8\xCA\xBE";
// 激活已运行
inline constexpr std::string_view kKeyActivateRunning = "\xBC\xA4\xBB\xEE\xD2\xD1\xD4\xCB\xD0\xD0";
// 全屏避让
inline constexpr std::string_view kKeyFullscreenAvoid = "\xC8\xAB\xC6\xC1\xB1\xDC\xC8\xC3";
// 键盘模式
inline constexpr std::string_view kKeyKeyboardMode = "\xBC\xFC\xC5\xCC\xC4\xA3\xCA\xBD";
// 键盘热键
inline constexpr std::string_view kKeyKeyboardHotkey = "\xBC\xFC\xC5\xCC\xC8\xC8\xBC\xFC";
// 快捷键角标
inline constexpr std::string_view kKeyHotkeyBadges = "\xBF\xEC\xBD\xDD\xBC\xFC\xBD\xC7\xB1\xEA";
// 高清图标
inline constexpr std::string_view kKeySharpIcons = "\xB8\xDF\xC7\xE5\xCD\xBC\xB1\xEA";
// 高分屏适配
inline constexpr std::string_view kKeyDpiAware = "\xB8\xDF\xB7\xD6\xC6\xC1\xCA\xCA\xC5\xE4";
// 自动隐藏
inline constexpr std::string_view kKeyAutoHide = "\xD7\xD4\xB6\xAF\xD2\xFE\xB2\xD8";
// 隐藏延迟
inline constexpr std::string_view kKeyHideDelay = "\xD2\xFE\xB2\xD8\xD1\xD3\xB3\xD9";
// 拖放打开
inline constexpr std::string_view kKeyDropOpen = "\xCD\xCF\xB7\xC5\xB4\xF2\xBF\xAA";
// 启动反馈
inline constexpr std::string_view kKeyLaunchFeedback = "\xC6\xF4\xB6\xAF\xB7\xB4\xC0\xA1";
// 高分屏适配将在下次启动时生效。 (the setting was switched from the menu)
inline constexpr std::string_view kDpiAwareNextStartText =
    "\xB8\xDF\xB7\xD6\xC6\xC1\xCA\xCA\xC5\xE4\xBD\xAB\xD4\xDA\xCF\xC2\xB4\xCE\xC6\xF4\xB6\xAF"
    "\xCA\xB1\xC9\xFA\xD0\xA7\xA1\xA3";
// 添加项目 (title of the file dialog that adds items)
inline constexpr std::string_view kAddItemsTitle = "\xCC\xED\xBC\xD3\xCF\xEE\xC4\xBF";
// 程序与快捷方式 (*.exe;*.lnk)
inline constexpr std::string_view kProgramsFilterName =
    "\xB3\xCC\xD0\xF2\xD3\xEB\xBF\xEC\xBD\xDD\xB7\xBD\xCA\xBD (*.exe;*.lnk)";
// 所有文件 (*.*)
inline constexpr std::string_view kAllFilesFilterName = "\xCB\xF9\xD3\xD0\xCE\xC4\xBC\xFE (*.*)";

}  // namespace dock::texts
