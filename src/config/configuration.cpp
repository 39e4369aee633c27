#include "config/configuration.h"

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "config/extended_settings.h"
#include "support/text.h"
#include "support/texts.h"

namespace dock {
namespace {

// The template with every comment a user reads when editing config.ini by
// hand. GBK bytes; the comment above each line shows its text.
// clang-format off
constexpr char kTemplateBytes[] =
    // [程序设置]
    "[\xB3\xCC\xD0\xF2\xC9\xE8\xD6\xC3]\r\n"
    "\r\n"
    // # 鼠标指针接近时图标是否自动吸附.
    "# \xCA\xF3\xB1\xEA\xD6\xB8\xD5\xEB\xBD\xD3\xBD\xFC\xCA\xB1\xCD\xBC\xB1\xEA\xCA\xC7\xB7\xF1\xD7\xD4\xB6\xAF\xCE\xFC\xB8\xBD.\r\n"
    // # 非零表示开启此项. 默认为零 不开启.
    "# \xB7\xC7\xC1\xE3\xB1\xED\xCA\xBE\xBF\xAA\xC6\xF4\xB4\xCB\xCF\xEE. \xC4\xAC\xC8\xCF\xCE\xAA\xC1\xE3 \xB2\xBB\xBF\xAA\xC6\xF4.\r\n"
    "\r\n"
    // 自动吸附=0
    "\xD7\xD4\xB6\xAF\xCE\xFC\xB8\xBD=0\r\n"
    "\r\n"
    "\r\n"
    // # 图标跟随鼠标指针上下浮动.
    "# \xCD\xBC\xB1\xEA\xB8\xFA\xCB\xE6\xCA\xF3\xB1\xEA\xD6\xB8\xD5\xEB\xC9\xCF\xCF\xC2\xB8\xA1\xB6\xAF.\r\n"
    // # 最大浮动距离, 默认为 48.
    "# \xD7\xEE\xB4\xF3\xB8\xA1\xB6\xAF\xBE\xE0\xC0\xEB, \xC4\xAC\xC8\xCF\xCE\xAA 48.\r\n"
    // 浮动距离=48
    "\xB8\xA1\xB6\xAF\xBE\xE0\xC0\xEB=48\r\n"
    "\r\n"
    // # 浮动方向, 0 表示只向上跟随, 1 表示上下跟随. 默认为 1.
    "# \xB8\xA1\xB6\xAF\xB7\xBD\xCF\xF2, 0 \xB1\xED\xCA\xBE\xD6\xBB\xCF\xF2\xC9\xCF\xB8\xFA\xCB\xE6, 1 \xB1\xED\xCA\xBE\xC9\xCF\xCF\xC2\xB8\xFA\xCB\xE6. \xC4\xAC\xC8\xCF\xCE\xAA 1.\r\n"
    // 浮动方向=1
    "\xB8\xA1\xB6\xAF\xB7\xBD\xCF\xF2=1\r\n"
    "\r\n"
    "\r\n"
    // # 左键双击运行同一个项目时的冷却时间.
    "# \xD7\xF3\xBC\xFC\xCB\xAB\xBB\xF7\xD4\xCB\xD0\xD0\xCD\xAC\xD2\xBB\xB8\xF6\xCF\xEE\xC4\xBF\xCA\xB1\xB5\xC4\xC0\xE4\xC8\xB4\xCA\xB1\xBC\xE4.\r\n"
    // # 以毫秒为单位. 1000ms = 1s
    "# \xD2\xD4\xBA\xC1\xC3\xEB\xCE\xAA\xB5\xA5\xCE\xBB. 1000ms = 1s\r\n"
    // # 默认 1000 不可小于 1000.
    "# \xC4\xAC\xC8\xCF 1000 \xB2\xBB\xBF\xC9\xD0\xA1\xD3\xDA 1000.\r\n"
    "\r\n"
    // 双击冷却时间=1000
    "\xCB\xAB\xBB\xF7\xC0\xE4\xC8\xB4\xCA\xB1\xBC\xE4=1000\r\n"
    "\r\n"
    "\r\n"
    // # 选中图标托盘图片.支持相对路径与绝对路径.
    "# \xD1\xA1\xD6\xD0\xCD\xBC\xB1\xEA\xCD\xD0\xC5\xCC\xCD\xBC\xC6\xAC.\xD6\xA7\xB3\xD6\xCF\xE0\xB6\xD4\xC2\xB7\xBE\xB6\xD3\xEB\xBE\xF8\xB6\xD4\xC2\xB7\xBE\xB6.\r\n"
    // # 默认 res\1.png
    "# \xC4\xAC\xC8\xCF res\\1.png\r\n"
    "\r\n"
    // 选中托盘=res\1.png
    "\xD1\xA1\xD6\xD0\xCD\xD0\xC5\xCC=res\\1.png\r\n"
    "\r\n"
    "\r\n"
    // # 是否开启高质量模式.
    "# \xCA\xC7\xB7\xF1\xBF\xAA\xC6\xF4\xB8\xDF\xD6\xCA\xC1\xBF\xC4\xA3\xCA\xBD.\r\n"
    // # 非零表示开启此项. 默认为零 不开启.
    "# \xB7\xC7\xC1\xE3\xB1\xED\xCA\xBE\xBF\xAA\xC6\xF4\xB4\xCB\xCF\xEE. \xC4\xAC\xC8\xCF\xCE\xAA\xC1\xE3 \xB2\xBB\xBF\xAA\xC6\xF4.\r\n"
    "\r\n"
    // 高质量=0
    "\xB8\xDF\xD6\xCA\xC1\xBF=0\r\n"
    "\r\n"
    "\r\n"
    // # 是否开启图标倒影.
    "# \xCA\xC7\xB7\xF1\xBF\xAA\xC6\xF4\xCD\xBC\xB1\xEA\xB5\xB9\xD3\xB0.\r\n"
    // # 非零表示开启此项. 默认为零 不开启.
    "# \xB7\xC7\xC1\xE3\xB1\xED\xCA\xBE\xBF\xAA\xC6\xF4\xB4\xCB\xCF\xEE. \xC4\xAC\xC8\xCF\xCE\xAA\xC1\xE3 \xB2\xBB\xBF\xAA\xC6\xF4.\r\n"
    "\r\n"
    // 倒影=0
    "\xB5\xB9\xD3\xB0=0\r\n"
    "\r\n"
    "\r\n"
    // # 上次关闭时记录的程序位置.
    "# \xC9\xCF\xB4\xCE\xB9\xD8\xB1\xD5\xCA\xB1\xBC\xC7\xC2\xBC\xB5\xC4\xB3\xCC\xD0\xF2\xCE\xBB\xD6\xC3.\r\n"
    // # 程序自动记录
    "# \xB3\xCC\xD0\xF2\xD7\xD4\xB6\xAF\xBC\xC7\xC2\xBC\r\n"
    "\r\n"
    // 左边=
    "\xD7\xF3\xB1\xDF=\r\n"
    // 顶边=
    "\xB6\xA5\xB1\xDF=\r\n"
    "\r\n"
    // 锁定=0
    "\xCB\xF8\xB6\xA8=0\r\n"
    // 总在最前=1
    "\xD7\xDC\xD4\xDA\xD7\xEE\xC7\xB0=1\r\n"
    "\r\n"
    "\r\n"
    // [图标列表]
    "[\xCD\xBC\xB1\xEA\xC1\xD0\xB1\xED]\r\n"
    "\r\n"
    // # 可在此为可执行文件指定自定义图标. 自定义图标优先于可执行文件内置的图标.
    "# \xBF\xC9\xD4\xDA\xB4\xCB\xCE\xAA\xBF\xC9\xD6\xB4\xD0\xD0\xCE\xC4\xBC\xFE\xD6\xB8\xB6\xA8\xD7\xD4\xB6\xA8\xD2\xE5\xCD\xBC\xB1\xEA. \xD7\xD4\xB6\xA8\xD2\xE5\xCD\xBC\xB1\xEA\xD3\xC5\xCF\xC8\xD3\xDA\xBF\xC9\xD6\xB4\xD0\xD0\xCE\xC4\xBC\xFE\xC4\xDA\xD6\xC3\xB5\xC4\xCD\xBC\xB1\xEA.\r\n"
    "\r\n"
    // 图标数=
    "\xCD\xBC\xB1\xEA\xCA\xFD="
    ;
// clang-format on

}  // namespace

const std::string_view ConfigTemplate(kTemplateBytes, sizeof kTemplateBytes - 1);

namespace {

constexpr int kSaveAttempts = 10;
constexpr std::uint32_t kWaitBeforeAttemptMs = 100;

std::string backupPath(const Dock& dock) {
    return Concat(configPath(dock), ".bak");
}
// The save fills this file and then puts it in place of config.ini in one
// step, so config.ini is never missing or half-written.
std::string tempPath(const Dock& dock) {
    return Concat(configPath(dock), ".tmp");
}

std::string readSetting(Dock& dock, std::string_view key, std::string_view defaultText) {
    return dock.platform.profile.ReadProfileText(configPath(dock),
                                                 std::string(texts::kSectionSettings),
                                                 std::string(key), std::string(defaultText));
}

std::string readItemKey(Dock& dock, std::string_view prefix, int n, std::string_view defaultText) {
    return dock.platform.profile.ReadProfileText(
        configPath(dock), std::string(texts::kSectionItems), Concat(prefix, IntToText(n)),
        std::string(defaultText));
}

std::int32_t flagFromText(const std::string& text) {
    return CompareText(text, "0") == 0 ? 0 : 1;
}

std::string quoted(std::string_view text) {
    return Concat("\"", text, "\"");
}

std::span<const std::uint8_t> templateBytes() {
    return {reinterpret_cast<const std::uint8_t*>(ConfigTemplate.data()), ConfigTemplate.size()};
}

// Writes every value in the fixed order; true only when every write was taken.
bool writeValues(Dock& dock, const std::string& file) {
    ProfileStore& profile = dock.platform.profile;
    const DockSettings& s = dock.settings;
    const std::string settings(texts::kSectionSettings);
    const std::string items(texts::kSectionItems);
    bool allWritten = true;
    auto put = [&](const std::string& section, std::string_view key, const std::string& value) {
        allWritten = profile.WriteProfileText(file, section, std::string(key), value) && allWritten;
    };
    put(settings, texts::kKeyAutoSnap, IntToText(s.autoSnap));
    put(settings, texts::kKeyFloatDistance, IntToText(s.floatDistance));
    put(settings, texts::kKeyFloatBothWays, IntToText(s.floatBothWays));
    put(settings, texts::kKeyLaunchCooldown, IntToText(s.launchCooldownMs));
    put(settings, texts::kKeyTrayImage, s.trayImagePath);
    put(settings, texts::kKeyHighQuality, IntToText(s.highQuality));
    put(settings, texts::kKeyReflection, IntToText(s.reflection));
    const RectI window = dock.platform.window.WindowRect();
    put(settings, texts::kKeyLeft, IntToText(window.left));
    put(settings, texts::kKeyTop, IntToText(window.top));
    put(settings, texts::kKeyLocked, s.locked != 0 ? "1" : "0");
    put(settings, texts::kKeyAlwaysOnTop, s.alwaysOnTop != 0 ? "1" : "0");
    const DockItemList& list = dock.state.items;
    put(items, texts::kKeyItemCount, IntToText(list.Count()));
    std::vector<std::pair<std::string, std::string>> itemKeys;
    itemKeys.reserve(static_cast<std::size_t>(list.Count()) * 4);
    for (int n = 1; n <= list.Count(); ++n) {
        const DockItem& item = list[n].item;
        const std::string number = IntToText(n);
        itemKeys.emplace_back(Concat(texts::kKeyTitlePrefix, number), quoted(item.title));
        itemKeys.emplace_back(Concat(texts::kKeyHotkeyPrefix, number),
                              quoted(IntToText(static_cast<std::int16_t>(item.hotkey))));
        itemKeys.emplace_back(Concat(texts::kKeyTargetPrefix, number), quoted(item.targetPath));
        itemKeys.emplace_back(Concat(texts::kKeyCustomIconPrefix, number),
                              quoted(item.customIconPath));
    }
    allWritten = profile.WriteProfileTexts(file, items, itemKeys) && allWritten;
    if (extendedSectionWanted(dock)) {
        std::vector<std::pair<std::string, std::string>> extendedKeys;
        for (const ExtendedSetting& setting : kExtendedSettings)
            extendedKeys.emplace_back(setting.key, IntToText(dock.settings.*setting.field));
        allWritten =
            profile.WriteProfileTexts(file, std::string(texts::kSectionExtended), extendedKeys) &&
            allWritten;
    }
    return allWritten;
}

// config.ini.bak is made once, from the config.ini a save is about to
// replace, and never touched again. It is copied under a scratch name and
// renamed, so that a save cut short never leaves a half-copied backup that
// would then be kept for ever. True when this call made the backup.
bool keepFirstBackup(Dock& dock) {
    FileSystem& files = dock.platform.files;
    const std::string config = configPath(dock);
    const std::string backup = backupPath(dock);
    if (files.FileExists(backup) || !files.FileExists(config)) return false;
    const std::string partial = Concat(backup, ".tmp");
    files.DeleteExistingFile(partial);
    if (!files.CopyNewFile(config, partial)) return false;
    if (files.RenameFile(partial, backup)) return true;
    files.DeleteExistingFile(partial);
    return false;
}

}  // namespace

std::string configPath(const Dock& dock) {
    return Concat(dock.programDirectory, "\\config.ini");
}

PointI loadConfiguration(Dock& dock, PointI windowPosition) {
    PointI position;
    position.x = TextToInt(readSetting(dock, texts::kKeyLeft, IntToText(windowPosition.x)));
    position.y = TextToInt(readSetting(dock, texts::kKeyTop, IntToText(windowPosition.y)));
    DockSettings& s = dock.settings;
    s.locked = flagFromText(readSetting(dock, texts::kKeyLocked, "0"));
    s.alwaysOnTop = flagFromText(readSetting(dock, texts::kKeyAlwaysOnTop, "1"));
    s.autoSnap = TextToInt(readSetting(dock, texts::kKeyAutoSnap, "0"));
    s.floatDistance = TextToInt(readSetting(dock, texts::kKeyFloatDistance, "48"));
    s.floatBothWays = TextToInt(readSetting(dock, texts::kKeyFloatBothWays, "1"));
    s.launchCooldownMs = TextToInt(readSetting(dock, texts::kKeyLaunchCooldown, "1000"));
    if (s.launchCooldownMs < 1000) s.launchCooldownMs = 1000;
    s.trayImagePath = readSetting(dock, texts::kKeyTrayImage, "");
    if (s.trayImagePath.empty() || !dock.platform.files.FileExists(s.trayImagePath)) {
        s.trayImagePath = Concat(dock.programDirectory, "\\res\\1.png");
    }
    s.highQuality = TextToInt(readSetting(dock, texts::kKeyHighQuality, "0"));
    s.reflection = TextToInt(readSetting(dock, texts::kKeyReflection, "0"));
    loadExtendedSettings(dock);
    return position;
}

int readItemCount(Dock& dock) {
    return TextToInt(dock.platform.profile.ReadProfileText(configPath(dock),
                                                           std::string(texts::kSectionItems),
                                                           std::string(texts::kKeyItemCount), "0"));
}

void readItemRecord(Dock& dock, int n, DockItem& record) {
    record.title = readItemKey(dock, texts::kKeyTitlePrefix, n, "");
    record.hotkey =
        static_cast<std::uint16_t>(TextToInt16(readItemKey(dock, texts::kKeyHotkeyPrefix, n, "0")));
    record.targetPath = readItemKey(dock, texts::kKeyTargetPrefix, n, "");
    record.customIconPath = readItemKey(dock, texts::kKeyCustomIconPrefix, n, "");
}

void saveConfiguration(Dock& dock) {
    dock.state.saving.saveDue = false;
    FileSystem& files = dock.platform.files;
    const std::string config = configPath(dock);
    const std::string temp = tempPath(dock);
    bool prepared = false;
    bool backupChecked = false;
    bool madeBackup = false;
    for (int attempt = 1; attempt <= kSaveAttempts; ++attempt) {
        files.SleepMs(kWaitBeforeAttemptMs);
        if (!prepared) {
            // CREATE_ALWAYS truncates whatever a save cut short left here. The
            // file is on the disk before it takes config.ini's place: a power
            // cut must not leave an empty config.ini behind.
            prepared = files.WriteWholeFile(temp, templateBytes()) && writeValues(dock, temp) &&
                       files.FlushToDisk(temp);
            if (!prepared) continue;
        }
        if (!backupChecked) {
            madeBackup = keepFirstBackup(dock);
            backupChecked = true;
        }
        if (files.ReplaceFileAtomically(temp, config)) return;
    }
    files.DeleteExistingFile(temp);
    // config.ini could not be replaced: rewrite it where it is, with the same
    // bytes a replacement would have given it.
    if (!backupChecked) madeBackup = keepFirstBackup(dock);
    if (files.WriteWholeFile(config, templateBytes())) {
        writeValues(dock, config);
        files.FlushToDisk(config);
        return;
    }
    // Not even that: put the values into it as far as the profile writer can,
    // and leave no backup this save made (the file it copied is still
    // config.ini).
    if (madeBackup) files.DeleteExistingFile(backupPath(dock));
    writeValues(dock, config);
}

void markSaveDue(Dock& dock) {
    DockState& state = dock.state;
    // Counted from the first change, so that a stream of changes cannot put
    // the save off for ever.
    if (state.saving.saveDue) return;
    state.saving.saveDue = true;
    state.saving.saveDueTick = dock.platform.shell.TickCount();
}

void saveWhenDue(Dock& dock) {
    const DockState& state = dock.state;
    if (!state.saving.saveDue || state.commands.busy) return;
    if (dock.platform.shell.TickCount() - state.saving.saveDueTick < kSaveDelayMs) return;
    saveConfiguration(dock);
}

}  // namespace dock
