#include "render/canvas_win32.h"

#include <cmath>

#include "render/dock_image_win32.h"
#include "render/layout.h"
#include "render/to_wide_win32.h"

namespace dock {

namespace {

const DockImage* dockImageOf(const Picture& picture) {
    return dynamic_cast<const DockImage*>(&picture);
}

Gdiplus::GpImage* nativeImageOf(const Picture& picture) {
    const DockImage* image = dockImageOf(picture);
    return image != nullptr ? image->NativeImage() : nullptr;
}

// An opacity of 0 (within 1e-7) draws unchanged, as the port says.
bool unchanged(float opacity) {
    return std::fabs(static_cast<double>(opacity)) <= 1e-7;
}

std::uint8_t constantAlphaOf(float opacity) {
    if (unchanged(opacity)) return 255;
    const double alpha = double(opacity) * 255;
    return static_cast<std::uint8_t>(alpha <= 0 ? 0 : alpha >= 255 ? 255 : alpha);
}

SourceRect sourceOf(const DrawnCall& call) {
    return {call.args[4], call.args[5], call.args[6], call.args[7]};
}

// A picture call's numbers: the destination, the source rectangle, the opacity.
DrawnCall callOf(DrawnCall::Kind kind, const Picture& picture, float x, float y, float width,
                 float height, const SourceRect& source, float opacity) {
    DrawnCall call;
    call.kind = kind;
    const DockImage* image = dockImageOf(picture);
    call.picture = image != nullptr ? image->Serial() : 0;
    call.args = {x, y, width, height, source[0], source[1], source[2], source[3], opacity};
    return call;
}

RectI atOrigin(const RectI& r) {
    return {0, 0, r.Width(), r.Height()};
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
    highQuality_ = highQuality;

    savedExStyle_ = ::GetWindowLongA(window_, GWL_EXSTYLE);
    ::SetWindowLongA(window_, GWL_EXSTYLE, savedExStyle_ | WS_EX_LAYERED);
    {
        WindowDc windowDc(window_);
        composer_.Create(windowDc.get(), width, height);
    }

    const bool captions = !fontName.empty();
    if (captions) {
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
        style_ = {fontFamily_.get(), outlinePen_.get(), textBrush_.get(), stringFormat_.get()};
    }
    cache_.Reset(composer_.Dc(), highQuality, captions, style_);

    gdip::GdipCreateImageAttributes(imageAttributes_.put());
    colorMatrix_ = {};
    for (int i = 0; i < 5; ++i) colorMatrix_.m[i][i] = 1.0f;

    presenter_.Attach(window_, composer_.Dc(), width, height, [this] { return composeLatest(); });
    if (presentInterval_) presenter_.SetInterval(*presentInterval_);
}

void DockCanvas::Destroy() {
    presenter_.Detach();
    recorder_ = {};
    images_.clear();
    lastImages_.clear();
    uncomposed_ = {};
    unpresented_ = {};
    if (savedExStyle_ != 0) {
        ::SetWindowLongA(window_, GWL_EXSTYLE, savedExStyle_);
        savedExStyle_ = 0;
    }
    cache_.Reset(nullptr, false, false, {});
    style_ = {};
    imageAttributes_.reset();
    textPath_.reset();
    stringFormat_.reset();
    textBrush_.reset();
    outlinePen_.reset();
    fontFamily_.reset();
    composer_.Destroy();
}

void DockCanvas::BeginFrame() {
    if (recorder_.Recording()) finishFrame();
    recorder_.Begin();
    images_.clear();
    // A picture loaded or let go since the last frame: what was drawn from
    // the pictures goes (a new one never matches an old piece, but would
    // leave the old ones to take up room until they are the oldest), and so
    // does a frame not yet composed, whose pictures may be gone.
    if (pictureChanges() != pictureChanges_) {
        cache_.Empty();
        dropUncomposed();
    }
    pictureChanges_ = pictureChanges();
    cache_.NewFrame();
}

void DockCanvas::dropUncomposed() {
    if (isEmpty(uncomposed_)) return;
    uncomposed_ = {};
    recorder_.Forget();
    presenter_.PresentWholeNext();
}

void DockCanvas::settleFrame() {
    if (recorder_.Recording()) finishFrame();
    if (pictureChanges() != pictureChanges_) dropUncomposed();
    composeUncomposed();
}

template <typename Draw>
int DockCanvas::drawAtOnce(const RectI& area, Draw&& draw) {
    settleFrame();
    // The next frame cannot trust what the last one left, and goes whole.
    recorder_.Forget();
    presenter_.PresentWholeNext();
    if (!composer_.Ready() || isEmpty(area)) return draw(nullptr);
    // GDI+ draws over a copy of what the surface holds there, at the origin
    // of a bitmap of its own, as the cache draws the piece.
    UniqueDc dc(::CreateCompatibleDC(composer_.Dc()));
    UniqueBitmap bitmap = newDibSection(dc.get(), area.Width(), area.Height());
    if (!bitmap) return Gdiplus::OutOfMemory;
    SelectionGuard selected(dc.get(), bitmap.get());
    ::BitBlt(dc.get(), 0, 0, area.Width(), area.Height(), composer_.Dc(), area.left, area.top,
             SRCCOPY);
    const int drawn = drawWithGdiplus(dc.get(), style_.family != nullptr, draw);
    ::BitBlt(composer_.Dc(), area.left, area.top, area.Width(), area.Height(), dc.get(), 0, 0,
             SRCCOPY);
    return drawn;
}

void DockCanvas::Clear(const RectI& rect) {
    settleFrame();
    composer_.Erase(rect == RectI{} ? composer_.Whole() : rect);
    recorder_.Forget();
    presenter_.PresentWholeNext();
}

int DockCanvas::record(DrawnCall call, Gdiplus::GpImage* image, const RectI& bounds) {
    if (image == nullptr) return Gdiplus::InvalidParameter;
    call.bounds = bounds;
    recorder_.Add(std::move(call));
    images_.push_back(image);
    return Gdiplus::Ok;
}

int DockCanvas::DrawImage(const Picture& picture, float x, float y, float width, float height) {
    Gdiplus::GpImage* image = nativeImageOf(picture);
    const SourceRect source{0, 0, static_cast<float>(picture.Width()),
                            static_cast<float>(picture.Height())};
    DrawnCall call = callOf(DrawnCall::Kind::image, picture, x, y, width, height, source, 0);
    const RectI to = wholePixelRect(x, y, width, height);
    if (recorder_.Recording()) return record(std::move(call), image, to);
    return drawAtOnce(to, [&](Gdiplus::GpGraphics* g) {
        return drawPictureAt(g, image, source, atOrigin(to), false, highQuality_, nullptr);
    });
}

int DockCanvas::DrawImagePart(const Picture& picture, float x, float y, float width, float height,
                              float srcX, float srcY, float srcWidth, float srcHeight,
                              float opacity) {
    Gdiplus::GpImage* image = nativeImageOf(picture);
    const SourceRect source{srcX, srcY, srcWidth, srcHeight};
    DrawnCall call =
        callOf(DrawnCall::Kind::imagePart, picture, x, y, width, height, source, opacity);
    const RectI to = wholePixelRect(x, y, width, height);
    if (recorder_.Recording()) return record(std::move(call), image, to);
    Gdiplus::GpImageAttributes* attributes = nullptr;
    if (!unchanged(opacity)) {
        colorMatrix_.m[3][3] = opacity;
        if (gdip::GdipSetImageAttributesColorMatrix(
                imageAttributes_.get(), Gdiplus::ColorAdjustTypeBitmap, TRUE, &colorMatrix_,
                nullptr, Gdiplus::ColorMatrixFlagsDefault) == Gdiplus::Ok)
            attributes = imageAttributes_.get();
    }
    return drawAtOnce(to, [&](Gdiplus::GpGraphics* g) {
        return drawPictureAt(g, image, source, atOrigin(to), height < 0, highQuality_, attributes);
    });
}

int DockCanvas::DrawImageSlice(const Picture& picture, const RectF& where, float srcX, float srcY,
                               float srcWidth, float srcHeight) {
    Gdiplus::GpImage* image = nativeImageOf(picture);
    const SourceRect source{srcX, srcY, srcWidth, srcHeight};
    DrawnCall call = callOf(DrawnCall::Kind::imageSlice, picture, where.left, where.top,
                            where.right, where.bottom, source, 0);
    const RectI to = wholePixelSlice(where);
    if (recorder_.Recording()) return record(std::move(call), image, to);
    return drawAtOnce(to, [&](Gdiplus::GpGraphics* g) {
        return drawSliceAt(g, image, source, atOrigin(to), highQuality_);
    });
}

void DockCanvas::DrawOutlinedText(const std::string& gbkText, float x, float y,
                                  std::int32_t emSize) {
    const std::int32_t left = truncateToInt(x), top = truncateToInt(y);
    if (recorder_.Recording()) {
        DrawnCall call;
        call.kind = DrawnCall::Kind::text;
        call.args = {x, y, static_cast<float>(emSize)};
        call.text = gbkText;
        // The same text where the last frame had it needs no measuring again.
        if (const DrawnCall* same = recorder_.SameAsLast(call)) {
            call.bounds = same->bounds;
        } else {
            const Piece* piece = cache_.Caption(gbkText, emSize);
            if (piece == nullptr) return;
            call.bounds = {left + piece->offsetX, top + piece->offsetY,
                           left + piece->offsetX + piece->width,
                           top + piece->offsetY + piece->height};
        }
        recorder_.Add(std::move(call));
        images_.push_back(nullptr);
        return;
    }
    ToWide(gbkText, wideText_);
    if (!captionPath(textPath_.get(), style_, wideText_, 0, 0, emSize)) return;
    const RectI e = captionExtent(textPath_.get());
    drawAtOnce({left + e.left, top + e.top, left + e.right, top + e.bottom},
               [&](Gdiplus::GpGraphics* g) {
                   if (g == nullptr) return int(Gdiplus::Ok);
                   captionPath(textPath_.get(), style_, wideText_, static_cast<float>(-e.left),
                               static_cast<float>(-e.top), emSize);
                   drawCaptionPath(g, style_, textPath_.get());
                   return int(Gdiplus::Ok);
               });
}

void DockCanvas::composeCall(const DrawnCall& call, Gdiplus::GpImage* image, const RectI& band) {
    const RectI to = call.bounds;
    const Piece* piece = nullptr;
    Composer::Placement at{to.left, to.top};
    switch (call.kind) {
        case DrawnCall::Kind::image:
            piece = cache_.PictureAt(call.picture, image, sourceOf(call), to.Width(), to.Height(),
                                     false);
            break;
        case DrawnCall::Kind::imagePart:
            // Drawn upside down by GDI+ itself: Wine's GDI+ does not mirror a
            // picture exactly, and the piece must be what it shows.
            piece = cache_.PictureAt(call.picture, image, sourceOf(call), to.Width(), to.Height(),
                                     call.args[3] < 0);
            at.alpha = constantAlphaOf(call.args[8]);
            break;
        case DrawnCall::Kind::imageSlice:
            piece = cache_.SliceAt(call.picture, image, sourceOf(call), to.Width(), to.Height());
            at.columnWidth = to.Width();
            break;
        case DrawnCall::Kind::text:
            piece = cache_.Caption(call.text, static_cast<std::int32_t>(call.args[2]));
            at.x = truncateToInt(call.args[0]);
            at.y = truncateToInt(call.args[1]);
            break;
    }
    if (piece != nullptr) composer_.Blend(*piece, at, band);
}

void DockCanvas::finishFrame() {
    // Where the frame differs from the last one adds to where the surface
    // differs from the frame: the rows to compose once it is shown.
    uncomposed_ = unionOf(uncomposed_, recorder_.Finish(composer_.Whole()));
    lastImages_.swap(images_);
    images_.clear();
}

void DockCanvas::composeUncomposed() {
    const RectI band = uncomposed_;
    uncomposed_ = {};
    if (!composer_.Ready() || isEmpty(band)) return;
    composer_.Erase(band);
    const std::vector<DrawnCall>& calls = recorder_.Last();
    for (std::size_t i = 0; i < calls.size(); ++i)
        if (!isEmpty(intersectionOf(calls[i].bounds, band)))
            composeCall(calls[i], lastImages_[i], band);
    unpresented_ = unionOf(unpresented_, band);
}

RectI DockCanvas::composeLatest() {
    settleFrame();
    const RectI area = unpresented_;
    unpresented_ = {};
    return area;
}

void DockCanvas::Present() {
    if (recorder_.Recording()) finishFrame();
    presenter_.Present(!isEmpty(uncomposed_) || !isEmpty(unpresented_));
}

BOOL DockCanvas::BlitTo(HDC target, std::int32_t x, std::int32_t y, std::int32_t width,
                        std::int32_t height) {
    settleFrame();
    ::GdiFlush();
    return ::BitBlt(target, x, y, width, height, composer_.Dc(), 0, 0, SRCCOPY);
}

}  // namespace dock
