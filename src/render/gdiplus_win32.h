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

// The flat API's own release functions serve as the deleters.
using UniqueGpImage = UniqueHandle<detail::NullIsNone<Gdiplus::GpImage*, gdip::GdipDisposeImage>>;
using UniqueGpGraphics =
    UniqueHandle<detail::NullIsNone<Gdiplus::GpGraphics*, gdip::GdipDeleteGraphics>>;
using UniqueGpPen = UniqueHandle<detail::NullIsNone<Gdiplus::GpPen*, gdip::GdipDeletePen>>;
using UniqueGpSolidFill =
    UniqueHandle<detail::NullIsNone<Gdiplus::GpSolidFill*, gdip::GdipDeleteBrush>>;
using UniqueGpTexture =
    UniqueHandle<detail::NullIsNone<Gdiplus::GpTexture*, gdip::GdipDeleteBrush>>;
using UniqueGpFontFamily =
    UniqueHandle<detail::NullIsNone<Gdiplus::GpFontFamily*, gdip::GdipDeleteFontFamily>>;
using UniqueGpImageAttributes =
    UniqueHandle<detail::NullIsNone<Gdiplus::GpImageAttributes*, gdip::GdipDisposeImageAttributes>>;
using UniqueGpPath = UniqueHandle<detail::NullIsNone<Gdiplus::GpPath*, gdip::GdipDeletePath>>;
using UniqueGpStringFormat =
    UniqueHandle<detail::NullIsNone<Gdiplus::GpStringFormat*, gdip::GdipDeleteStringFormat>>;

}  // namespace dock
