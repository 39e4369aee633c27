// The running dock over hostile pictures, hostile dropped files, a config.ini
// it may not replace, and hotkeys that somebody else holds.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../render/picture_bytes_win32.h"
#include "render/frame.h"
#include "robustness_support.h"
#include "support/handles_win32.h"

namespace dock::wine {
namespace {

namespace t = texts;
using dock::testing::pngOf;
using dock::testing::solid;

std::string line(std::string_view key, std::string_view value) {
    std::string text(key);
    text.append("=").append(value).append("\r\n");
    return text;
}

std::string header(std::string_view section) {
    std::string text = "[";
    text.append(section).append("]\r\n");
    return text;
}

std::string asText(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// A one-bit palette PNG of any size, in stored deflate blocks: an 8000 x 8000
// file is 8 MB here and 256 MB once decoded.
Bytes hugePng(int width, int height) {
    using dock::testing::crc32Of;
    using dock::testing::putBigEndian;
    using dock::testing::putLittleEndian;
    const std::size_t rowBytes = 1 + (static_cast<std::size_t>(width) + 7) / 8;
    const std::size_t rawSize = rowBytes * static_cast<std::size_t>(height);
    Bytes z{0x78, 0x01};
    z.reserve(rawSize + rawSize / 65535 * 5 + 16);
    std::uint32_t a = 1, b = 0;
    std::size_t done = 0;
    while (done < rawSize) {
        const std::size_t n = std::min<std::size_t>(rawSize - done, 65535);
        z.push_back(done + n == rawSize ? 1 : 0);
        putLittleEndian(z, static_cast<std::uint32_t>(n), 2);
        putLittleEndian(z, static_cast<std::uint32_t>(~n & 0xFFFF), 2);
        for (std::size_t i = done; i < done + n; ++i) {
            const std::uint8_t c = i % rowBytes == 0 ? 0 : 0xAA;  // filter none, stripes
            z.push_back(c);
            a = (a + c) % 65521;
            b = (b + a) % 65521;
        }
        done += n;
    }
    putBigEndian(z, (b << 16) | a);
    Bytes png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    auto chunk = [&png](const char* type, const Bytes& data) {
        putBigEndian(png, static_cast<std::uint32_t>(data.size()));
        const std::size_t start = png.size();
        png.insert(png.end(), type, type + 4);
        png.insert(png.end(), data.begin(), data.end());
        putBigEndian(png, ~crc32Of(png.data() + start, png.size() - start));
    };
    Bytes ihdr;
    putBigEndian(ihdr, static_cast<std::uint32_t>(width));
    putBigEndian(ihdr, static_cast<std::uint32_t>(height));
    ihdr.insert(ihdr.end(), {1, 3, 0, 0, 0});  // 1-bit palette
    chunk("IHDR", ihdr);
    chunk("PLTE", {0xD0, 0x30, 0x30, 0x30, 0x60, 0xD0});
    chunk("IDAT", z);
    chunk("IEND", {});
    return png;
}

std::string testDirectory() {
    return moduleDirectory();
}

class BadFiles : public ::testing::Test {
  protected:
    BadFiles() { ::CreateDirectoryA(folder.File("res").c_str(), nullptr); }
    ~BadFiles() override {
        for (const char* name : {"res\\0.png", "res\\1.png", "res\\2.png"})
            ::DeleteFileA(folder.File(name).c_str());
        ::RemoveDirectoryA(folder.File("res").c_str());
    }
    std::string config() const { return folder.File("config.ini"); }
    ScratchFolder folder;
    MessageWatch messages;
};

struct PictureCase {
    const char* name;
    std::string bytes;
    std::uint32_t decodedSize;  // 0: does not decode
};

// Every replaceable picture and a custom icon at once, for each kind of bad file.
TEST_F(BadFiles, PicturesThatAreEmptyTruncatedNotPicturesOrHugeLeaveAWorkingDock) {
    const std::string good = asText(pngOf(40, 40, solid(0xFF20A040)));
    const PictureCase cases[] = {
        {"empty", "", 0},
        {"truncated", good.substr(0, good.size() / 2), 0},
        {"not a picture", "MZ this is text, not a picture\r\n", 0},
        {"huge", asText(hugePng(8000, 8000)), 8000},
    };
    for (const PictureCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder icons;
        const std::string custom = icons.File("custom.png");
        for (const std::string& path : {folder.File("res\\0.png"), folder.File("res\\1.png"),
                                        folder.File("res\\2.png"), custom})
            writeFileText(path, c.bytes);
        writeFileText(config(), header(t::kSectionItems) + line(t::kKeyItemCount, "2") +
                                    line(keyOf(t::kKeyCustomIconPrefix, 1), custom) +
                                    line(keyOf(t::kKeyTargetPrefix, 2), "C:\\none.txt"));
        const LARGE_INTEGER began = performanceNow();
        DockUnderTest dock(folder.Path());
        std::printf("%s pictures: start-up %.0f ms\n", c.name, millisecondsSince(began));
        DockState& state = dock.dock().state;
        // A replacement that exists but does not decode leaves its picture empty.
        EXPECT_EQ(state.pictures.backgroundImage->Width(), c.decodedSize);
        EXPECT_EQ(state.pictures.trayImage->Width(), c.decodedSize);
        ASSERT_EQ(state.items.Count(), 2);
        for (int n = 1; n <= 2; ++n) {
            const Picture& picture = *state.pictures.imagePool[state.items[n].imageSlot - 1];
            EXPECT_EQ(picture.Width(), c.decodedSize) << "item " << n;
        }
        const std::int32_t height = c.decodedSize == 0 ? (48 + 18) * 2 : (8000 + 48 + 18) * 2;
        EXPECT_EQ(dock.rect().bottom - dock.rect().top, std::min(height, 32767)) << "window";
        const LARGE_INTEGER frame = performanceNow();
        renderFrame(frameOf(dock.dock()), true);
        std::printf("%s pictures: one forced frame %.0f ms\n", c.name, millisecondsSince(frame));
        hoverAcrossTheRow(dock);
        closeAndExpectWholeConfig(dock, config());
        ::DeleteFileA(folder.File("config.ini.bak").c_str());
    }
}

// Puts bytes over part of a copy of a module.
void patch(std::string& image, std::size_t at, std::string_view bytes) {
    if (at + bytes.size() <= image.size()) image.replace(at, bytes.size(), bytes);
}

std::uint32_t le16(const std::string& s, std::size_t at) {
    return std::uint8_t(s[at]) | std::uint8_t(s[at + 1]) << 8;
}

std::uint32_t le32(const std::string& s, std::size_t at) {
    return std::uint8_t(s[at]) | std::uint8_t(s[at + 1]) << 8 | std::uint8_t(s[at + 2]) << 16 |
           std::uint32_t(std::uint8_t(s[at + 3])) << 24;
}

// The file offset of the resource directory of a PE32+ image.
std::size_t resourceOffset(const std::string& image) {
    const std::size_t pe = le32(image, 0x3C);
    const std::size_t sections = std::uint8_t(image[pe + 6]) | std::uint8_t(image[pe + 7]) << 8;
    const std::size_t optionalSize = std::uint8_t(image[pe + 20]) | std::uint8_t(image[pe + 21])
                                                                        << 8;
    const std::uint32_t rva = le32(image, pe + 24 + 112 + 2 * 8);
    std::size_t table = pe + 24 + optionalSize;
    for (std::size_t i = 0; i < sections; ++i, table += 40) {
        const std::uint32_t start = le32(image, table + 12);
        const std::uint32_t size = le32(image, table + 8);
        if (rva >= start && rva < start + size) return le32(image, table + 20) + (rva - start);
    }
    return 0;
}

// The file offsets of the data entries (the data's address, then its size)
// of every resource of one type, through the name and language levels.
std::vector<std::size_t> dataEntries(const std::string& image, std::uint32_t type) {
    const std::size_t rsrc = resourceOffset(image);
    std::vector<std::size_t> found;
    auto walk = [&](auto& self, std::size_t directory, int level) -> void {
        const std::size_t count = le16(image, directory + 12) + le16(image, directory + 14);
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t entry = directory + 16 + 8 * i;
            if (level == 0 && le32(image, entry) != type) continue;
            const std::uint32_t target = le32(image, entry + 4);
            if (target & 0x80000000u)
                self(self, rsrc + (target & 0x7FFFFFFFu), level + 1);
            else
                found.push_back(rsrc + target);
        }
    };
    walk(walk, rsrc, 0);
    return found;
}

struct DroppedCase {
    std::string name;
    std::string bytes;
    std::uint32_t pictureWidth;  // 48: the module's icon; 72: the built-in default
};

// Wine's notepad has a real icon whose chosen image decodes at 48 x 48; the
// test fixtures carry placeholder images that never decode.
TEST_F(BadFiles, DroppedModulesThatAreCutOrCorruptGiveTheDefaultPictureOrTheirIcon) {
    const std::string module = readFileText("C:\\windows\\notepad.exe");
    ASSERT_GT(module.size(), 4096u);
    const std::size_t rsrc = resourceOffset(module);
    ASSERT_GT(rsrc, 0u);
    std::vector<DroppedCase> cases = {
        {"whole.exe", module, 48},
        {"cut64.exe", module.substr(0, 64), 72},
        {"cut512.exe", module.substr(0, 512), 72},
        {"cutrsrc.exe", module.substr(0, rsrc + 20), 72},
        {"missing.exe", readFileText(testDirectory() + "\\icons_missing_id.exe"), 72},
    };
    std::string entries = module;  // the type directory claims 65535 entries
    patch(entries, rsrc + 14, std::string("\xFF\xFF", 2));
    cases.push_back({"entries.exe", entries, 72});
    std::string offsets = module;  // every entry of the type directory points far away
    for (int i = 0; i < 2; ++i) patch(offsets, rsrc + 16 + 8 * i + 4, "\xF0\xFF\xFF\x7F");
    cases.push_back({"offsets.exe", offsets, 72});
    std::string loop = module;  // the type directory names itself as its subdirectory
    for (int i = 0; i < 2; ++i)
        patch(loop, rsrc + 16 + 8 * i + 4, std::string("\x00\x00\x00\x80", 4));
    cases.push_back({"loop.exe", loop, 72});
    std::string noise = module;  // the whole resource directory overwritten
    for (std::size_t i = rsrc; i < std::min(noise.size(), rsrc + 4096); ++i)
        noise[i] = char((i * 37) ^ 0xA5);
    cases.push_back({"noise.exe", noise, 72});

    ScratchFolder drops;
    DockUnderTest dock(folder.Path());
    for (const DroppedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = drops.File(c.name);
        writeFileText(path, c.bytes);
        dock.dock().state.frame.hoverIndex = 0;
        dock.dock().state.frame.pointerX = 100000;  // appends
        dock.call(WM_DROPFILES, reinterpret_cast<WPARAM>(dropOfFiles({path})));
        const DockState& state = dock.dock().state;
        const DockEntry& added = state.items[state.items.Count()];
        EXPECT_EQ(added.item.targetPath, path);
        EXPECT_EQ(state.pictures.imagePool[added.imageSlot - 1]->Width(), c.pictureWidth);
    }
    EXPECT_EQ(dock.dock().state.items.Count(), int(cases.size()));
    hoverAcrossTheRow(dock);
    closeAndExpectWholeConfig(dock, config());
}

// A shortcut saved through the shell link object.
void makeShortcut(const std::string& link, const std::string& target) {
    ComScope com;
    ComPtr<IShellLinkA> shell;
    ASSERT_EQ(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(shell.put())),
              S_OK);
    shell->SetPath(target.c_str());
    ComPtr<IPersistFile> file;
    ASSERT_EQ(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put())), S_OK);
    const std::wstring wide(link.begin(), link.end());
    ASSERT_EQ(file->Save(wide.c_str(), TRUE), S_OK);
}

