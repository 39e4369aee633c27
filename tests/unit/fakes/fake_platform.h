#pragma once
// Fakes of every port, recording what the core asks of the system so that
// tests can assert exact sequences and numbers. FakePlatform bundles them
// with a Dock wired to them.
#include <array>
#include <cstdint>
#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/feature_table.h"
#include "config/dock.h"

namespace dock::testing {

class FakeFileSystem : public FileSystem {
  public:
    std::map<std::string, Bytes> files;
    std::set<std::string> directories;
    std::set<std::string> lockedPaths;  // writes, renames and copies onto these fail
    std::set<std::string> heldPaths;    // replacing these fails, writing them works
    std::vector<std::string> log;       // "write <path>", "rename <a> -> <b>", "sleep 100", ...

    void Put(const std::string& path, const std::string& content) {
        files[path] = Bytes(content.begin(), content.end());
    }
    std::string Text(const std::string& path) const {
        auto it = files.find(path);
        return it == files.end() ? std::string()
                                 : std::string(it->second.begin(), it->second.end());
    }

    bool FileExists(const std::string& path) override {
        return files.count(path) != 0 || directories.count(path) != 0;
    }
    Bytes ReadWholeFile(const std::string& path) override {
        auto it = files.find(path);
        return it == files.end() ? Bytes{} : it->second;
    }
    bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) override {
        log.push_back("write " + path);
        if (lockedPaths.count(path) != 0 || directories.count(path) != 0) return false;
        files[path] = Bytes(bytes.begin(), bytes.end());
        return true;
    }
    bool RenameFile(const std::string& from, const std::string& to) override {
        log.push_back("rename " + from + " -> " + to);
        if (files.count(from) == 0 || FileExists(to) || lockedPaths.count(from) != 0) return false;
        files[to] = std::move(files[from]);
        files.erase(from);
        return true;
    }
    bool CopyNewFile(const std::string& from, const std::string& to) override {
        log.push_back("copy " + from + " -> " + to);
        if (files.count(from) == 0 || FileExists(to) || lockedPaths.count(to) != 0) return false;
        files[to] = files[from];
        return true;
    }
    bool ReplaceFileAtomically(const std::string& from, const std::string& to) override {
        log.push_back("replace " + from + " -> " + to);
        if (files.count(from) == 0 || lockedPaths.count(to) != 0 || heldPaths.count(to) != 0)
            return false;
        files[to] = std::move(files[from]);
        files.erase(from);
        return true;
    }
    bool DeleteExistingFile(const std::string& path) override {
        log.push_back("delete " + path);
        return files.erase(path) != 0;
    }
    bool FlushToDisk(const std::string& path) override {
        log.push_back("flush " + path);
        return files.count(path) != 0;
    }
    void SleepMs(std::uint32_t milliseconds) override {
        log.push_back("sleep " + std::to_string(milliseconds));
    }
};

// Keys are looked up exactly (section and key as GBK bytes).
class FakeProfile : public ProfileStore {
  public:
    using Key = std::tuple<std::string, std::string, std::string>;  // file, section, key
    std::map<Key, std::string> values;
    std::vector<Key> reads;
    std::vector<std::pair<Key, std::string>> writes;

    void Set(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) {
        values[{file, section, key}] = value;
    }
    std::string ReadProfileText(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& defaultText) override {
        reads.push_back({file, section, key});
        auto it = values.find({file, section, key});
        return it == values.end() ? defaultText : it->second;
    }
    std::set<std::pair<std::string, std::string>> emptySections;  // file, section
    bool HasSection(const std::string& file, const std::string& section) override {
        if (emptySections.count({file, section}) != 0) return true;
        for (const auto& [key, value] : values)
            if (std::get<0>(key) == file && std::get<1>(key) == section) return true;
        return false;
    }
    bool WriteProfileText(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& value) override {
        writes.push_back({{file, section, key}, value});
        values[{file, section, key}] = value;
        return true;
    }
};

