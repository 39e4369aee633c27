#include "render/canvas_win32.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>

#include "render/dock_image_win32.h"
#include "render/to_wide_win32.h"

namespace dock {

namespace {

Gdiplus::GpImage* nativeImageOf(const Picture& picture) {
    const auto* image = dynamic_cast<const DockImage*>(&picture);
    return image != nullptr ? image->NativeImage() : nullptr;
}

std::uint64_t serialOf(const Picture& picture) {
    const auto* image = dynamic_cast<const DockImage*>(&picture);
    return image != nullptr ? image->Serial() : 0;
}

// Pixels a call may change past its destination's edges: filtering reaches
// a pixel beyond them, antialiasing another; a caption's outline a few.
constexpr std::int32_t kImageMargin = 2;
constexpr std::int32_t kTextMargin = 4;

DrawnCall callOf(DrawnCall::Kind kind, const Picture& picture, std::initializer_list<float> args) {
    DrawnCall call;
    call.kind = kind;
    call.picture = serialOf(picture);
    std::copy(args.begin(), args.end(), call.args.begin());
    return call;
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
    highQuality_ = highQuality;
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

    // Looked up at run time: a system without it presents the whole surface.
    updateIndirect_ = reinterpret_cast<UpdateIndirect>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleA("user32.dll"), "UpdateLayeredWindowIndirect")));
}

