#pragma once
// The pieces a frame is composed of, each drawn once by GDI+ at the whole-
// pixel size it is shown at and kept as premultiplied 32-bit pixels: item
// pictures (and the tray, the indicator) per size, reflections as flipped
// copies, the strip's slices per width, captions per text and size. A slice
// whose every row is one colour (the strip's middle) is kept as one column,
// stretched to any width. Kept least recently used first within a budget; a
// rebuilt surface starts empty.
//
// The drawing functions are the one way a piece is drawn: the canvas draws
// with them at once outside a frame, on its own surface.
#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "render/gdiplus_win32.h"
#include "render/piece_budget.h"
#include "support/handles_win32.h"
#include "support/geometry.h"

namespace dock {

// A picture call's source rectangle: x, y, width, height in its own pixels.
using SourceRect = std::array<float, 4>;

// The filter for drawing `source` at `to`: a picture reduced to less than
// half its size is always drawn with high-quality bicubic filtering (it is
// scaled once per size, so the better filter costs nothing per frame).
Gdiplus::InterpolationMode interpolationFor(bool highQuality, const SourceRect& source,
                                            const RectI& to);
// The picture's source rectangle scaled onto `to`, upside down when `flipped`.
int drawPictureAt(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const SourceRect& source,
                  const RectI& to, bool flipped, bool highQuality,
                  Gdiplus::GpImageAttributes* attributes);
// One slice of a picture cut into pieces side by side: sampled only inside
// its source rectangle, so that neighbouring slices meet without a soft seam.
int drawSliceAt(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const SourceRect& source,
                const RectI& to, bool highQuality);

// What a caption is drawn with.
struct CaptionStyle {
    Gdiplus::GpFontFamily* family = nullptr;
    Gdiplus::GpPen* outline = nullptr;
    Gdiplus::GpSolidFill* fill = nullptr;
    Gdiplus::GpStringFormat* format = nullptr;
};
// The outline of `wide` laid out from (x, y) into `path`; false when there is
// nothing to draw.
bool captionPath(Gdiplus::GpPath* path, const CaptionStyle& style, const std::wstring& wide,
                 float x, float y, std::int32_t emSize);
void drawCaptionPath(Gdiplus::GpGraphics* graphics, const CaptionStyle& style,
                     Gdiplus::GpPath* path);
// The whole pixels a caption path may touch, its antialiased edge included.
RectI captionExtent(Gdiplus::GpPath* path);

// A 32-bit DIB section of width x |height|, all zero, bottom-up like the
// surface (top-down for a negative height); its pixels at `bits` when asked for.
UniqueBitmap newDibSection(HDC dc, std::int32_t width, std::int32_t height, void** bits = nullptr);

// Draws on what `dc` holds with a GDI+ graphics of its own, antialiased when
// `smoothing`, and returns once GDI+ has written everything.
//
// Every piece is drawn this way at the origin of a bitmap of its own: Wine's
// GDI+ maps each pixel back to the picture in single precision from the
// device origin, so the same picture drawn 1,200 pixels right of it comes out
// up to 16 per channel apart from the one drawn at it (a caption's outline a
// pixel apart); at the origin it is the same wherever it is shown.
template <typename Draw>
int drawWithGdiplus(HDC dc, bool smoothing, Draw&& draw) {
    UniqueGpGraphics graphics;
    const int made = gdip::GdipCreateFromHDC(dc, graphics.put());
    if (made != Gdiplus::Ok) return made;
    if (smoothing) gdip::GdipSetSmoothingMode(graphics.get(), Gdiplus::SmoothingModeAntiAlias);
    const int drawn = draw(graphics.get());
    gdip::GdipFlush(graphics.get(), Gdiplus::FlushIntentionSync);
    return drawn;
}

struct Piece {
    const std::uint32_t* pixels = nullptr;  // premultiplied BGRA, top row first
    std::int32_t width = 0, height = 0;
    // Where the piece's top left corner lies from the point it is drawn at
    // (a caption's outline reaches above and left of its origin).
    std::int32_t offsetX = 0, offsetY = 0;
    // One column standing for a slice of any width.
    bool column = false;
};

class PieceCache {
  public:
    // A few MiB: every size a sweep gives ten pictures, their reflections,
    // the tray and the captions (6.3 MiB).
    static constexpr std::size_t kBudget = 7u << 20;

    PieceCache() : budget_(kBudget) {}
    // Empties the cache; later pieces are drawn as the surface draws.
    void Reset(HDC compatible, bool highQuality, bool smoothing, const CaptionStyle& style);
    void NewFrame() { budget_.NewFrame(); }
    // Lets every piece go; the next ones are drawn as before.
    void Empty();
    // Null when the piece cannot be drawn (no picture, no size).
    const Piece* PictureAt(std::uint64_t serial, Gdiplus::GpImage* image, const SourceRect& source,
                           std::int32_t width, std::int32_t height, bool flipped);
    const Piece* SliceAt(std::uint64_t serial, Gdiplus::GpImage* image, const SourceRect& source,
                         std::int32_t width, std::int32_t height);
    const Piece* Caption(const std::string& gbkText, std::int32_t emSize);
    std::size_t Bytes() const { return budget_.Bytes(); }
    std::size_t Count() const { return entries_.size(); }
    // Pieces drawn since the cache was made.
    std::size_t Drawn() const { return drawn_; }

  private:
    enum class Kind { picture, flipped, slice, column, caption };
    struct Key {
        Kind kind = Kind::picture;
        std::uint64_t serial = 0;
        SourceRect source{};
        std::int32_t width = 0, height = 0;
        std::string text;
        friend auto operator<=>(const Key&, const Key&) = default;
    };
    struct Entry {
        std::uint64_t id = 0;
        std::vector<std::uint32_t> pixels;
        Piece piece;
    };
    const Piece* find(const Key& key);
    // The pixels `draw` leaves on a transparent bitmap of width x height;
    // empty when it fails.
    std::vector<std::uint32_t> drawPixels(std::int32_t width, std::int32_t height, auto&& draw);
    const Piece* add(Key key, std::vector<std::uint32_t> pixels, const Piece& shape);

    PieceBudget budget_;
    std::map<Key, Entry> entries_;
    std::unordered_map<std::uint64_t, std::map<Key, Entry>::iterator> byId_;
    std::uint64_t nextId_ = 0;
    std::size_t drawn_ = 0;
    UniqueDc dc_;
    bool highQuality_ = false;
    bool smoothing_ = false;
    CaptionStyle style_;
    UniqueGpPath path_;
    std::wstring wide_;
};

}  // namespace dock