// Copies of notepad whose icon group, or whose icon images, have data entries
// that point 2 GiB past the module or claim 2 GiB: listed in config.ini,
// dropped, and dropped as shortcuts' targets, each item quietly gets the
// default picture.
TEST_F(BadFiles, ModulesWhoseIconDataLiesOutsideThemGiveTheDefaultPicture) {
    const std::string module = readFileText("C:\\windows\\notepad.exe");
    struct Patched {
        const char* name;
        std::uint32_t type;
        std::size_t field;  // 0: the data's address, 4: its size
    };
    const Patched patches[] = {{"group_far.exe", 14, 0},
                               {"group_huge.exe", 14, 4},
                               {"image_far.exe", 3, 0},
                               {"image_huge.exe", 3, 4}};
    ScratchFolder modules;
    std::vector<std::string> paths, drops;
    for (const Patched& p : patches) {
        std::string bytes = module;
        const std::vector<std::size_t> entries = dataEntries(module, p.type);
        ASSERT_FALSE(entries.empty()) << p.name;
        for (std::size_t entry : entries) patch(bytes, entry + p.field, "\xF0\xFF\xFF\x7F");
        paths.push_back(modules.File(p.name));
        writeFileText(paths.back(), bytes);
        drops.push_back(paths.back());
        drops.push_back(paths.back() + ".lnk");
        makeShortcut(drops.back(), paths.back());
    }
    std::string text = header(t::kSectionItems) + line(t::kKeyItemCount, "4");
    for (int n = 1; n <= 4; ++n) text += line(keyOf(t::kKeyTargetPrefix, n), paths[n - 1]);
    writeFileText(config(), text);

    DockUnderTest dock(folder.Path());
    ASSERT_EQ(dock.dock().state.items.Count(), 4);
    dock.dock().state.frame.hoverIndex = 0;
    dock.dock().state.frame.pointerX = 100000;
    dock.call(WM_DROPFILES, reinterpret_cast<WPARAM>(dropOfFiles(drops)));
    const DockState& state = dock.dock().state;
    ASSERT_EQ(state.items.Count(), 12);
    for (int n = 1; n <= 12; ++n) {
        EXPECT_EQ(state.items[n].item.targetPath, n <= 4 ? paths[n - 1] : drops[n - 5]);
        EXPECT_EQ(state.pictures.imagePool[state.items[n].imageSlot - 1]->Width(), 72u)
            << "item " << n;
    }
    hoverAcrossTheRow(dock);
    closeAndExpectWholeConfig(dock, config());
}