void DockCanvas::Destroy() {
    framing_ = false;
    lastDrawn_ = false;
    presentWhole_ = true;
    unpresented_ = {};
    lastPresented_ = {};
    calls_.clear();
    lastCalls_.clear();
    images_.clear();
    pathSet_ = false;
    stripSelection_.reset();
    stripBitmap_.reset();
    stripDC_.reset();
    stripCalls_.clear();
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

void DockCanvas::BeginFrame() {
    // Its calls are kept until it is presented.
    if (framing_) drawKeptFrame();
    framing_ = true;
    calls_.clear();
    images_.clear();
}

void DockCanvas::Clear(const RectI& rect) {
    drawingAtOnce();
    if (rect == RectI{}) {
        if (surfaceBits_ != nullptr) eraseArea({0, 0, width_, height_});
        return;
    }
    if (!memoryDC_ || !eraseBrush_) return;
    // GDI+ may hold drawing back; it must land before GDI writes over it.
    gdip::GdipFlush(graphics_.get(), Gdiplus::FlushIntentionSync);
    const RECT r = {rect.left, rect.top, rect.right, rect.bottom};
    ::FillRect(memoryDC_.get(), &r, eraseBrush_.get());
}

void DockCanvas::keep(DrawnCall call, Gdiplus::GpImage* image) {
    calls_.push_back(std::move(call));
    images_.push_back(image);
}

int DockCanvas::keepImageCall(DrawnCall call, Gdiplus::GpImage* image) {
    if (image == nullptr) return Gdiplus::InvalidParameter;
    const auto& a = call.args;
    call.bounds = pixelsTouched(a[0], a[1], a[2], a[3], kImageMargin);
    keep(std::move(call), image);
    return Gdiplus::Ok;
}

void DockCanvas::drawingAtOnce() {
    if (framing_) drawKeptFrame();
    lastDrawn_ = false;
    presentWhole_ = true;
}

int DockCanvas::DrawImage(const Picture& picture, float x, float y, float width, float height) {
    Gdiplus::GpImage* image = nativeImageOf(picture);
    if (framing_)
        return keepImageCall(callOf(DrawnCall::Kind::image, picture, {x, y, width, height}), image);
    drawingAtOnce();
    return drawImageNow(image, x, y, width, height);
}

int DockCanvas::drawImageNow(Gdiplus::GpImage* image, float x, float y, float width, float height) {
    return gdip::GdipDrawImageRect(graphics_.get(), image, x, y, width, height);
}

int DockCanvas::DrawImagePart(const Picture& picture, float x, float y, float width, float height,
                              float srcX, float srcY, float srcWidth, float srcHeight,
                              float opacity) {
    Gdiplus::GpImage* image = nativeImageOf(picture);
    DrawnCall call = callOf(DrawnCall::Kind::imagePart, picture,
                            {x, y, width, height, srcX, srcY, srcWidth, srcHeight, opacity});
    if (framing_) return keepImageCall(std::move(call), image);
    drawingAtOnce();
    return drawImagePartNow(image, call.args.data());
}

int DockCanvas::drawImagePartNow(Gdiplus::GpImage* image, const float* a) {
    const float opacity = a[8];
    if (std::fabs(static_cast<double>(opacity)) <= 1e-7) {
        return gdip::GdipDrawImageRectRect(graphics_.get(), image, a[0], a[1], a[2], a[3], a[4],
                                           a[5], a[6], a[7], Gdiplus::UnitPixel, nullptr, nullptr,
                                           nullptr);
    }
    if (!attributesSet_ || opacity != attributesOpacity_) {
        colorMatrix_.m[3][3] = opacity;
        attributesSet_ =
            gdip::GdipSetImageAttributesColorMatrix(
                imageAttributes_.get(), Gdiplus::ColorAdjustTypeBitmap, TRUE, &colorMatrix_,
                nullptr, Gdiplus::ColorMatrixFlagsDefault) == Gdiplus::Ok;
        attributesOpacity_ = opacity;
    }
    return gdip::GdipDrawImageRectRect(graphics_.get(), image, a[0], a[1], a[2], a[3], a[4], a[5],
                                       a[6], a[7], Gdiplus::UnitPixel, imageAttributes_.get(),
                                       nullptr, nullptr);
}

int DockCanvas::DrawImageSlice(const Picture& picture, float x, float y, float width, float height,
                               float srcX, float srcY, float srcWidth, float srcHeight) {
    Gdiplus::GpImage* image = nativeImageOf(picture);
    DrawnCall call = callOf(DrawnCall::Kind::imageSlice, picture,
                            {x, y, width, height, srcX, srcY, srcWidth, srcHeight});
    if (framing_) return keepImageCall(std::move(call), image);
    drawingAtOnce();
    return drawSliceNow(graphics_.get(), image, call.args.data());
}

int DockCanvas::drawSliceNow(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image,
                             const float* a) {
    // A scaled GdipDrawImageRectRect samples beyond its source rectangle, which
    // softens a slice's edge columns on Windows; Wine instead leaves out a
    // slice's first column whenever that column maps a hair before the source
    // rectangle. A texture of the slice alone, mirrored at its edges and
    // scaled onto the destination, has nothing beyond the slice to sample and
    // fills every pixel of the destination.
    const float x = a[0], y = a[1], width = a[2], height = a[3];
    const float srcX = a[4], srcY = a[5], srcWidth = a[6], srcHeight = a[7];
    UniqueGpTexture slice;
    const Gdiplus::GpStatus made = gdip::GdipCreateTexture2(
        image, Gdiplus::WrapModeTileFlipXY, srcX, srcY, srcWidth, srcHeight, slice.put());
    if (made != Gdiplus::Ok) return made;
    Gdiplus::GpTexture* texture = slice.get();
    gdip::GdipScaleTextureTransform(texture, width / srcWidth, height / srcHeight,
                                    Gdiplus::MatrixOrderAppend);
    gdip::GdipTranslateTextureTransform(texture, x, y, Gdiplus::MatrixOrderAppend);
    // Whole-pixel edges: antialiased, two neighbouring slices would each cover
    // the pixel they share only in part.
    Gdiplus::SmoothingMode smoothing = Gdiplus::SmoothingModeNone;
    gdip::GdipGetSmoothingMode(graphics, &smoothing);
    gdip::GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeNone);
    const Gdiplus::GpStatus drawn = gdip::GdipFillRectangle(graphics, texture, x, y, width, height);
    gdip::GdipSetSmoothingMode(graphics, smoothing);
    return drawn;
}

bool DockCanvas::buildTextPath(const std::string& gbkText, float x, float y, std::int32_t emSize) {
    if (!fontFamily_ || !textPath_) return false;
    const std::array<float, 3> args{x, y, static_cast<float>(emSize)};
    if (pathSet_ && pathArgs_ == args && pathText_ == gbkText) return true;
    ToWide(gbkText, wideText_);
    pathSet_ = false;
    if (wideText_.empty()) return false;
    const Gdiplus::RectF layout(x, y, 0.0f, 0.0f);  // no box: laid out from the origin
    gdip::GdipResetPath(textPath_.get());
    gdip::GdipAddPathString(textPath_.get(), wideText_.c_str(), static_cast<INT>(wideText_.size()),
                            fontFamily_.get(), Gdiplus::FontStyleBold,
                            static_cast<Gdiplus::REAL>(emSize), &layout, stringFormat_.get());
    pathText_ = gbkText;
    pathArgs_ = args;
    pathSet_ = true;
    return true;
}