class FakeMessages : public MessagePort {
  public:
    struct Shown {
        std::string text, caption;
        std::uint32_t style;
        bool busy;  // whether the dock was blocked while it waited
    };
    std::vector<Shown> shown;
    std::deque<int> answers;     // button ids to return, in order; IDOK (1) when empty
    const bool* busy = nullptr;  // the dock's guard, set by FakePlatform

    int ShowMessageBox(const std::string& text, const std::string& caption,
                       std::uint32_t style) override {
        shown.push_back({text, caption, style, busy != nullptr && *busy});
        if (answers.empty()) return 1;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// The 24 bytes of a PNG that FakePicture decodes: the signature and the IHDR size.
inline std::string pngHeader(std::uint32_t width, std::uint32_t height) {
    std::string b = "\x89PNG\r\n\x1A\n";
    b += std::string("\0\0\0\x0DIHDR", 8);
    for (std::uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8) b += static_cast<char>((v >> shift) & 0xFF);
    return b;
}

// Decodes PNG (size from IHDR) and ICO (size from the first entry) headers;
// anything else fails. `source` tells tests which picture a call drew.
class FakePicture : public Picture {
  public:
    explicit FakePicture(FakeFileSystem& files) : files_(files) {}
    std::string source;  // "memory:<n>" or "file:<path>"; empty when not loaded
    int loads = 0;

    bool LoadFromMemory(std::span<const std::uint8_t> bytes) override {
        ++loads;
        Dispose();
        if (!decode(bytes)) return false;
        source = "memory:" + std::to_string(bytes.size());
        return true;
    }
    bool LoadFromFile(const std::string& gbkPath) override {
        ++loads;
        Dispose();
        Bytes bytes = files_.ReadWholeFile(gbkPath);
        if (!decode(bytes)) return false;
        source = "file:" + gbkPath;
        return true;
    }
    void Dispose() override {
        width_ = height_ = 0;
        loaded_ = false;
        source.clear();
    }
    bool IsLoaded() const override { return loaded_; }
    std::uint32_t Width() const override { return width_; }
    std::uint32_t Height() const override { return height_; }

  private:
    bool decode(std::span<const std::uint8_t> b) {
        static const std::uint8_t png[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
        if (b.size() >= 24 && std::equal(png, png + 8, b.begin())) {
            width_ = (b[16] << 24) | (b[17] << 16) | (b[18] << 8) | b[19];
            height_ = (b[20] << 24) | (b[21] << 16) | (b[22] << 8) | b[23];
        } else if (b.size() > 22 && b[0] == 0 && b[1] == 0 && b[2] == 1 && b[3] == 0 && b[4] == 1 &&
                   b[5] == 0) {
            width_ = b[6] == 0 ? 256 : b[6];
            height_ = b[7] == 0 ? 256 : b[7];
        } else {
            return false;
        }
        loaded_ = true;
        return true;
    }
    FakeFileSystem& files_;
    bool loaded_ = false;
    std::uint32_t width_ = 0, height_ = 0;
};

class FakePictureFactory : public PictureFactory {
  public:
    explicit FakePictureFactory(FakeFileSystem& files) : files_(files) {}
    int made = 0;
    std::unique_ptr<Picture> NewPicture() override {
        ++made;
        return std::make_unique<FakePicture>(files_);
    }

  private:
    FakeFileSystem& files_;
};

// Records every call; pictures are named by their FakePicture::source.
class RecordingSurface : public DrawingSurface {
  public:
    struct Call {
        // Create, BeginFrame, Clear, DrawImage, DrawImagePart, DrawImageSlice, DrawOutlinedText,
        // Present
        std::string op;
        std::string picture;       // FakePicture::source of the picture drawn
        std::vector<double> args;  // the numbers, in the order of the call
        std::string text;          // Create: font name; DrawOutlinedText: the text
        friend bool operator==(const Call&, const Call&) = default;
    };
    std::vector<Call> calls;

    void Create(std::int32_t width, std::int32_t height, const std::string& fontName,
                std::uint32_t textColor, std::uint32_t outlineColor, int alpha,
                bool highQuality) override {
        calls.push_back({"Create",
                         "",
                         {double(width), double(height), double(textColor), double(outlineColor),
                          double(alpha), highQuality ? 1.0 : 0.0},
                         fontName});
    }
    void BeginFrame() override { calls.push_back({"BeginFrame", "", {}, ""}); }
    void Clear(const RectI& r) override {
        calls.push_back(
            {"Clear", "", {double(r.left), double(r.top), double(r.right), double(r.bottom)}, ""});
    }
    int DrawImage(const Picture& picture, float x, float y, float w, float h) override {
        if (!picture.IsLoaded()) return 2;  // GDI+ rejects the null image and draws nothing
        calls.push_back({"DrawImage", nameOf(picture), {x, y, w, h}, ""});
        return 0;
    }
    int DrawImagePart(const Picture& picture, float x, float y, float w, float h, float sx,
                      float sy, float sw, float sh, float opacity) override {
        if (!picture.IsLoaded()) return 2;
        calls.push_back(
            {"DrawImagePart", nameOf(picture), {x, y, w, h, sx, sy, sw, sh, opacity}, ""});
        return 0;
    }
    // Recorded as x, y, width, height, as the picture calls are.
    int DrawImageSlice(const Picture& picture, const RectF& to, float sx, float sy, float sw,
                       float sh) override {
        if (!picture.IsLoaded()) return 2;
        calls.push_back({"DrawImageSlice",
                         nameOf(picture),
                         {to.left, to.top, to.Width(), to.Height(), sx, sy, sw, sh},
                         ""});
        return 0;
    }
    void DrawOutlinedText(const std::string& text, float x, float y, std::int32_t em) override {
        calls.push_back({"DrawOutlinedText", "", {x, y, double(em)}, text});
    }
    void Present() override { calls.push_back({"Present", "", {}, ""}); }

    std::vector<Call> Only(const std::string& op) const {
        std::vector<Call> out;
        for (const Call& c : calls)
            if (c.op == op) out.push_back(c);
        return out;
    }

  private:
    static std::string nameOf(const Picture& p) {
        auto* fake = dynamic_cast<const FakePicture*>(&p);
        return fake != nullptr ? fake->source : std::string("?");
    }
};

class FakeHotkeys : public HotkeyPort {
  public:
    std::vector<std::string> log;  // "register 2 3 65" (id, modifiers, key), "unregister 2"
    std::map<int, std::pair<std::uint32_t, std::uint32_t>> registered;  // id -> (modifiers, key)
    std::set<std::pair<std::uint32_t, std::uint32_t>> heldElsewhere;    // taken by other programs

    bool RegisterHotkey(int id, std::uint32_t modifiers, std::uint32_t key) override {
        log.push_back("register " + std::to_string(id) + " " + std::to_string(modifiers) + " " +
                      std::to_string(key));
        std::pair<std::uint32_t, std::uint32_t> combo{modifiers, key};
        if (heldElsewhere.count(combo) != 0) return false;
        for (const auto& [otherId, otherCombo] : registered)
            if (otherId != id && otherCombo == combo) return false;
        registered[id] = combo;  // registering an existing id replaces its combination
        return true;
    }
    void UnregisterHotkey(int id) override {
        log.push_back("unregister " + std::to_string(id));
        registered.erase(id);
    }
    std::map<std::uint32_t, std::string> keyNames;  // the system's names, by virtual key
    std::string KeyName(std::uint32_t virtualKey) override {
        auto it = keyNames.find(virtualKey);
        return it == keyNames.end() ? std::string() : it->second;
    }
};

class FakeIconSource : public IconSource {
  public:
    std::map<std::string, IconResources> modules;
    std::map<std::string, std::string> shortcuts;
    std::vector<std::string> log;

    std::optional<IconResources> ReadIconResources(const std::string& path,
                                                   std::int32_t drawnSize) override {
        // The classic choice is the usual one: only a size asked for is noted.
        log.push_back("icons " + path +
                      (drawnSize == kClassicIconChoice ? "" : " at " + std::to_string(drawnSize)));
        auto it = modules.find(path);
        if (it == modules.end()) return std::nullopt;
        return it->second;
    }
    std::string ResolveShortcut(const std::string& path) override {
        log.push_back("shortcut " + path);
        auto it = shortcuts.find(path);
        return it == shortcuts.end() ? std::string() : it->second;
    }
};

class FakeWindow : public DockWindowPort {
  public:
    struct Placement {
        bool topmost;
        std::int32_t x, y, width, height;
        friend bool operator==(const Placement&, const Placement&) = default;
    };
    RectI rect{400, 300, 688, 640};
    PointI cursor{0, 0};
    std::vector<RectI> monitors{{0, 0, 1280, 800}};   // the screens, in virtual-screen pixels
    std::vector<RectI> workAreas{{0, 0, 1280, 760}};  // one per monitor
    std::vector<Placement> placements;
    std::vector<std::uint32_t> timerArms;  // periods, in order
    int timerStops = 0;
    int dropAccepts = 0;
    // "place", "move 1 2", "arm 10", "stop", "accept", "capture" in order
    std::vector<std::string> log;

    bool primaryButtonDown = false;
    bool PrimaryButtonDown() override { return primaryButtonDown; }
    RectI WindowRect() override { return rect; }
    void PlaceWindow(bool topmost, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height) override {
        placements.push_back({topmost, x, y, width, height});
        rect = {x, y, x + width, y + height};
        log.push_back("place");
    }
    void MoveTo(std::int32_t x, std::int32_t y) override {
        rect = {x, y, x + rect.Width(), y + rect.Height()};
        log.push_back("move " + std::to_string(x) + " " + std::to_string(y));
    }
    void AcceptDrops() override {
        ++dropAccepts;
        log.push_back("accept");
    }
    PointI CursorPos() override { return cursor; }
    void ArmTimer(std::uint32_t period) override {
        timerArms.push_back(period);
        log.push_back("arm " + std::to_string(period));
    }
    void StopTimer() override {
        ++timerStops;
        log.push_back("stop");
    }
    bool captured = false;
    void CapturePointer() override {
        captured = true;
        log.push_back("capture");
    }
    void ReleasePointer() override {
        if (captured) log.push_back("release");
        captured = false;
    }
    // Like MonitorFromRect: a shared edge is no overlap.
    bool TouchesAnyMonitor(const RectI& r) override {
        for (const RectI& m : monitors)
            if (r.left < m.right && m.left < r.right && r.top < m.bottom && m.top < r.bottom)
                return true;
        return false;
    }
    std::vector<RectI> WorkAreas() override { return workAreas; }
    std::int32_t dpi = 96;
    std::int32_t Dpi() override { return dpi; }
    std::vector<std::int32_t> monitorDpis;  // by monitor; 96 for those without one
    std::vector<MonitorScale> MonitorScales() override {
        std::vector<MonitorScale> scales;
        for (std::size_t i = 0; i < monitors.size(); ++i)
            scales.push_back({monitors[i], i < monitorDpis.size() ? monitorDpis[i] : 96});
        return scales;
    }
};

class FakeShell : public ShellPort {
  public:
    struct Launched {
        std::string file, directory;
        friend bool operator==(const Launched&, const Launched&) = default;
    };
    std::vector<Launched> launched;
    std::uint32_t tick = 0;
    // A window on the desktop: its program's image path, its handle and its
    // style; each window is a process of its own, numbered from 1.
    struct Window {
        std::string program;
        std::uintptr_t window = 0;
        TopLevelWindow facts{};
    };
    std::vector<Window> windows;  // front first
    int windowQueries = 0;
    std::vector<std::uintptr_t> broughtToFront;

    bool Launch(const std::string& file, const std::string& directory) override {
        launched.push_back({file, directory});
        return startsSucceed;
    }
    struct Opened {
        std::string program, parameters, directory;
        friend bool operator==(const Opened&, const Opened&) = default;
    };
    std::vector<Opened> opened;
    bool OpenWith(const std::string& program, const std::string& parameters,
                  const std::string& directory) override {
        opened.push_back({program, parameters, directory});
        return startsSucceed;
    }
    bool startsSucceed = true;  // false: the shell reports an error
    std::uint32_t TickCount() override { return tick; }
    std::vector<TopLevelWindow> TopLevelWindows() override {
        ++windowQueries;
        std::vector<TopLevelWindow> listed;
        for (const Window& w : windows) {
            listed.push_back(w.facts);
            listed.back().window = w.window;
            listed.back().processId = static_cast<std::uint32_t>(listed.size());
        }
        return listed;
    }
    std::string ProcessImage(std::uint32_t processId) override {
        return processId >= 1 && processId <= windows.size() ? windows[processId - 1].program : "";
    }
    // The window comes first in the z-order, as the system would put it.
    void BringToFront(std::uintptr_t window) override {
        broughtToFront.push_back(window);
        const auto brought = std::find_if(windows.begin(), windows.end(),
                                          [&](const Window& w) { return w.window == window; });
        if (brought != windows.end()) std::rotate(windows.begin(), brought, brought + 1);
    }
};

class FakeForeground : public ForegroundPort {
  public:
    ForegroundWindow foreground;
    RectI monitor{0, 0, 1280, 800};
    ShellUserState userState = ShellUserState::other;
    std::uintptr_t handle = 0;  // the foreground window's, 0 for none or the dock
    // "topmost 1", "topmost 0", "watch 1", "watch 0", "give 7" in order
    std::vector<std::string> log;

    ForegroundWindow Foreground() override { return foreground; }
    RectI DockMonitor() override { return monitor; }
    ShellUserState UserState() override { return userState; }
    void SetDockTopmost(bool topmost) override {
        log.push_back("topmost " + std::to_string(topmost));
    }
    void WatchForeground(bool watch) override { log.push_back("watch " + std::to_string(watch)); }
    std::uintptr_t ForegroundHandle() override { return handle; }
    void GiveForeground(std::uintptr_t window) override {
        log.push_back("give " + std::to_string(window));
    }
    // Other programs' windows for OtherWindowMeets, and whether one changed.
    std::vector<RectI> others;
    bool windowsChanged = false;
    int overlapQueries = 0;
    void WatchWindows(bool watch) override { log.push_back("windows " + std::to_string(watch)); }
    bool TakeWindowsChanged() override { return std::exchange(windowsChanged, false); }
    bool OtherWindowMeets(const RectI& rect) override {
        ++overlapQueries;
        for (const RectI& w : others)
            if (w.left < rect.right && rect.left < w.right && w.top < rect.bottom &&
                rect.top < w.bottom)
                return true;
        return false;
    }
};

// The lead bytes of code page 936 (GBK), the target systems' ANSI code page;
// a default LeadBytes is a single-byte code page such as 1252.
inline LeadBytes gbkLeadBytes() {
    std::array<bool, 256> leads{};
    for (std::size_t byte = 0x81; byte <= 0xFE; ++byte) leads[byte] = true;
    return LeadBytes(leads);
}

// Every fake plus a Dock wired to them, with the default layout metrics, the
// built-in background size (107 x 104), code page 936 and the default settings.
inline DockItem itemWithTarget(const std::string& target) {
    DockItem item;
    item.targetPath = target;
    return item;
}

struct FakePlatform {
    FakeFileSystem files;
    FakeProfile profile;
    FakeMessages messages;
    FakePictureFactory pictures{files};
    RecordingSurface canvas;
    FakeHotkeys hotkeys;
    FakeIconSource icons;
    FakeWindow window;
    FakeShell shell;
    FakeForeground foreground;
    FeatureStates features;
    Dock dock{Platform{files, profile, messages, pictures, canvas, hotkeys, icons, window, shell,
                       foreground},
              "C:\\Dock",
              gbkLeadBytes(),
              {},
              {}};

    FakePlatform() {
        messages.busy = &dock.state.commands.busy;
        dock.settings.floatDistance = 48;
        dock.settings.floatBothWays = 1;
        dock.settings.launchCooldownMs = 1000;
        dock.settings.alwaysOnTop = 1;
        dock.state.metrics.backgroundWidth = 107;
        dock.state.metrics.backgroundHeight = 104;
        dock.state.metrics.floatDistance = 48;
        dock.state.metrics.rowTop = 152;
    }
};

}  // namespace dock::testing
