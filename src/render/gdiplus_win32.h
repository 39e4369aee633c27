#pragma once
// The GDI+ flat API with move-only owners for its objects, and the per-object
// graphics session every picture and canvas starts for itself.
#include <windows.h>
#include <objidl.h>

#include <gdiplus.h>

#include "support/handles_win32.h"

namespace dock {

namespace gdip = Gdiplus::DllExports;

// GdiplusStartup on construction, GdiplusShutdown with the same token on
// destruction. The status is not checked: a failed start makes every later
// GDI+ call fail, which draws nothing.
class GdiplusSession {
  public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;  // version 1, no callback, thread and codecs on
        Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    ~GdiplusSession() {
        if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
    }
    ULONG_PTR token() const { return token_; }

  private:
    ULONG_PTR token_ = 0;
};

namespace detail {
inline void disposeImage(Gdiplus::GpImage* p) {
    gdip::GdipDisposeImage(p);
}
inline void deleteGraphics(Gdiplus::GpGraphics* p) {
    gdip::GdipDeleteGraphics(p);
}
inline void deletePen(Gdiplus::GpPen* p) {
    gdip::GdipDeletePen(p);
}
inline void deleteGpBrush(Gdiplus::GpSolidFill* p) {
    gdip::GdipDeleteBrush(p);
}
inline void deleteFontFamily(Gdiplus::GpFontFamily* p) {
    gdip::GdipDeleteFontFamily(p);
}
inline void disposeImageAttributes(Gdiplus::GpImageAttributes* p) {
    gdip::GdipDisposeImageAttributes(p);
}
inline void deletePath(Gdiplus::GpPath* p) {
    gdip::GdipDeletePath(p);
}
inline void deleteStringFormat(Gdiplus::GpStringFormat* p) {
    gdip::GdipDeleteStringFormat(p);
}
}  // namespace detail

using UniqueGpImage = UniqueHandle<detail::NullIsNone<Gdiplus::GpImage*, detail::disposeImage>>;
using UniqueGpGraphics =
    UniqueHandle<detail::NullIsNone<Gdiplus::GpGraphics*, detail::deleteGraphics>>;
using UniqueGpPen = UniqueHandle<detail::NullIsNone<Gdiplus::GpPen*, detail::deletePen>>;
using UniqueGpSolidFill =
    UniqueHandle<detail::NullIsNone<Gdiplus::GpSolidFill*, detail::deleteGpBrush>>;
using UniqueGpFontFamily =
    UniqueHandle<detail::NullIsNone<Gdiplus::GpFontFamily*, detail::deleteFontFamily>>;
using UniqueGpImageAttributes =
    UniqueHandle<detail::NullIsNone<Gdiplus::GpImageAttributes*, detail::disposeImageAttributes>>;
using UniqueGpPath = UniqueHandle<detail::NullIsNone<Gdiplus::GpPath*, detail::deletePath>>;
using UniqueGpStringFormat =
    UniqueHandle<detail::NullIsNone<Gdiplus::GpStringFormat*, detail::deleteStringFormat>>;

}  // namespace dock