void DockCanvas::DrawOutlinedText(const std::string& gbkText, float x, float y,
                                  std::int32_t emSize) {
    if (framing_) {
        DrawnCall call;
        call.kind = DrawnCall::Kind::text;
        call.args = {x, y, static_cast<float>(emSize)};
        call.text = gbkText;
        // The same text where the last frame had it needs no measuring again.
        const std::size_t at = calls_.size();
        if (lastDrawn_ && at < lastCalls_.size() && lastCalls_[at].SameCall(call)) {
            call.bounds = lastCalls_[at].bounds;
        } else {
            if (!buildTextPath(gbkText, x, y, emSize)) return;
            Gdiplus::GpRectF box{};
            gdip::GdipGetPathWorldBounds(textPath_.get(), &box, nullptr, nullptr);
            call.bounds = pixelsTouched(box.X, box.Y, box.Width, box.Height, kTextMargin);
        }
        keep(std::move(call), nullptr);
        return;
    }
    drawingAtOnce();
    if (!buildTextPath(gbkText, x, y, emSize)) return;
    // The fill is painted over the outline.
    gdip::GdipDrawPath(graphics_.get(), outlinePen_.get(), textPath_.get());
    gdip::GdipFillPath(graphics_.get(), textBrush_.get(), textPath_.get());
}

void DockCanvas::eraseArea(const RectI& area) {
    // Drawing GDI+ still holds back must not land after the erase.
    gdip::GdipFlush(graphics_.get(), Gdiplus::FlushIntentionSync);
    ::GdiFlush();
    // The DIB is bottom-up: the surface's row y is the bitmap's row height - 1 - y.
    auto* bits = static_cast<std::uint8_t*>(surfaceBits_);
    const std::size_t stride = static_cast<std::size_t>(width_) * 4;
    if (area == RectI{0, 0, width_, height_}) {
        std::memset(bits, 0, surfaceBytes_);
        return;
    }
    const std::size_t bytes = static_cast<std::size_t>(area.Width()) * 4;
    for (std::int32_t y = area.top; y < area.bottom; ++y)
        std::memset(bits + static_cast<std::size_t>(height_ - 1 - y) * stride +
                        static_cast<std::size_t>(area.left) * 4,
                    0, bytes);
}

