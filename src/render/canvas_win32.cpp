#include "render/canvas_win32.h"

#include <cmath>
#include <cstring>

#include "render/dock_image_win32.h"
#include "render/to_wide_win32.h"

namespace dock {

namespace {

Gdiplus::GpImage* nativeImageOf(const Picture& picture) {
    const auto* image = dynamic_cast<const DockImage*>(&picture);
    return image != nullptr ? image->NativeImage() : nullptr;
}

}  // namespace

DockCanvas::DockCanvas() = default;

DockCanvas::~DockCanvas() {
    Destroy();
}

void DockCanvas::Create(HWND window, std::int32_t width, std::int32_t height,
                        const std::string& fontName, std::uint32_t textColor,
                        std::uint32_t outlineColor, int alpha, bool highQuality) {
    Destroy();

    window_ = window;
    width_ = width;
    height_ = height;
    sourceOrigin_ = {0, 0};
    surfaceSize_ = {width, height};
    blend_.BlendOp = AC_SRC_OVER;
    blend_.BlendFlags = 0;
    blend_.SourceConstantAlpha = 255;
    blend_.AlphaFormat = AC_SRC_ALPHA;

    savedExStyle_ = ::GetWindowLongA(window_, GWL_EXSTYLE);
    ::SetWindowLongA(window_, GWL_EXSTYLE, savedExStyle_ | WS_EX_LAYERED);

    {
        WindowDc windowDc(window_);
        memoryDC_.reset(::CreateCompatibleDC(windowDc.get()));
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(static_cast<double>(width) * height * 32 / 8);
    void* bits = nullptr;
    surfaceBitmap_.reset(
        ::CreateDIBSection(memoryDC_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (surfaceBitmap_ && bits != nullptr && width > 0 && height > 0) {
        surfaceBits_ = bits;
        surfaceBytes_ = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    }
    if (surfaceBitmap_) surfaceSelection_.emplace(memoryDC_.get(), surfaceBitmap_.get());

    if (memoryDC_) gdip::GdipCreateFromHDC(memoryDC_.get(), graphics_.put());
    if (highQuality)
        gdip::GdipSetInterpolationMode(graphics_.get(),
                                       Gdiplus::InterpolationModeHighQualityBicubic);

    if (!fontName.empty()) {
        gdip::GdipSetSmoothingMode(graphics_.get(), Gdiplus::SmoothingModeAntiAlias);
        gdip::GdipCreateFontFamilyFromName(ToWide(fontName).c_str(), nullptr, fontFamily_.put());
        gdip::GdipCreatePen1(ToArgb(outlineColor, alpha), 0.0f, Gdiplus::UnitDocument,
                             outlinePen_.put());
        // Wine's GDI+ refuses document-unit pens, so under Wine titles have no
        // outline. A pixel-unit pen is no way out: Wine's path stroking then
        // recurses until the stack overflows once the surface is about 1,000
        // pixels wide (frame_bench at 30 items shows it).
        gdip::GdipSetPenLineJoin(outlinePen_.get(), Gdiplus::LineJoinRound);
        gdip::GdipCreateSolidFill(ToArgb(textColor, alpha), textBrush_.put());
        // A null string format means the default one, but Wine rejects null.
        gdip::GdipCreateStringFormat(0, LANG_NEUTRAL, stringFormat_.put());
        gdip::GdipCreatePath(Gdiplus::FillModeAlternate, textPath_.put());
    }

    eraseBrush_.reset(::CreateSolidBrush(RGB(0, 0, 0)));

    gdip::GdipCreateImageAttributes(imageAttributes_.put());

    colorMatrix_ = {};
    for (int i = 0; i < 5; ++i) colorMatrix_.m[i][i] = 1.0f;
    attributesSet_ = false;
}

void DockCanvas::Destroy() {
    if (savedExStyle_ != 0) {
        ::SetWindowLongA(window_, GWL_EXSTYLE, savedExStyle_);
        savedExStyle_ = 0;
    }
    imageAttributes_.reset();
    textPath_.reset();
    stringFormat_.reset();
    textBrush_.reset();
    outlinePen_.reset();
    fontFamily_.reset();
    eraseBrush_.reset();
    graphics_.reset();
    // Deselected before it is deleted, and the DC gets its own bitmap back.
    surfaceSelection_.reset();
    memoryDC_.reset();
    surfaceBits_ = nullptr;
    surfaceBytes_ = 0;
    surfaceBitmap_.reset();
}

void DockCanvas::Clear(const RectI& rect) {
    if (rect == RectI{}) {
        if (surfaceBits_ == nullptr) {
            gdip::GdipGraphicsClear(graphics_.get(), 0);
            return;
        }
        // Drawing GDI+ still holds back must not land after the erase.
        gdip::GdipFlush(graphics_.get(), Gdiplus::FlushIntentionSync);
        ::GdiFlush();
        std::memset(surfaceBits_, 0, surfaceBytes_);
        return;
    }
    if (!memoryDC_ || !eraseBrush_) return;
    // GDI+ may hold drawing back; it must land before GDI writes over it.
    gdip::GdipFlush(graphics_.get(), Gdiplus::FlushIntentionSync);
    const RECT r = {rect.left, rect.top, rect.right, rect.bottom};
    ::FillRect(memoryDC_.get(), &r, eraseBrush_.get());
}

int DockCanvas::DrawImage(const Picture& picture, float x, float y, float width, float height) {
    return gdip::GdipDrawImageRect(graphics_.get(), nativeImageOf(picture), x, y, width, height);
}

int DockCanvas::DrawImagePart(const Picture& picture, float x, float y, float width, float height,
                              float srcX, float srcY, float srcWidth, float srcHeight,
                              float opacity) {
    Gdiplus::GpImage* image = nativeImageOf(picture);
    if (std::fabs(static_cast<double>(opacity)) <= 1e-7) {
        return gdip::GdipDrawImageRectRect(graphics_.get(), image, x, y, width, height, srcX, srcY,
                                           srcWidth, srcHeight, Gdiplus::UnitPixel, nullptr,
                                           nullptr, nullptr);
    }
    if (!attributesSet_ || opacity != attributesOpacity_) {
        colorMatrix_.m[3][3] = opacity;
        attributesSet_ =
            gdip::GdipSetImageAttributesColorMatrix(
                imageAttributes_.get(), Gdiplus::ColorAdjustTypeBitmap, TRUE, &colorMatrix_,
                nullptr, Gdiplus::ColorMatrixFlagsDefault) == Gdiplus::Ok;
        attributesOpacity_ = opacity;
    }
    return gdip::GdipDrawImageRectRect(graphics_.get(), image, x, y, width, height, srcX, srcY,
                                       srcWidth, srcHeight, Gdiplus::UnitPixel,
                                       imageAttributes_.get(), nullptr, nullptr);
}

int DockCanvas::DrawImageSlice(const Picture& picture, float x, float y, float width, float height,
                               float srcX, float srcY, float srcWidth, float srcHeight) {
    // A scaled GdipDrawImageRectRect samples beyond its source rectangle, which
    // softens a slice's edge columns on Windows; Wine instead leaves out a
    // slice's first column whenever that column maps a hair before the source
    // rectangle. A texture of the slice alone, mirrored at its edges and
    // scaled onto the destination, has nothing beyond the slice to sample and
    // fills every pixel of the destination.
    UniqueGpTexture slice;
    const Gdiplus::GpStatus made =
        gdip::GdipCreateTexture2(nativeImageOf(picture), Gdiplus::WrapModeTileFlipXY, srcX, srcY,
                                 srcWidth, srcHeight, slice.put());
    if (made != Gdiplus::Ok) return made;
    Gdiplus::GpTexture* texture = slice.get();
    gdip::GdipScaleTextureTransform(texture, width / srcWidth, height / srcHeight,
                                    Gdiplus::MatrixOrderAppend);
    gdip::GdipTranslateTextureTransform(texture, x, y, Gdiplus::MatrixOrderAppend);
    // Whole-pixel edges: antialiased, two neighbouring slices would each cover
    // the pixel they share only in part.
    Gdiplus::SmoothingMode smoothing = Gdiplus::SmoothingModeNone;
    gdip::GdipGetSmoothingMode(graphics_.get(), &smoothing);
    gdip::GdipSetSmoothingMode(graphics_.get(), Gdiplus::SmoothingModeNone);
    const Gdiplus::GpStatus drawn =
        gdip::GdipFillRectangle(graphics_.get(), texture, x, y, width, height);
    gdip::GdipSetSmoothingMode(graphics_.get(), smoothing);
    return drawn;
}

void DockCanvas::DrawOutlinedText(const std::string& gbkText, float x, float y,
                                  std::int32_t emSize) {
    if (!fontFamily_ || !textPath_) return;
    ToWide(gbkText, wideText_);
    if (wideText_.empty()) return;
    const Gdiplus::RectF layout(x, y, 0.0f, 0.0f);  // no box: laid out from the origin
    gdip::GdipResetPath(textPath_.get());
    gdip::GdipAddPathString(textPath_.get(), wideText_.c_str(), static_cast<INT>(wideText_.size()),
                            fontFamily_.get(), Gdiplus::FontStyleBold,
                            static_cast<Gdiplus::REAL>(emSize), &layout, stringFormat_.get());
    // The fill is painted over the outline.
    gdip::GdipDrawPath(graphics_.get(), outlinePen_.get(), textPath_.get());
    gdip::GdipFillPath(graphics_.get(), textBrush_.get(), textPath_.get());
}

void DockCanvas::Present() {
    // GDI+ may still hold drawing back; UpdateLayeredWindow reads the DIB.
    gdip::GdipFlush(graphics_.get(), Gdiplus::FlushIntentionSync);
    ::UpdateLayeredWindow(window_, nullptr, nullptr, &surfaceSize_, memoryDC_.get(), &sourceOrigin_,
                          0, &blend_, ULW_ALPHA);
}

BOOL DockCanvas::BlitTo(HDC target, std::int32_t x, std::int32_t y, std::int32_t width,
                        std::int32_t height) const {
    gdip::GdipFlush(graphics_.get(), Gdiplus::FlushIntentionSync);
    return ::BitBlt(target, x, y, width, height, memoryDC_.get(), 0, 0, SRCCOPY);
}

}  // namespace dock
