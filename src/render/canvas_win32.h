#pragma once
// The dock's drawing surface over a layered window. A frame (BeginFrame, the
// calls that compose it, Present) is recorded, and at Present only the rows
// where a call differs from the last frame's are erased and composed again,
// from pictures already scaled to the whole-pixel sizes they are shown at;
// the presenter then shows those rows. Calls outside a frame draw at once
// with GDI+, piece by piece at the same whole-pixel rectangles.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "render/composer_win32.h"
#include "render/frame_recorder.h"
#include "render/gdiplus_win32.h"
#include "render/picture_cache_win32.h"
#include "render/presenter_win32.h"
#include "ports/drawing_surface.h"

namespace dock {

// A COLORREF (0x00BBGGRR) and an alpha as a GDI+ ARGB value (0xAARRGGBB).
constexpr std::uint32_t ToArgb(std::uint32_t colorref, int alpha) {
    const std::uint32_t r = colorref & 0xFFu;
    const std::uint32_t g = (colorref >> 8) & 0xFFu;
    const std::uint32_t b = (colorref >> 16) & 0xFFu;
    return (static_cast<std::uint32_t>(alpha & 0xFF) << 24) | (r << 16) | (g << 8) | b;
}

class DockCanvas : public DrawingSurface {
  public:
    DockCanvas();
    DockCanvas(const DockCanvas&) = delete;
    DockCanvas& operator=(const DockCanvas&) = delete;
    ~DockCanvas() override;

    // The canvas exists before the dock window does; the window is given once
    // it exists, and every later Create of the port draws for it.
    void AttachWindow(HWND window) { window_ = window; }
    HWND Window() const { return window_; }

    // Rebuilds the surface for `window` at width x height, with an empty
    // picture cache. An empty font name creates no caption tools, and
    // DrawOutlinedText then draws nothing.
    void Create(HWND window, std::int32_t width, std::int32_t height, const std::string& fontName,
                std::uint32_t textColor, std::uint32_t outlineColor, int alpha, bool highQuality);
    void Create(std::int32_t width, std::int32_t height, const std::string& fontName,
                std::uint32_t textColor, std::uint32_t outlineColor, int alpha,
                bool highQuality) override {
        Create(window_, width, height, fontName, textColor, outlineColor, alpha, highQuality);
    }
    // Releases every platform object and gives the window back the extended
    // style it had before the layered bit was added. Harmless when repeated.
    void Destroy();

    void BeginFrame() override;
    void Clear(const RectI& rect) override;
    int DrawImage(const Picture& picture, float x, float y, float width, float height) override;
    int DrawImagePart(const Picture& picture, float x, float y, float width, float height,
                      float srcX, float srcY, float srcWidth, float srcHeight,
                      float opacity) override;
    int DrawImageSlice(const Picture& picture, const RectF& where, float srcX, float srcY,
                       float srcWidth, float srcHeight) override;
    void DrawOutlinedText(const std::string& gbkText, float x, float y,
                          std::int32_t emSize) override;
    void Present() override;

    HDC MemoryDC() const { return composer_.Dc(); }
    // Draws a recorded frame first.
    BOOL BlitTo(HDC target, std::int32_t x, std::int32_t y, std::int32_t width,
                std::int32_t height);
    std::int32_t SurfaceWidth() const { return width_; }
    std::int32_t SurfaceHeight() const { return height_; }
    // The area the last Present gave the window (the whole surface when it
    // presented all of it); empty when it presented nothing.
    const RectI& LastPresented() const { return presenter_.LastPresented(); }
    int Presentations() const { return presenter_.Presentations(); }
    // Frames presented at most once per `milliseconds` (0: each at once)
    // instead of once per refresh of the monitor, from now on.
    void PaceFrames(double milliseconds) {
        presentInterval_ = milliseconds;
        presenter_.SetInterval(milliseconds);
    }
    const PieceCache& Cache() const { return cache_; }

  private:
    // A picture call of a frame, recorded with the pixels it covers; one
    // without an image is refused as GDI+ refuses it.
    int record(DrawnCall call, Gdiplus::GpImage* image, const RectI& bounds);
    // One piece drawn at once by GDI+ over what the surface holds in `area`;
    // `draw` gets null when there is no surface to draw on.
    template <typename Draw>
    int drawAtOnce(const RectI& area, Draw&& draw);
    // Ends the frame being recorded; it is composed when it is shown.
    void finishFrame();
    // Composes the last frame where the surface does not show it yet.
    void composeUncomposed();
    // Lets the frame not yet composed go; the next one is composed whole.
    void dropUncomposed();
    // The surface holds the last frame: ended, composed.
    void settleFrame();
    // For the presenter: the last frame composed, and the area changed since
    // the last presentation.
    RectI composeLatest();
    void composeCall(const DrawnCall& call, Gdiplus::GpImage* image, const RectI& band);

    GdiplusSession session_;  // first member: shut down after everything else
    HWND window_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    LONG savedExStyle_ = 0;  // 0: nothing to restore
    bool highQuality_ = false;
    std::optional<double> presentInterval_;
    Composer composer_;
    PieceCache cache_;
    std::uint64_t pictureChanges_ = 0;  // as the cache's pieces were drawn
    Presenter presenter_;
    FrameRecorder recorder_;
    std::vector<Gdiplus::GpImage*> images_, lastImages_;  // the picture of each call
    RectI uncomposed_;   // where the surface differs from the last frame
    RectI unpresented_;  // composed, not yet shown
    UniqueGpFontFamily fontFamily_;
    UniqueGpPen outlinePen_;
    UniqueGpSolidFill textBrush_;
    UniqueGpStringFormat stringFormat_;
    CaptionStyle style_;
    UniqueGpPath textPath_;
    std::wstring wideText_;
    Gdiplus::ColorMatrix colorMatrix_{};
    UniqueGpImageAttributes imageAttributes_;
};

}  // namespace dock