std::size_t DockCanvas::copyStrip(const RectI& area) {
    std::size_t count = 0;
    RectI box;
    while (count < calls_.size() && calls_[count].kind == DrawnCall::Kind::imageSlice)
        box = unionOf(box, calls_[count++].bounds);
    if (count == 0) return 0;
    // A strip that moves with every frame is cheaper drawn than composed
    // and copied; one that stays put is composed once.
    auto sameSlices = [count](const std::vector<DrawnCall>& a, const std::vector<DrawnCall>& b) {
        return a.size() >= count && b.size() >= count &&
               std::equal(a.begin(), a.begin() + static_cast<long>(count), b.begin(),
                          [](const DrawnCall& x, const DrawnCall& y) { return x.SameCall(y); });
    };
    if (!lastDrawn_ || !sameSlices(calls_, lastCalls_)) return 0;
    // The strip's surface covers its box, addressed in the dock surface's own
    // coordinates through the DC's origin: GDI+ samples each pixel exactly
    // as it would on the dock surface, so the copy is the same picture.
    if (stripCalls_.size() != count || !sameSlices(calls_, stripCalls_)) {
        stripSelection_.reset();
        stripBitmap_.reset();
        stripCalls_.clear();
        if (!stripDC_) stripDC_.reset(::CreateCompatibleDC(memoryDC_.get()));
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = box.Width();
        info.bmiHeader.biHeight = box.Height();
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        stripBitmap_.reset(
            ::CreateDIBSection(stripDC_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!stripBitmap_ || bits == nullptr) return 0;  // drawn call by call instead
        stripSelection_.emplace(stripDC_.get(), stripBitmap_.get());
        ::SetWindowOrgEx(stripDC_.get(), box.left, box.top, nullptr);
        UniqueGpGraphics graphics;
        gdip::GdipCreateFromHDC(stripDC_.get(), graphics.put());
        if (highQuality_)
            gdip::GdipSetInterpolationMode(graphics.get(),
                                           Gdiplus::InterpolationModeHighQualityBicubic);
        if (fontFamily_)
            gdip::GdipSetSmoothingMode(graphics.get(), Gdiplus::SmoothingModeAntiAlias);
        for (std::size_t i = 0; i < count; ++i)
            drawSliceNow(graphics.get(), images_[i], calls_[i].args.data());
        gdip::GdipFlush(graphics.get(), Gdiplus::FlushIntentionSync);
        stripCalls_.assign(calls_.begin(), calls_.begin() + static_cast<long>(count));
    }
    const RectI to = intersectionOf(area, box);
    if (!isEmpty(to)) {
        gdip::GdipFlush(graphics_.get(), Gdiplus::FlushIntentionSync);
        ::BitBlt(memoryDC_.get(), to.left, to.top, to.Width(), to.Height(), stripDC_.get(), to.left,
                 to.top, SRCCOPY);
    }
    return count;
}

void DockCanvas::drawKeptFrame() {
    framing_ = false;
    if (surfaceBits_ == nullptr) {
        lastDrawn_ = false;
        return;
    }
    const RectI whole{0, 0, width_, height_};
    const RectI changed =
        intersectionOf(whole, lastDrawn_ ? changedArea(lastCalls_, calls_) : whole);
    // Clipping costs each call a little, drawing outside the changed area
    // a lot: the calls are drawn whole unless that would more than double
    // the area drawn again.
    const RectI widened = intersectionOf(whole, wholeCallsArea(changed, calls_));
    auto size = [](const RectI& r) { return double(r.Width()) * double(r.Height()); };
    const bool clipped = size(widened) > 2 * size(changed);
    const RectI area = clipped ? changed : widened;
    if (!isEmpty(area)) {
        eraseArea(area);
        // The strip lies under everything else, on the cleared surface.
        std::size_t i = copyStrip(area);
        if (clipped)
            gdip::GdipSetClipRectI(graphics_.get(), area.left, area.top, area.Width(),
                                   area.Height(), Gdiplus::CombineModeReplace);
        for (; i < calls_.size(); ++i) {
            const DrawnCall& c = calls_[i];
            if (isEmpty(intersectionOf(c.bounds, area))) continue;
            switch (c.kind) {
                case DrawnCall::Kind::image:
                    drawImageNow(images_[i], c.args[0], c.args[1], c.args[2], c.args[3]);
                    break;
                case DrawnCall::Kind::imagePart:
                    drawImagePartNow(images_[i], c.args.data());
                    break;
                case DrawnCall::Kind::imageSlice:
                    drawSliceNow(graphics_.get(), images_[i], c.args.data());
                    break;
                case DrawnCall::Kind::text:
                    if (!buildTextPath(c.text, c.args[0], c.args[1],
                                       static_cast<std::int32_t>(c.args[2])))
                        break;
                    // The fill is painted over the outline.
                    gdip::GdipDrawPath(graphics_.get(), outlinePen_.get(), textPath_.get());
                    gdip::GdipFillPath(graphics_.get(), textBrush_.get(), textPath_.get());
                    break;
            }
        }
        if (clipped) gdip::GdipResetClip(graphics_.get());
        unpresented_ = unionOf(unpresented_, area);
    }
    lastCalls_.swap(calls_);
    calls_.clear();
    images_.clear();
    lastDrawn_ = true;
}

void DockCanvas::presentAll() {
    ::UpdateLayeredWindow(window_, nullptr, nullptr, &surfaceSize_, memoryDC_.get(), &sourceOrigin_,
                          0, &blend_, ULW_ALPHA);
    lastPresented_ = {0, 0, width_, height_};
}

void DockCanvas::Present() {
    if (framing_) drawKeptFrame();
    // GDI+ may still hold drawing back; UpdateLayeredWindow reads the DIB.
    gdip::GdipFlush(graphics_.get(), Gdiplus::FlushIntentionSync);
    const RectI area = unpresented_;
    unpresented_ = {};
    lastPresented_ = {};
    if (presentWhole_ || updateIndirect_ == nullptr) {
        presentWhole_ = false;
        presentAll();
        return;
    }
    if (isEmpty(area)) return;  // the window already shows this frame
    const RECT dirty{area.left, area.top, area.right, area.bottom};
    UPDATELAYEREDWINDOWINFO info{};
    info.cbSize = sizeof info;
    info.psize = &surfaceSize_;
    info.hdcSrc = memoryDC_.get();
    info.pptSrc = &sourceOrigin_;
    info.pblend = &blend_;
    info.dwFlags = ULW_ALPHA;
    info.prcDirty = &dirty;
    if (updateIndirect_(window_, &info))
        lastPresented_ = area;
    else
        presentAll();
}

BOOL DockCanvas::BlitTo(HDC target, std::int32_t x, std::int32_t y, std::int32_t width,
                        std::int32_t height) {
    if (framing_) drawKeptFrame();
    gdip::GdipFlush(graphics_.get(), Gdiplus::FlushIntentionSync);
    return ::BitBlt(target, x, y, width, height, memoryDC_.get(), 0, 0, SRCCOPY);
}

}  // namespace dock
