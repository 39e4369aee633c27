#include "render/picture_cache_win32.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "render/to_wide_win32.h"

namespace dock {

namespace {

// Pixels a caption's antialiased outline may reach past its path's bounds.
constexpr std::int32_t kCaptionMargin = 4;

}  // namespace

Gdiplus::InterpolationMode interpolationFor(bool highQuality, const SourceRect& source,
                                            const RectI& to) {
    const bool reduced = double(to.Width()) * 2 < std::fabs(source[2]) ||
                         double(to.Height()) * 2 < std::fabs(source[3]);
    return highQuality || reduced ? Gdiplus::InterpolationModeHighQualityBicubic
                                  : Gdiplus::InterpolationModeDefault;
}

int drawPictureAt(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const SourceRect& source,
                  const RectI& to, bool flipped, bool highQuality,
                  Gdiplus::GpImageAttributes* attributes) {
    if (image == nullptr) return Gdiplus::InvalidParameter;
    gdip::GdipSetInterpolationMode(graphics, interpolationFor(highQuality, source, to));
    const float top = static_cast<float>(flipped ? to.bottom : to.top);
    const float height = static_cast<float>(flipped ? -to.Height() : to.Height());
    return gdip::GdipDrawImageRectRect(graphics, image, static_cast<float>(to.left), top,
                                       static_cast<float>(to.Width()), height, source[0], source[1],
                                       source[2], source[3], Gdiplus::UnitPixel, attributes,
                                       nullptr, nullptr);
}

int drawSliceAt(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const SourceRect& source,
                const RectI& to, bool highQuality) {
    // A scaled GdipDrawImageRectRect samples beyond its source rectangle, which
    // softens a slice's edge columns on Windows; Wine instead leaves out a
    // slice's first column whenever that column maps a hair before the source
    // rectangle. A texture of the slice alone, mirrored at its edges and
    // scaled onto the destination, has nothing beyond the slice to sample and
    // fills every pixel of the destination.
    if (image == nullptr) return Gdiplus::InvalidParameter;
    UniqueGpTexture slice;
    const Gdiplus::GpStatus made =
        gdip::GdipCreateTexture2(image, Gdiplus::WrapModeTileFlipXY, source[0], source[1],
                                 source[2], source[3], slice.put());
    if (made != Gdiplus::Ok) return made;
    const float x = static_cast<float>(to.left), y = static_cast<float>(to.top);
    const float width = static_cast<float>(to.Width()), height = static_cast<float>(to.Height());
    Gdiplus::GpTexture* texture = slice.get();
    gdip::GdipScaleTextureTransform(texture, width / source[2], height / source[3],
                                    Gdiplus::MatrixOrderAppend);
    gdip::GdipTranslateTextureTransform(texture, x, y, Gdiplus::MatrixOrderAppend);
    gdip::GdipSetInterpolationMode(graphics, interpolationFor(highQuality, source, to));
    Gdiplus::SmoothingMode smoothing = Gdiplus::SmoothingModeNone;
    gdip::GdipGetSmoothingMode(graphics, &smoothing);
    gdip::GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeNone);
    const Gdiplus::GpStatus drawn = gdip::GdipFillRectangle(graphics, texture, x, y, width, height);
    gdip::GdipSetSmoothingMode(graphics, smoothing);
    return drawn;
}

bool captionPath(Gdiplus::GpPath* path, const CaptionStyle& style, const std::wstring& wide,
                 float x, float y, std::int32_t emSize) {
    if (path == nullptr || style.family == nullptr || wide.empty()) return false;
    const Gdiplus::RectF layout(x, y, 0.0f, 0.0f);  // no box: laid out from the origin
    gdip::GdipResetPath(path);
    return gdip::GdipAddPathString(path, wide.c_str(), static_cast<INT>(wide.size()), style.family,
                                   Gdiplus::FontStyleBold, static_cast<Gdiplus::REAL>(emSize),
                                   &layout, style.format) == Gdiplus::Ok;
}

void drawCaptionPath(Gdiplus::GpGraphics* graphics, const CaptionStyle& style,
                     Gdiplus::GpPath* path) {
    // The fill is painted over the outline.
    gdip::GdipDrawPath(graphics, style.outline, path);
    gdip::GdipFillPath(graphics, style.fill, path);
}

RectI captionExtent(Gdiplus::GpPath* path) {
    Gdiplus::GpRectF box{};
    gdip::GdipGetPathWorldBounds(path, &box, nullptr, nullptr);
    return {static_cast<std::int32_t>(std::floor(box.X)) - kCaptionMargin,
            static_cast<std::int32_t>(std::floor(box.Y)) - kCaptionMargin,
            static_cast<std::int32_t>(std::ceil(box.X + box.Width)) + kCaptionMargin,
            static_cast<std::int32_t>(std::ceil(box.Y + box.Height)) + kCaptionMargin};
}

UniqueBitmap newDibSection(HDC dc, std::int32_t width, std::int32_t height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (pixels == nullptr) bitmap.reset();
    if (bits != nullptr) *bits = pixels;
    return bitmap;
}

void PieceCache::Empty() {
    byId_.clear();
    entries_.clear();
    budget_.Clear();
}

void PieceCache::Reset(HDC compatible, bool highQuality, bool smoothing,
                       const CaptionStyle& style) {
    Empty();
    dc_.reset(compatible != nullptr ? ::CreateCompatibleDC(compatible) : nullptr);
    highQuality_ = highQuality;
    smoothing_ = smoothing;
    style_ = style;
    path_.reset();
    if (style.family != nullptr) gdip::GdipCreatePath(Gdiplus::FillModeAlternate, path_.put());
}