TEST_F(BadFiles, ShortcutsFoldersGbkNamesAndLibrariesDroppedOnTheDock) {
    ScratchFolder drops;
    const std::string library = drops.File("tool.exe");  // a DLL with start-up code
    ASSERT_TRUE(::CopyFileA((testDirectory() + "\\marker.dll").c_str(), library.c_str(), FALSE));
    const std::string dll = drops.File("lib.dll");
    ASSERT_TRUE(::CopyFileA((testDirectory() + "\\marker.dll").c_str(), dll.c_str(), FALSE));
    writeFileText(drops.File("junk.lnk"), std::string("L\0\0\0garbage\x01\x14\x02", 14));
    makeShortcut(drops.File("self.lnk"), drops.File("self.lnk"));
    makeShortcut(drops.File("tolib.lnk"), dll);
    const std::string gbkFolder = drops.File("\xB9\xA4\xBE\xDF");  // 工具
    const std::string gbkTool = gbkFolder + "\\\xB9\xA4\xBE\xDF.exe";
    struct RemoveFolder {
        const std::string &folder, &file;
        ~RemoveFolder() {
            ::DeleteFileA(file.c_str());
            ::RemoveDirectoryA(folder.c_str());
        }
    } removeAfter{gbkFolder, gbkTool};
    ::DeleteFileA(gbkTool.c_str());  // left by an earlier run ended early
    ::RemoveDirectoryA(gbkFolder.c_str());
    ASSERT_TRUE(::CreateDirectoryA(gbkFolder.c_str(), nullptr));
    ASSERT_TRUE(::CopyFileA("C:\\windows\\notepad.exe", gbkTool.c_str(), FALSE));
    struct Expected {
        std::string path, title;
        std::uint32_t pictureWidth;
    };
    const Expected expected[] = {
        // The library's icons are placeholders: read or not, they show the default.
        {library, "tool", 72},
        {drops.File("tolib.lnk"), "tolib", 72},
        {drops.File("junk.lnk"), "junk", 72},
        {drops.File("self.lnk"), "self", 72},
        {gbkFolder, "", 72},
        {gbkTool, "\xB9\xA4\xBE\xDF", 48},
    };
    DockUnderTest dock(folder.Path());
    std::vector<std::string> paths;
    for (const Expected& e : expected) paths.push_back(e.path);
    dock.dock().state.frame.hoverIndex = 0;
    dock.dock().state.frame.pointerX = 100000;
    dock.call(WM_DROPFILES, reinterpret_cast<WPARAM>(dropOfFiles(paths)));
    const DockState& state = dock.dock().state;
    ASSERT_EQ(state.items.Count(), int(std::size(expected)));
    for (int n = 1; n <= state.items.Count(); ++n) {
        const Expected& e = expected[n - 1];
        SCOPED_TRACE(e.path);
        EXPECT_EQ(state.items[n].item.targetPath, e.path);
        EXPECT_EQ(state.items[n].item.title, e.title);
        EXPECT_EQ(state.pictures.imagePool[state.items[n].imageSlot - 1]->Width(), e.pictureWidth);
    }
    // The icons were read from the library as data: its start-up code never ran.
    EXPECT_FALSE(exists(library + ".ran"));
    EXPECT_FALSE(exists(dll + ".ran"));
    hoverAcrossTheRow(dock);
    closeAndExpectWholeConfig(dock, config());
    EXPECT_EQ(readValue(config(), t::kSectionItems, keyOf(t::kKeyTitlePrefix, 6)),
              "\xB9\xA4\xBE\xDF");
}

