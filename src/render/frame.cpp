#include "render/frame.h"

#include <cstddef>
#include <string>
#include <string_view>

#include "config/timer_periods.h"
#include "render/hotkey_badges.h"
#include "render/layout.h"
#include "render/running_indicator.h"
#include "support/texts.h"

namespace dock {

namespace {

constexpr float kReflectionOpacity = 0.3f;
constexpr double kTolerance = 1e-7;
constexpr double kCaptionRaise = 4;     // at 96 DPI
constexpr double kCapSourceWidth = 30;  // the picture's own pixels
constexpr double kCapWidth = 16;        // at 96 DPI

// The picture of an item, or null when its slot holds none.
const Picture* pictureOf(const DockState& state, int imageSlot) {
    if (imageSlot < 1 || imageSlot > static_cast<int>(state.pictures.imagePool.size()))
        return nullptr;
    return state.pictures.imagePool[static_cast<std::size_t>(imageSlot - 1)].get();
}

// The three slices of the background picture across the strip: the end caps
// keep the picture's 30-pixel end columns, squeezed to 16 pixels, the middle
// stretches.
void drawStrip(DrawingSurface& canvas, const Picture* background, const LayoutMetrics& m,
               const RectF& strip) {
    if (background == nullptr) return;
    const double sourceHeight = m.backgroundHeight;
    const double left = strip.left, right = strip.right, top = strip.top;
    const double height = double(strip.bottom) - top;
    const double capWidth = scaledPixels(m, kCapWidth);
    auto f = [](double v) { return static_cast<float>(v); };
    const float bottom = f(top + height), middleLeft = f(left + capWidth),
                middleRight = f(right - capWidth);
    canvas.DrawImageSlice(*background, {f(left), f(top), middleLeft, bottom}, 0, 0,
                          f(kCapSourceWidth), f(sourceHeight));
    canvas.DrawImageSlice(*background, {middleLeft, f(top), middleRight, bottom},
                          f(kCapSourceWidth), 0, f(m.backgroundWidth - 2 * kCapSourceWidth),
                          f(sourceHeight));
    canvas.DrawImageSlice(*background, {middleRight, f(top), f(right), bottom},
                          f(m.backgroundWidth - kCapSourceWidth), 0, f(kCapSourceWidth),
                          f(sourceHeight));
}

void drawRow(const FrameContext& frame, bool withLift) {
    const DockState& state = frame.state;
    const double padding = state.metrics.cellPadding;
    for (int i = 1; i <= state.items.Count(); ++i) {
        const DockEntry& e = state.items[i];
        const RectF& r = e.currentRect;
        // A bouncing item is only drawn higher; its reflection stays on the row's line.
        const FrameOverlay& overlay = state.frame.overlay;
        const float bounce = i == overlay.raisedItem ? overlay.rise : 0.0f;
        drawItem(frame, i, static_cast<float>(r.left + padding),
                 static_cast<float>(double(r.top) + padding - bounce),
                 static_cast<float>(double(r.Width()) - 2 * padding),
                 static_cast<float>(double(r.Height()) - 2 * padding),
                 (withLift ? e.lift : 0.0f) + bounce);
    }
}

// A caption far wider than any screen costs seconds a frame to outline, and
// only its first characters could ever be seen: longer ones are cut, never
// inside a two-byte character.
constexpr std::size_t kLongestCaption = 512;

std::string_view captionOf(std::string_view text, const LeadBytes& leadBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + leadBytes.CharacterSize(text, end);
        if (next > kLongestCaption) break;
        end = next;
    }
    return text.substr(0, end);
}

void drawCaption(const FrameContext& frame, int item, int progress) {
    DockState& state = frame.state;
    const LayoutMetrics& m = state.metrics;
    const int size = static_cast<int>(m.titleSize / 100.0 * progress);
    const DockItem& record = state.items[item].item;
    std::string_view shown = record.title.empty() ? record.targetPath : record.title;
    std::string withHotkey;
    if (frame.settings.hotkeyBadges != 0 && (record.hotkey & 0xFFu) != 0) {
        withHotkey = Concat(shown, "  ", hotkeyCombination(record.hotkey, frame.keyNames));
        shown = withHotkey;
    }
    const std::string_view text = captionOf(shown, frame.leadBytes);
    if (state.frame.titleText != text)
        state.frame.titleText = text;  // copies only when the caption changes
    // Centred on the pointer, taking each byte as half an em wide.
    const double length = static_cast<double>(state.frame.titleText.size());
    const double x = state.frame.pointerX - ((size / 2.0) * length) / 2.0;
    const double y = (m.rowTop + double(state.items[item].currentRect.top)) -
                     (size - scaledPixels(m, kCaptionRaise));
    frame.canvas.DrawOutlinedText(state.frame.titleText, static_cast<float>(x),
                                  static_cast<float>(y), size);
}

}  // namespace