const Piece* PieceCache::find(const Key& key) {
    const auto it = entries_.find(key);
    if (it == entries_.end()) return nullptr;
    budget_.Use(it->second.id);
    return &it->second.piece;
}

std::vector<std::uint32_t> PieceCache::drawPixels(std::int32_t width, std::int32_t height,
                                                  auto&& draw) {
    if (!dc_ || width <= 0 || height <= 0) return {};
    void* bits = nullptr;
    UniqueBitmap bitmap = newDibSection(dc_.get(), width, height, &bits);
    if (!bitmap || bits == nullptr) return {};
    {
        SelectionGuard selected(dc_.get(), bitmap.get());
        if (drawWithGdiplus(dc_.get(), smoothing_, draw) != Gdiplus::Ok) return {};
    }
    ::GdiFlush();
    ++drawn_;
    // The bitmap is bottom-up; the piece keeps its top row first.
    const auto w = static_cast<std::size_t>(width);
    std::vector<std::uint32_t> pixels(w * static_cast<std::size_t>(height));
    const auto* rows = static_cast<const std::uint32_t*>(bits);
    for (std::int32_t y = 0; y < height; ++y)
        std::copy_n(rows + static_cast<std::size_t>(height - 1 - y) * w, w,
                    pixels.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * w));
    return pixels;
}

const Piece* PieceCache::add(Key key, std::vector<std::uint32_t> pixels, const Piece& shape) {
    if (pixels.empty()) return nullptr;
    const std::uint64_t id = ++nextId_;
    budget_.Add(id, pixels.size() * sizeof(std::uint32_t));
    Entry entry;
    entry.id = id;
    entry.pixels = std::move(pixels);
    entry.piece = shape;
    entry.piece.pixels = entry.pixels.data();
    const auto placed = entries_.emplace(std::move(key), std::move(entry)).first;
    byId_.emplace(id, placed);
    // The new piece is in use: what goes is older.
    for (const std::uint64_t dropped : budget_.Overflow()) {
        const auto it = byId_.find(dropped);
        if (it == byId_.end()) continue;
        entries_.erase(it->second);
        byId_.erase(it);
    }
    return &placed->second.piece;
}

const Piece* PieceCache::PictureAt(std::uint64_t serial, Gdiplus::GpImage* image,
                                   const SourceRect& source, std::int32_t width,
                                   std::int32_t height, bool flipped) {
    if (image == nullptr) return nullptr;
    Key key{flipped ? Kind::flipped : Kind::picture, serial, source, width, height, {}};
    if (const Piece* kept = find(key)) return kept;
    const RectI to{0, 0, width, height};
    return add(std::move(key),
               drawPixels(width, height,
                          [&](Gdiplus::GpGraphics* g) {
                              return drawPictureAt(g, image, source, to, flipped, highQuality_,
                                                   nullptr);
                          }),
               {nullptr, width, height});
}

namespace {

// Every row of the pixels one colour, across at least as many columns as the
// slice's source has (so that a narrower drawing cannot hide its variation).
bool rowsAreUniform(const std::vector<std::uint32_t>& pixels, std::int32_t width,
                    std::int32_t height, float sourceWidth) {
    if (pixels.empty() || double(width) < std::ceil(sourceWidth)) return false;
    const auto w = static_cast<std::size_t>(width);
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        const auto row = pixels.begin() + static_cast<std::ptrdiff_t>(y * w);
        if (std::find_if(row, row + static_cast<std::ptrdiff_t>(w), [&](std::uint32_t p) {
                return p != *row;
            }) != row + static_cast<std::ptrdiff_t>(w))
            return false;
    }
    return true;
}

}  // namespace

const Piece* PieceCache::SliceAt(std::uint64_t serial, Gdiplus::GpImage* image,
                                 const SourceRect& source, std::int32_t width,
                                 std::int32_t height) {
    if (image == nullptr) return nullptr;
    Key column{Kind::column, serial, source, 0, height, {}};
    if (const Piece* kept = find(column)) return kept;
    Key key{Kind::slice, serial, source, width, height, {}};
    if (const Piece* kept = find(key)) return kept;
    const RectI to{0, 0, width, height};
    std::vector<std::uint32_t> pixels = drawPixels(width, height, [&](Gdiplus::GpGraphics* g) {
        return drawSliceAt(g, image, source, to, highQuality_);
    });
    if (!rowsAreUniform(pixels, width, height, source[2]))
        return add(std::move(key), std::move(pixels), {nullptr, width, height});
    // One column stands for every width this slice is drawn at.
    std::vector<std::uint32_t> one(static_cast<std::size_t>(height));
    for (std::size_t y = 0; y < one.size(); ++y)
        one[y] = pixels[y * static_cast<std::size_t>(width)];
    return add(std::move(column), std::move(one), {nullptr, 1, height, 0, 0, true});
}

const Piece* PieceCache::Caption(const std::string& gbkText, std::int32_t emSize) {
    Key key{Kind::caption, 0, {}, emSize, 0, gbkText};
    if (const Piece* kept = find(key)) return kept;
    ToWide(gbkText, wide_);
    if (!captionPath(path_.get(), style_, wide_, 0, 0, emSize)) return nullptr;
    const RectI e = captionExtent(path_.get());
    std::vector<std::uint32_t> pixels =
        drawPixels(e.Width(), e.Height(), [&](Gdiplus::GpGraphics* g) {
            // Laid out again with the piece's corner at the origin.
            if (!captionPath(path_.get(), style_, wide_, static_cast<float>(-e.left),
                             static_cast<float>(-e.top), emSize))
                return Gdiplus::GenericError;
            drawCaptionPath(g, style_, path_.get());
            return Gdiplus::Ok;
        });
    return add(std::move(key), std::move(pixels), {nullptr, e.Width(), e.Height(), e.left, e.top});
}

}  // namespace dock
