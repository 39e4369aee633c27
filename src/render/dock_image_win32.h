#pragma once
// One decoded picture, from bytes in memory or from a file, through GDI+.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "render/gdiplus_win32.h"
#include "ports/picture.h"

namespace dock {

class DockImage : public Picture {
  public:
    DockImage() = default;
    DockImage(const DockImage&) = delete;
    DockImage& operator=(const DockImage&) = delete;
    ~DockImage() override { Dispose(); }

    // Decodes any format GDI+ reads (PNG, ICO, BMP, JPEG, GIF, ...). The bytes
    // are copied into a block of global memory that lives as long as the
    // picture, because GDI+ may read its stream again while drawing.
    bool LoadFromMemory(std::span<const std::uint8_t> bytes) override;
    bool LoadFromFile(const std::string& gbkPath) override;
    void Dispose() override;

    bool IsLoaded() const override { return nativeImage_.get() != nullptr; }
    std::uint32_t Width() const override { return width_; }
    std::uint32_t Height() const override { return height_; }
    // Null when nothing is loaded.
    Gdiplus::GpImage* NativeImage() const { return nativeImage_.get(); }
    // Tells loaded pictures apart for as long as the process runs, also a
    // picture loaded again where an earlier one was freed; 0 when empty.
    std::uint64_t Serial() const { return serial_; }

  private:
    void readSize();

    GdiplusSession session_;  // first member: shut down after everything else
    UniqueGlobal memoryBlock_;
    UniqueGpImage nativeImage_;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    std::uint64_t serial_ = 0;
};

// How many times any picture has been loaded or let go since the process
// started: what was drawn from the pictures may be kept as long as it stays.
std::uint64_t pictureChanges();

class DockImageFactory : public PictureFactory {
  public:
    std::unique_ptr<Picture> NewPicture() override { return std::make_unique<DockImage>(); }
};

}  // namespace dock