void renderDragFrame(const FrameContext& frame, const CarriedItem& carried, bool force) {
    DockState& state = frame.state;
    if (!advanceDragFrame(state, carried, force)) return;
    const DockItemList& items = state.items;
    const LayoutMetrics& m = state.metrics;
    const double padding = m.cellPadding;
    auto drawAtRest = [&](int i) {
        const RectF& r = items[i].currentRect;
        drawItem(frame, i, static_cast<float>(r.left + padding),
                 static_cast<float>(r.top + padding),
                 static_cast<float>(double(r.Width()) - 2 * padding),
                 static_cast<float>(double(r.Height()) - 2 * padding), 0.0f);
    };
    DrawingSurface& canvas = frame.canvas;
    canvas.BeginFrame();
    drawStrip(canvas, state.pictures.backgroundImage.get(), m,
              stripAcross(m, items[1].baseRect.left, items[items.Count()].baseRect.right));
    for (int i = 1; i <= items.Count(); ++i)
        if (i != carried.item) drawAtRest(i);
    drawRunningIndicators(canvas, state, frame.settings, carried.item);
    drawAtRest(carried.item);
    canvas.Present();
}

void renderFrame(const FrameContext& frame, bool force) {
    DockState& state = frame.state;
    const FrameResult r = advanceFrame(state, frame.settings, force);
    if (r.slowTimer) frame.window.ArmTimer(kSlowPeriodMs);
    if (r.frame == FrameKind::none) return;

    DrawingSurface& canvas = frame.canvas;
    if (r.frame == FrameKind::rest) {
        canvas.BeginFrame();
        drawBackground(frame);
        drawRow(frame, false);
        drawRunningIndicators(canvas, state, frame.settings, 0);
        canvas.Present();
        return;
    }

    // A zoom frame; the model limits its item to the list, but a frame must
    // never index outside it.
    if (!state.items.Contains(r.item)) return;
    canvas.BeginFrame();
    drawBackground(frame);
    if (state.pictures.trayImage != nullptr && !state.frame.trayWithheld) {
        const RectF& c = state.items[r.item].currentRect;
        const double padding = state.metrics.cellPadding;
        canvas.DrawImage(*state.pictures.trayImage, static_cast<float>(c.left - padding),
                         static_cast<float>(state.metrics.rowTop + double(c.top) - padding),
                         static_cast<float>(double(c.Width()) + 2 * padding),
                         static_cast<float>(double(c.Height()) + 2 * padding));
    }
    drawRow(frame, true);
    drawRunningIndicators(canvas, state, frame.settings, 0);
    drawCaption(frame, r.item, r.progress);
    canvas.Present();
}

void drawBackground(const FrameContext& frame) {
    const DockState& state = frame.state;
    if (state.items.Count() == 0) return;
    drawStrip(frame.canvas, state.pictures.backgroundImage.get(), state.metrics, stripRect(state));
}

void drawItem(const FrameContext& frame, int index, float x, float y, float width, float height,
              float lift) {
    const DockState& state = frame.state;
    if (!state.items.Contains(index)) return;
    const Picture* picture = pictureOf(state, state.items[index].imageSlot);
    if (picture == nullptr) return;
    DrawingSurface& canvas = frame.canvas;
    const double top = state.metrics.rowTop + double(y);
    canvas.DrawImage(*picture, x, static_cast<float>(top), width, height);
    if (frame.settings.hotkeyBadges != 0)
        drawHotkeyBadge(canvas, frame.keyNames, state.items[index].item, x, static_cast<float>(top),
                        width, height);
    if (frame.settings.reflection == 0) return;
    // Mirrored about the line `lift` below the picture's bottom edge, where
    // a raised item's bottom rests; a lowered item mirrors about its own.
    const double mirrorLift = lift < -kTolerance ? 0.0 : double(lift);
    canvas.DrawImagePart(*picture, x, static_cast<float>(top + (double(height) + mirrorLift) * 2),
                         width, -height, 0, 0, static_cast<float>(picture->Width()),
                         static_cast<float>(picture->Height()), kReflectionOpacity);
}

void drawEmptyDock(const FrameContext& frame, float top) {
    DockState& state = frame.state;
    state.metrics.emptyStripTop = top;
    frame.canvas.BeginFrame();
    drawStrip(frame.canvas, state.pictures.backgroundImage.get(), state.metrics, stripRect(state));
    frame.canvas.Present();
}

void recreateCanvas(const FrameContext& frame) {
    const LayoutMetrics& m = frame.state.metrics;
    frame.canvas.Create(windowWidth(m, frame.state.items.Count()), windowHeight(m),
                        std::string(texts::kCaptionFont), 0xFFFFFF, 0, 255,
                        frame.settings.highQuality != 0);
}

}  // namespace dock