TEST_F(BadFiles, TwoHundredFilesInOneDropAreAppendedInOrder) {
    ScratchFolder drops;
    std::vector<std::string> paths;
    for (int i = 0; i < 200; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "f%03d.txt", i);
        paths.push_back(drops.File(name));
        writeFileText(paths.back(), "x");
    }
    DockUnderTest dock(folder.Path());
    dock.dock().state.frame.hoverIndex = 0;
    dock.dock().state.frame.pointerX = 100000;
    const LARGE_INTEGER began = performanceNow();
    dock.call(WM_DROPFILES, reinterpret_cast<WPARAM>(dropOfFiles(paths)));
    std::printf("a drop of 200 files: %.0f ms\n", millisecondsSince(began));
    const DockItemList& items = dock.dock().state.items;
    ASSERT_EQ(items.Count(), 200);
    EXPECT_EQ(items[1].item.title, "f000");
    EXPECT_EQ(items[200].item.title, "f199");
    EXPECT_EQ(dock.rect().right - dock.rect().left, 288 + 200 * 36);
    closeAndExpectWholeConfig(dock, config());
}

// A config.ini the dock may not replace keeps the user's content byte for byte.
class UnwritableConfig : public BadFiles {
  protected:
    const std::string original = header(t::kSectionSettings) + line(t::kKeyFloatDistance, "30") +
                                 header(t::kSectionItems) + line(t::kKeyItemCount, "1") +
                                 line(keyOf(t::kKeyTitlePrefix, 1), "\"Mine\"");
    void SetUp() override {
        // A read-only file left by an earlier run that ended early.
        for (const std::string& path : {config(), config() + ".bak", config() + ".tmp"}) {
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileA(path.c_str());
        }
    }
    // `release` lets go of the file once the dock has closed.
    template <typename Release>
    void closeAndExpectTheOriginal(DockUnderTest& dock, Release release) {
        const LARGE_INTEGER began = performanceNow();
        EXPECT_EQ(dock.call(WM_CLOSE), TRUE);
        const double elapsed = millisecondsSince(began);
        release();
        EXPECT_TRUE(dock.program.Session().ended);
        EXPECT_GE(elapsed, 990) << "ten attempts, 100 ms apart";
        EXPECT_EQ(readFileText(config()), original);
        EXPECT_FALSE(exists(config() + ".tmp"));
        EXPECT_FALSE(exists(config() + ".bak"));
        EXPECT_EQ(MessageWatch::opened, 0);
    }
};

