#pragma once
// One decoded picture. DockImage implements it with GDI+; tests use fakes.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace dock {

class Picture {
  public:
    virtual ~Picture() = default;
    // Every load disposes first; a failed load leaves the picture empty.
    virtual bool LoadFromMemory(std::span<const std::uint8_t> bytes) = 0;
    virtual bool LoadFromFile(const std::string& gbkPath) = 0;
    virtual void Dispose() = 0;
    // False when nothing is decoded (the NativeImage is null).
    virtual bool IsLoaded() const = 0;
    virtual std::uint32_t Width() const = 0;
    virtual std::uint32_t Height() const = 0;
};

// Makes the pictures of the image pool; each one starts its own graphics session.
class PictureFactory {
  public:
    virtual ~PictureFactory() = default;
    virtual std::unique_ptr<Picture> NewPicture() = 0;
};

}  // namespace dock
