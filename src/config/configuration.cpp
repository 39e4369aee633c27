#include "config/configuration.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "config/extended_settings.h"
#include "support/text.h"
#include "support/texts.h"

namespace dock {
namespace {

constexpr std::string_view kEnd = "\r\n";
// # 非零表示开启此项. 默认为零 不开启.
constexpr std::string_view kOffByDefault =
    "# \xB7\xC7\xC1\xE3\xB1\xED\xCA\xBE\xBF\xAA\xC6\xF4\xB4\xCB\xCF\xEE. "
    "\xC4\xAC\xC8\xCF\xCE\xAA\xC1\xE3 \xB2\xBB\xBF\xAA\xC6\xF4.";

// A key that turns something on: its question, the note that it is off by
// default, and the row.
std::string switchRows(std::string_view question, std::string_view key, std::int32_t value) {
    return Concat(question, kEnd, kOffByDefault, kEnd, kEnd, key, "=", IntToText(value), kEnd, kEnd,
                  kEnd);
}

// The template with every comment a user reads when editing config.ini by
// hand, one line of it a row: the section and key names and the defaults come
// from where the program keeps them; the comment above a literal shows its
// GBK text.
std::string buildTemplate() {
    const DockSettings defaults;
    // clang-format off
    return Concat(
        "[", texts::kSectionSettings, "]", kEnd,
        kEnd,
        // # 鼠标指针接近时图标是否自动吸附.
        switchRows("# \xCA\xF3\xB1\xEA\xD6\xB8\xD5\xEB\xBD\xD3\xBD\xFC\xCA\xB1\xCD\xBC\xB1\xEA\xCA\xC7\xB7\xF1\xD7\xD4\xB6\xAF\xCE\xFC\xB8\xBD.", texts::kKeyAutoSnap, defaults.autoSnap),
        // # 图标跟随鼠标指针上下浮动.
        "# \xCD\xBC\xB1\xEA\xB8\xFA\xCB\xE6\xCA\xF3\xB1\xEA\xD6\xB8\xD5\xEB\xC9\xCF\xCF\xC2\xB8\xA1\xB6\xAF.", kEnd,
        // # 最大浮动距离, 默认为 48.
        "# \xD7\xEE\xB4\xF3\xB8\xA1\xB6\xAF\xBE\xE0\xC0\xEB, \xC4\xAC\xC8\xCF\xCE\xAA ", IntToText(defaults.floatDistance), ".", kEnd,
        texts::kKeyFloatDistance, "=", IntToText(defaults.floatDistance), kEnd,
        kEnd,
        // # 浮动方向, 0 表示只向上跟随, 1 表示上下跟随. 默认为 1.
        "# \xB8\xA1\xB6\xAF\xB7\xBD\xCF\xF2, 0 \xB1\xED\xCA\xBE\xD6\xBB\xCF\xF2\xC9\xCF\xB8\xFA\xCB\xE6, 1 \xB1\xED\xCA\xBE\xC9\xCF\xCF\xC2\xB8\xFA\xCB\xE6. \xC4\xAC\xC8\xCF\xCE\xAA ", IntToText(defaults.floatBothWays), ".", kEnd,
        texts::kKeyFloatBothWays, "=", IntToText(defaults.floatBothWays), kEnd,
        kEnd,
        kEnd,
        // # 左键双击运行同一个项目时的冷却时间.
        "# \xD7\xF3\xBC\xFC\xCB\xAB\xBB\xF7\xD4\xCB\xD0\xD0\xCD\xAC\xD2\xBB\xB8\xF6\xCF\xEE\xC4\xBF\xCA\xB1\xB5\xC4\xC0\xE4\xC8\xB4\xCA\xB1\xBC\xE4.", kEnd,
        // # 以毫秒为单位. 1000ms = 1s
        "# \xD2\xD4\xBA\xC1\xC3\xEB\xCE\xAA\xB5\xA5\xCE\xBB. 1000ms = 1s", kEnd,
        // # 默认 1000 不可小于 1000.
        "# \xC4\xAC\xC8\xCF ", IntToText(defaults.launchCooldownMs), " \xB2\xBB\xBF\xC9\xD0\xA1\xD3\xDA ", IntToText(kMinimumCooldownMs), ".", kEnd,
        kEnd,
        texts::kKeyLaunchCooldown, "=", IntToText(defaults.launchCooldownMs), kEnd,
        kEnd,
        kEnd,
        // # 选中图标托盘图片.支持相对路径与绝对路径.
        "# \xD1\xA1\xD6\xD0\xCD\xBC\xB1\xEA\xCD\xD0\xC5\xCC\xCD\xBC\xC6\xAC.\xD6\xA7\xB3\xD6\xCF\xE0\xB6\xD4\xC2\xB7\xBE\xB6\xD3\xEB\xBE\xF8\xB6\xD4\xC2\xB7\xBE\xB6.", kEnd,
        // # 默认 res\1.png
        "# \xC4\xAC\xC8\xCF ", defaults.trayImagePath, kEnd,
        kEnd,
        texts::kKeyTrayImage, "=", defaults.trayImagePath, kEnd,
        kEnd,
        kEnd,
        // # 是否开启高质量模式.
        switchRows("# \xCA\xC7\xB7\xF1\xBF\xAA\xC6\xF4\xB8\xDF\xD6\xCA\xC1\xBF\xC4\xA3\xCA\xBD.", texts::kKeyHighQuality, defaults.highQuality),
        // # 是否开启图标倒影.
        switchRows("# \xCA\xC7\xB7\xF1\xBF\xAA\xC6\xF4\xCD\xBC\xB1\xEA\xB5\xB9\xD3\xB0.", texts::kKeyReflection, defaults.reflection),
        // # 上次关闭时记录的程序位置.
        "# \xC9\xCF\xB4\xCE\xB9\xD8\xB1\xD5\xCA\xB1\xBC\xC7\xC2\xBC\xB5\xC4\xB3\xCC\xD0\xF2\xCE\xBB\xD6\xC3.", kEnd,
        // # 程序自动记录
        "# \xB3\xCC\xD0\xF2\xD7\xD4\xB6\xAF\xBC\xC7\xC2\xBC", kEnd,
        kEnd,
        texts::kKeyLeft, "=", kEnd,
        texts::kKeyTop, "=", kEnd,
        kEnd,
        texts::kKeyLocked, "=", IntToText(defaults.locked), kEnd,
        texts::kKeyAlwaysOnTop, "=", IntToText(defaults.alwaysOnTop), kEnd,
        kEnd,
        kEnd,
        "[", texts::kSectionItems, "]", kEnd,
        kEnd,
        // # 可在此为可执行文件指定自定义图标. 自定义图标优先于可执行文件内置的图标.
        "# \xBF\xC9\xD4\xDA\xB4\xCB\xCE\xAA\xBF\xC9\xD6\xB4\xD0\xD0\xCE\xC4\xBC\xFE\xD6\xB8\xB6\xA8\xD7\xD4\xB6\xA8\xD2\xE5\xCD\xBC\xB1\xEA. \xD7\xD4\xB6\xA8\xD2\xE5\xCD\xBC\xB1\xEA\xD3\xC5\xCF\xC8\xD3\xDA\xBF\xC9\xD6\xB4\xD0\xD0\xCE\xC4\xBC\xFE\xC4\xDA\xD6\xC3\xB5\xC4\xCD\xBC\xB1\xEA.", kEnd,
        kEnd,
        texts::kKeyItemCount, "=");  // no line end after the last line
    // clang-format on
}

}  // namespace

std::string_view configTemplate() {
    static const std::string text = buildTemplate();
    return text;
}

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
    const std::string_view text = configTemplate();
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
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
    // Where the user put the dock, even while it shows elsewhere.
    put(settings, texts::kKeyLeft, IntToText(dock.state.place.chosen.x));
    put(settings, texts::kKeyTop, IntToText(dock.state.place.chosen.y));
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
            if (storedRow(setting))
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
    return configPath(dock.programDirectory);
}