TEST_F(UnwritableConfig, AReadOnlyFileIsLeftAsItWas) {
    writeFileText(config(), original);
    ASSERT_TRUE(::SetFileAttributesA(config().c_str(), FILE_ATTRIBUTE_READONLY));
    DockUnderTest dock(folder.Path());
    EXPECT_EQ(dock.dock().settings.floatDistance, 30);
    dock.dock().settings.floatDistance = 40;  // a change that cannot be saved
    closeAndExpectTheOriginal(
        dock, [&] { ::SetFileAttributesA(config().c_str(), FILE_ATTRIBUTE_NORMAL); });
}

TEST_F(UnwritableConfig, AFileHeldOpenByAnotherProcessIsLeftAsItWas) {
    writeFileText(config(), original);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE held = ::CreateFileA(config().c_str(), GENERIC_READ, 0, &inherit, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    DockUnderTest dock(folder.Path());  // reads before anyone holds it... almost
    ::CloseHandle(held);
    // Now another process holds it: the holder inherits an exclusive handle.
    held = ::CreateFileA(config().c_str(), GENERIC_READ, 0, &inherit, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::string command = "\"" + testDirectory() + "\\robustness_hotkey_holder.exe\" none";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                 nullptr, &startup, &process));
    ::CloseHandle(held);  // only the other process holds it now
    EXPECT_EQ(::CreateFileA(config().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr),
              INVALID_HANDLE_VALUE);
    closeAndExpectTheOriginal(dock, [&] {
        ::TerminateProcess(process.hProcess, 0);
        ::WaitForSingleObject(process.hProcess, 5000);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    });
}

