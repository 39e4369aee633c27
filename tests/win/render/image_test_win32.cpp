#include "render/dock_image_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picture_bytes_win32.h"
#include "render/builtin_pictures.h"
#include "render/canvas_win32.h"
#include "render/to_wide_win32.h"
#include "surface_win32.h"

namespace dock {
namespace {

using testing::bmpOf;
using testing::icoOf;
using testing::pngOf;
using testing::solid;

void expectEmpty(const DockImage& image) {
    EXPECT_FALSE(image.IsLoaded());
    EXPECT_EQ(image.NativeImage(), nullptr);
    EXPECT_EQ(image.Width(), 0u);
    EXPECT_EQ(image.Height(), 0u);
}

TEST(DockImageFromMemory, DecodesTheThreeBuiltInPicturesAtTheirSizes) {
    DockImage image;
    ASSERT_TRUE(image.LoadFromMemory(embedded::BackgroundPicture));
    EXPECT_NE(image.NativeImage(), nullptr);
    EXPECT_EQ(image.Width(), 107u);
    EXPECT_EQ(image.Height(), 104u);
    ASSERT_TRUE(image.LoadFromMemory(embedded::SelectedTrayPicture));
    EXPECT_EQ(image.Width(), 96u);
    EXPECT_EQ(image.Height(), 96u);
    ASSERT_TRUE(image.LoadFromMemory(embedded::DefaultItemPicture));
    EXPECT_EQ(image.Width(), 72u);
    EXPECT_EQ(image.Height(), 72u);
}

TEST(DockImageFromMemory, DecodesPngIcoAndBmp) {
    DockImage image;
    EXPECT_TRUE(image.LoadFromMemory(pngOf(5, 3, solid(0xFF102030))));
    EXPECT_EQ(image.Width(), 5u);
    EXPECT_EQ(image.Height(), 3u);
    EXPECT_TRUE(image.LoadFromMemory(icoOf(16, solid(0xFF00FF00))));
    EXPECT_EQ(image.Width(), 16u);
    EXPECT_EQ(image.Height(), 16u);
    EXPECT_TRUE(image.LoadFromMemory(bmpOf(7, 2, solid(0xFF0000FF))));
    EXPECT_EQ(image.Width(), 7u);
    EXPECT_EQ(image.Height(), 2u);
}

TEST(DockImageFromMemory, GarbageAndEmptyBytesFailAndLeaveThePictureEmpty) {
    DockImage image;
    const Bytes garbage{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
    EXPECT_FALSE(image.LoadFromMemory(garbage));
    expectEmpty(image);

    ASSERT_TRUE(image.LoadFromMemory(embedded::BackgroundPicture));
    EXPECT_FALSE(image.LoadFromMemory(Bytes{}));
    expectEmpty(image);  // the earlier picture is gone, not kept

    ASSERT_TRUE(image.LoadFromMemory(embedded::BackgroundPicture));
    Bytes truncated(embedded::BackgroundPicture.begin(), embedded::BackgroundPicture.begin() + 40);
    EXPECT_FALSE(image.LoadFromMemory(truncated));
    expectEmpty(image);
}

TEST(DockImageFromMemory, KeepsItsOwnCopySoTheCallersBytesMayGo) {
    std::vector<std::uint8_t> bytes = pngOf(4, 4, solid(0xFFFF0000));
    DockImage image;
    ASSERT_TRUE(image.LoadFromMemory(bytes));
    std::fill(bytes.begin(), bytes.end(), 0);
    bytes.clear();
    bytes.shrink_to_fit();

    testing::TestWindow window;
    DockCanvas canvas;
    canvas.Create(window.get(), 4, 4, "", 0, 0, 255, false);
    canvas.Clear({});
    canvas.DrawImagePart(image, 0, 0, 4, 4, 0, 0, 4, 4, 0);
    EXPECT_EQ(testing::pixelsOf(canvas).at(1, 1), 0xFFFF0000u);
}

TEST(DockImage, DisposeEmptiesAndIsHarmlessTwice) {
    DockImage image;
    ASSERT_TRUE(image.LoadFromMemory(embedded::DefaultItemPicture));
    image.Dispose();
    expectEmpty(image);
    image.Dispose();
    expectEmpty(image);
}

// A temporary folder whose name has GBK characters (图片), made with the wide
// API so that it does not depend on the ANSI code page.
class GbkFolder {
  public:
    GbkFolder() {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        wide_ = std::wstring(temp) + L"dock_render_\x56FE\x7247";
        ::CreateDirectoryW(wide_.c_str(), nullptr);
        // The GBK form of the same path: the temp folder is plain ASCII here.
        char tempA[MAX_PATH];
        ::GetTempPathA(MAX_PATH, tempA);
        gbk_ = std::string(tempA) + "dock_render_\xCD\xBC\xC6\xAC";
    }
    ~GbkFolder() {
        for (const std::wstring& f : files_) ::DeleteFileW(f.c_str());
        ::RemoveDirectoryW(wide_.c_str());
    }
    // Writes `bytes` as `name` (ASCII) and returns the file's GBK path.
    std::string Put(const std::string& name, const Bytes& bytes) {
        const std::wstring path = wide_ + L"\\" + std::wstring(name.begin(), name.end());
        HANDLE f = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(f);
        files_.push_back(path);
        return gbk_ + "\\" + name;
    }

  private:
    std::wstring wide_;
    std::string gbk_;
    std::vector<std::wstring> files_;
};

TEST(DockImageFromFile, LoadsAPictureWhosePathHasGbkCharacters) {
    GbkFolder folder;
    const std::string path = folder.Put(
        "plate.png", Bytes(embedded::BackgroundPicture.begin(), embedded::BackgroundPicture.end()));
    DockImage image;
    ASSERT_TRUE(image.LoadFromFile(path)) << "ANSI code page " << ::GetACP();
    EXPECT_EQ(image.Width(), 107u);
    EXPECT_EQ(image.Height(), 104u);
}

TEST(DockImageFromFile, MissingFilesAndNonPicturesFailAndLeaveThePictureEmpty) {
    GbkFolder folder;
    const std::string text = folder.Put("notes.png", Bytes{'h', 'e', 'l', 'l', 'o'});
    DockImage image;
    ASSERT_TRUE(image.LoadFromMemory(embedded::DefaultItemPicture));
    EXPECT_FALSE(image.LoadFromFile(text));
    expectEmpty(image);
    ASSERT_TRUE(image.LoadFromMemory(embedded::DefaultItemPicture));
    EXPECT_FALSE(image.LoadFromFile("C:\\no such folder\\0.png"));
    expectEmpty(image);
    EXPECT_FALSE(image.LoadFromFile(""));
    expectEmpty(image);
}

TEST(ToWide, ConvertsGbkWithCodePage936WhateverTheAnsiCodePage) {
    // 记事本 and 宋体
    EXPECT_EQ(ToWide("\xBC\xC7\xCA\xC2\xB1\xBE"), std::wstring(L"\x8BB0\x4E8B\x672C"))
        << "ANSI code page " << ::GetACP();
    EXPECT_EQ(ToWide("\xCB\xCE\xCC\xE5"), std::wstring(L"\x5B8B\x4F53"));
    EXPECT_EQ(ToWide("C:\\a b.exe"), std::wstring(L"C:\\a b.exe"));
    EXPECT_EQ(ToWide(""), std::wstring());
}

TEST(ToWide, ReusesTheCallersBufferAndEmptiesItForEmptyText) {
    std::wstring buffer;
    ToWide("\xBC\xC7\xCA\xC2", buffer);
    EXPECT_EQ(buffer, std::wstring(L"\x8BB0\x4E8B"));
    ToWide("", buffer);
    EXPECT_TRUE(buffer.empty());
}

TEST(DockImageFactory, MakesEmptyIndependentPictures) {
    DockImageFactory factory;
    std::unique_ptr<Picture> a = factory.NewPicture();
    std::unique_ptr<Picture> b = factory.NewPicture();
    EXPECT_FALSE(a->IsLoaded());
    ASSERT_TRUE(a->LoadFromMemory(embedded::SelectedTrayPicture));
    EXPECT_FALSE(b->IsLoaded());
    EXPECT_EQ(a->Width(), 96u);
    b.reset();  // its own graphics session ends; a's picture stays usable
    ASSERT_TRUE(a->LoadFromMemory(embedded::DefaultItemPicture));
    EXPECT_EQ(a->Width(), 72u);
}

}  // namespace
}  // namespace dock
