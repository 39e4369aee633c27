#pragma once
// The dock's off-screen surface: a 32-bit DIB section in a memory DC with a
// GDI+ graphics object over it, presented to the layered dock window with
// UpdateLayeredWindow.
//
// A frame (BeginFrame, the calls that compose it, Present) is kept
// as calls and drawn at Present: only where a call differs from the last
// frame's is the surface erased and drawn again, clipped to that area, and
// only that area is presented. The strip of slices a frame starts with is
// composed once on a surface of its own and copied. Calls outside a frame
// draw at once.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "render/dirty_area.h"
#include "render/gdiplus_win32.h"
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

    // Rebuilds the surface for `window` at width x height. An empty font name
    // creates no caption tools, and DrawOutlinedText then draws nothing.
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
    int DrawImageSlice(const Picture& picture, float x, float y, float width, float height,
                       float srcX, float srcY, float srcWidth, float srcHeight) override;
    void DrawOutlinedText(const std::string& gbkText, float x, float y,
                          std::int32_t emSize) override;
    void Present() override;

    HDC MemoryDC() const { return memoryDC_.get(); }
    HBRUSH EraseBrush() const { return eraseBrush_.get(); }
    // Draws a kept frame first.
    BOOL BlitTo(HDC target, std::int32_t x, std::int32_t y, std::int32_t width,
                std::int32_t height);
    std::int32_t SurfaceWidth() const { return width_; }
    std::int32_t SurfaceHeight() const { return height_; }
    // The area the last Present gave the window (the whole surface when it
    // presented all of it); empty when it presented nothing.
    const RectI& LastPresented() const { return lastPresented_; }

  private:
    int drawImageNow(Gdiplus::GpImage* image, float x, float y, float width, float height);
    int drawImagePartNow(Gdiplus::GpImage* image, const float* a);
    static int drawSliceNow(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const float* a);
    bool buildTextPath(const std::string& gbkText, float x, float y, std::int32_t emSize);
    void keep(DrawnCall call, Gdiplus::GpImage* image);
    // A picture call of a frame: kept with the pixels it may touch; one
    // without an image is refused as GDI+ refuses it.
    int keepImageCall(DrawnCall call, Gdiplus::GpImage* image);
    // Before drawing at once: a kept frame is drawn first, and the next frame
    // cannot trust what the last one left.
    void drawingAtOnce();
    // Draws the kept frame where it differs from the last one.
    void drawKeptFrame();
    void eraseArea(const RectI& area);
    // The leading slices of the kept frame, copied from their own surface
    // into `area`; the number of calls they are.
    std::size_t copyStrip(const RectI& area);
    void presentAll();

    bool highQuality_ = false;
    bool framing_ = false;      // a frame is being kept
    bool lastDrawn_ = false;    // lastCalls_ is what the surface holds
    bool presentWhole_ = true;  // the window has not been given all of the surface
    RectI unpresented_;         // drawn but not yet presented
    RectI lastPresented_;
    std::vector<DrawnCall> calls_, lastCalls_;
    std::vector<Gdiplus::GpImage*> images_;  // the picture of each kept call
    // What textPath_ holds: a text call's text and numbers.
    std::string pathText_;
    std::array<float, 3> pathArgs_{};
    bool pathSet_ = false;
    using UpdateIndirect = BOOL(WINAPI*)(HWND, const UPDATELAYEREDWINDOWINFO*);
    UpdateIndirect updateIndirect_ = nullptr;  // null where the system has none
    // The strip's own surface and the slices it holds.
    UniqueDc stripDC_;
    UniqueBitmap stripBitmap_;
    std::optional<SelectionGuard> stripSelection_;
    std::vector<DrawnCall> stripCalls_;
    GdiplusSession session_;  // first member: shut down after everything else
    HWND window_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    LONG savedExStyle_ = 0;  // 0: nothing to restore
    UniqueDc memoryDC_;
    UniqueBitmap surfaceBitmap_;
    std::optional<SelectionGuard> surfaceSelection_;  // surfaceBitmap_ in memoryDC_
    // The DIB's pixels: a whole-surface clear writes zeros straight into
    // them, which gives the same transparent black as GdipGraphicsClear at a
    // tenth of its cost under Wine.
    void* surfaceBits_ = nullptr;
    std::size_t surfaceBytes_ = 0;
    UniqueGpGraphics graphics_;
    POINT sourceOrigin_{0, 0};
    SIZE surfaceSize_{0, 0};
    BLENDFUNCTION blend_{};
    UniqueBrush eraseBrush_;
    UniqueGpFontFamily fontFamily_;
    UniqueGpPen outlinePen_;
    UniqueGpSolidFill textBrush_;
    Gdiplus::ColorMatrix colorMatrix_{};
    UniqueGpImageAttributes imageAttributes_;
    // The opacity the attributes hold; every reflection of a frame uses the
    // same one, so the matrix is handed to GDI+ only when it changes.
    float attributesOpacity_ = 0.0f;
    bool attributesSet_ = false;
    // Kept across frames so that a caption costs no allocation: the path is
    // reset per call, the wide buffer keeps its storage.
    UniqueGpStringFormat stringFormat_;
    UniqueGpPath textPath_;
    std::wstring wideText_;
};

}  // namespace dock