// Whether the dock holds this combination under this id: releasing the id
// frees the combination for anyone else. The id is registered again after.
bool holds(HWND window, int id, UINT modifiers, UINT key) {
    if (!::UnregisterHotKey(window, id)) return false;
    const bool freed = ::RegisterHotKey(nullptr, 900, modifiers, key) != FALSE;
    if (freed) ::UnregisterHotKey(nullptr, 900);
    ::RegisterHotKey(window, id, modifiers, key);
    return freed;
}

TEST_F(BadFiles, HotkeysHeldElsewhereOrTwiceNeverBreakTheOtherItemsHotkeys) {
    constexpr UINT kCtrlShift = MOD_CONTROL | MOD_SHIFT;
    HANDLE ready = ::CreateEventA(nullptr, TRUE, FALSE, "dock_robustness_hotkey_ready");
    std::string command =
        "\"" + testDirectory() + "\\robustness_hotkey_holder.exe\" dock_robustness_hotkey_ready";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &process));
    ASSERT_EQ(::WaitForSingleObject(ready, 10000), WAIT_OBJECT_0);
    ::CloseHandle(ready);
    // Ctrl+Shift+F10 (the other program's), F11 twice, F12; values 0x0379..0x037B.
    const char* hotkeys[] = {"889", "890", "890", "891"};
    std::string text = header(t::kSectionItems) + line(t::kKeyItemCount, "4");
    for (int n = 1; n <= 4; ++n) {
        text += line(keyOf(t::kKeyHotkeyPrefix, n), hotkeys[n - 1]);
        text += line(keyOf(t::kKeyTargetPrefix, n), "C:\\item" + std::to_string(n) + ".exe");
    }
    writeFileText(config(), text);
    DockUnderTest dock(folder.Path());
    HWND w = dock.window;
    EXPECT_FALSE(holds(w, 1, kCtrlShift, VK_F10));
    EXPECT_TRUE(holds(w, 2, kCtrlShift, VK_F11));
    EXPECT_FALSE(holds(w, 3, kCtrlShift, VK_F11));
    EXPECT_TRUE(holds(w, 4, kCtrlShift, VK_F12));

    // A drop at the front renumbers every item: each combination follows its item.
    ScratchFolder drops;
    writeFileText(drops.File("new.txt"), "x");
    dock.dock().state.frame.hoverIndex = 0;
    dock.dock().state.frame.pointerX = 0;
    dock.call(WM_DROPFILES, reinterpret_cast<WPARAM>(dropOfFiles({drops.File("new.txt")})));
    ASSERT_EQ(dock.dock().state.items[1].item.targetPath, drops.File("new.txt"));
    EXPECT_FALSE(holds(w, 2, kCtrlShift, VK_F10));
    EXPECT_TRUE(holds(w, 3, kCtrlShift, VK_F11));
    EXPECT_FALSE(holds(w, 4, kCtrlShift, VK_F11));
    EXPECT_TRUE(holds(w, 5, kCtrlShift, VK_F12));
    dock.shell.tick = 100000;
    EXPECT_EQ(dock.call(WM_HOTKEY, 3, MAKELPARAM(kCtrlShift, VK_F11)), TRUE);
    dock.shell.tick = 200000;
    EXPECT_EQ(dock.call(WM_HOTKEY, 5, MAKELPARAM(kCtrlShift, VK_F12)), TRUE);
    EXPECT_EQ(dock.shell.launched, (std::vector<TestShell::Launched>{{"C:\\item2.exe", "C:\\"},
                                                                     {"C:\\item4.exe", "C:\\"}}));
    // The other program still has its own.
    EXPECT_FALSE(::RegisterHotKey(nullptr, 901, kCtrlShift, VK_F10));
    closeAndExpectWholeConfig(dock, config());
    ::TerminateProcess(process.hProcess, 0);
    ::WaitForSingleObject(process.hProcess, 5000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

}  // namespace
}  // namespace dock::wine
