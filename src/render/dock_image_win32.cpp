#include "render/dock_image_win32.h"

#include <cstring>

#include "render/to_wide_win32.h"

namespace dock {

namespace {
std::uint64_t changes = 0;
}  // namespace

std::uint64_t pictureChanges() {
    return changes;
}

bool DockImage::LoadFromMemory(std::span<const std::uint8_t> bytes) {
    Dispose();
    if (bytes.empty()) return false;
    memoryBlock_.reset(::GlobalAlloc(GMEM_FIXED, bytes.size()));
    if (!memoryBlock_) return false;
    {
        GlobalLockGuard lock(memoryBlock_.get());
        if (lock.get() == nullptr) {
            memoryBlock_.reset();
            return false;
        }
        std::memcpy(lock.get(), bytes.data(), bytes.size());
    }
    // The stream does not own the block; GDI+ keeps its own reference to the
    // stream for as long as it needs it, so ours is released right here.
    ComPtr<IStream> stream;
    if (::CreateStreamOnHGlobal(memoryBlock_.get(), FALSE, stream.put()) != S_OK ||
        gdip::GdipLoadImageFromStream(stream.get(), nativeImage_.put()) != Gdiplus::Ok) {
        nativeImage_.reset();
        stream.reset();
        memoryBlock_.reset();
        return false;
    }
    readSize();
    return true;
}

bool DockImage::LoadFromFile(const std::string& gbkPath) {
    Dispose();
    const std::wstring path = ToWide(gbkPath);
    if (path.empty()) return false;
    if (gdip::GdipLoadImageFromFile(path.c_str(), nativeImage_.put()) != Gdiplus::Ok) {
        nativeImage_.reset();
        return false;
    }
    readSize();
    return true;
}

void DockImage::Dispose() {
    if (serial_ != 0) ++changes;
    width_ = 0;
    height_ = 0;
    serial_ = 0;
    // The picture goes before the memory its stream reads.
    nativeImage_.reset();
    memoryBlock_.reset();
}

void DockImage::readSize() {
    UINT width = 0;
    UINT height = 0;
    gdip::GdipGetImageWidth(nativeImage_.get(), &width);
    gdip::GdipGetImageHeight(nativeImage_.get(), &height);
    width_ = width;
    height_ = height;
    static std::uint64_t loads = 0;
    serial_ = ++loads;
    ++changes;
}

}  // namespace dock