std::string configPath(std::string_view programDirectory) {
    return Concat(programDirectory, "\\config.ini");
}

PointI loadConfiguration(Dock& dock, PointI windowPosition) {
    PointI position;
    position.x = TextToInt(readSetting(dock, texts::kKeyLeft, IntToText(windowPosition.x)));
    position.y = TextToInt(readSetting(dock, texts::kKeyTop, IntToText(windowPosition.y)));
    const DockSettings defaults;
    const auto number = [&](std::string_view key, std::int32_t value) {
        return TextToInt(readSetting(dock, key, IntToText(value)));
    };
    const auto flag = [&](std::string_view key, std::int32_t value) {
        return flagFromText(readSetting(dock, key, IntToText(value)));
    };
    DockSettings& s = dock.settings;
    s.locked = flag(texts::kKeyLocked, defaults.locked);
    s.alwaysOnTop = flag(texts::kKeyAlwaysOnTop, defaults.alwaysOnTop);
    s.autoSnap = number(texts::kKeyAutoSnap, defaults.autoSnap);
    s.floatDistance = number(texts::kKeyFloatDistance, defaults.floatDistance);
    s.floatBothWays = number(texts::kKeyFloatBothWays, defaults.floatBothWays);
    s.launchCooldownMs = number(texts::kKeyLaunchCooldown, defaults.launchCooldownMs);
    if (s.launchCooldownMs < kMinimumCooldownMs) s.launchCooldownMs = kMinimumCooldownMs;
    // No path, or no file there: the default picture beside the program.
    s.trayImagePath = readSetting(dock, texts::kKeyTrayImage, "");
    if (s.trayImagePath.empty() || !dock.platform.files.FileExists(s.trayImagePath)) {
        s.trayImagePath = Concat(dock.programDirectory, "\\", defaults.trayImagePath);
    }
    s.highQuality = number(texts::kKeyHighQuality, defaults.highQuality);
    s.reflection = number(texts::kKeyReflection, defaults.reflection);
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

namespace {

// One save's progress across its attempts: the filled temp file and the
// backup are made once.
struct SaveProgress {
    bool prepared = false;
    bool backupChecked = false;
    bool madeBackup = false;
};

// True when config.ini now holds every value.
bool replaceConfig(Dock& dock, SaveProgress& progress) {
    FileSystem& files = dock.platform.files;
    if (!progress.prepared) {
        // CREATE_ALWAYS truncates whatever a save cut short left here. The
        // file is on the disk before it takes config.ini's place: a power cut
        // must not leave an empty config.ini behind.
        const std::string temp = tempPath(dock);
        progress.prepared = files.WriteWholeFile(temp, templateBytes()) &&
                            writeValues(dock, temp) && files.FlushToDisk(temp);
        if (!progress.prepared) return false;
    }
    if (!progress.backupChecked) {
        progress.madeBackup = keepFirstBackup(dock);
        progress.backupChecked = true;
    }
    return files.ReplaceFileAtomically(tempPath(dock), configPath(dock));
}

}  // namespace

void saveConfiguration(Dock& dock) {
    dock.state.saving.saveDue = false;
    FileSystem& files = dock.platform.files;
    const std::string config = configPath(dock);
    SaveProgress progress;
    for (int attempt = 1; attempt <= kSaveAttempts; ++attempt) {
        files.SleepMs(kWaitBeforeAttemptMs);
        if (replaceConfig(dock, progress)) return;
    }
    files.DeleteExistingFile(tempPath(dock));
    // config.ini could not be replaced: rewrite it where it is, with the same
    // bytes a replacement would have given it.
    if (!progress.backupChecked) progress.madeBackup = keepFirstBackup(dock);
    if (files.WriteWholeFile(config, templateBytes())) {
        writeValues(dock, config);
        files.FlushToDisk(config);
        return;
    }
    // Not even that: put the values into it as far as the profile writer can,
    // and leave no backup this save made (the file it copied is still
    // config.ini).
    if (progress.madeBackup) files.DeleteExistingFile(backupPath(dock));
    writeValues(dock, config);
}

void markSaveDue(Dock& dock) {
    DockState& state = dock.state;
    // Counted from the first change, so that a stream of changes cannot put
    // the save off for ever.
    if (state.saving.saveDue) return;
    state.saving.saveDue = true;
    state.saving.saveDueTick = dock.platform.shell.TickCount();
    state.saving.waitMs = kSaveDelayMs;
}

void saveWhenDue(Dock& dock) {
    SaveState& saving = dock.state.saving;
    if (!saving.saveDue || dock.state.commands.busy) return;
    const std::uint32_t now = dock.platform.shell.TickCount();
    if (now - saving.saveDueTick < saving.waitMs) return;
    // The animation runs on this thread: one attempt, no wait. A config.ini
    // that cannot be replaced now (a scanner holds it, the folder is not
    // writable) is tried again later, less often each time; the rewrite in
    // place is left to the closing save, when no later attempt will come.
    SaveProgress progress;
    if (replaceConfig(dock, progress)) {
        saving.saveDue = false;
        return;
    }
    FileSystem& files = dock.platform.files;
    files.DeleteExistingFile(tempPath(dock));
    if (progress.madeBackup) files.DeleteExistingFile(backupPath(dock));
    saving.saveDueTick = now;
    saving.waitMs = std::min(saving.waitMs * 2, kLongestSaveRetryMs);
}

}  // namespace dock
