#pragma once
// A plain popup window to present to, and the pixels of a canvas as 0xAARRGGBB
// values, top row first.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "render/canvas_win32.h"

namespace dock::testing {

class TestWindow {
  public:
    explicit TestWindow(DWORD exStyle = 0, int width = 50, int height = 40) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"DockRenderTestWindow";
        ::RegisterClassW(&wc);  // fails harmlessly once registered
        window_ = ::CreateWindowExW(exStyle, wc.lpszClassName, L"", WS_POPUP, 100, 80, width,
                                    height, nullptr, nullptr, wc.hInstance, nullptr);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow() {
        if (window_ != nullptr) ::DestroyWindow(window_);
    }
    HWND get() const { return window_; }
    LONG exStyle() const { return ::GetWindowLongW(window_, GWL_EXSTYLE); }

  private:
    HWND window_ = nullptr;
};

struct Pixels {
    int width = 0, height = 0;
    std::vector<std::uint32_t> argb;
    std::uint32_t at(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
    int countWhere(bool (*test)(std::uint32_t)) const {
        int n = 0;
        for (std::uint32_t p : argb) n += test(p) ? 1 : 0;
        return n;
    }
};

// Reads the surface's DIB through GetDIBits (after flushing GDI+).
inline Pixels pixelsOf(DockCanvas& canvas) {
    Pixels out;
    out.width = canvas.SurfaceWidth();
    out.height = canvas.SurfaceHeight();
    out.argb.assign(static_cast<std::size_t>(out.width) * out.height, 0xDEADBEEF);
    HDC screen = ::GetDC(nullptr);
    HDC copyDc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = out.width;
    info.bmiHeader.biHeight = -out.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP copy = ::CreateDIBSection(copyDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(copyDc, copy);
    canvas.BlitTo(copyDc, 0, 0, out.width, out.height);
    ::GdiFlush();
    // The canvas is bottom-up; BitBlt maps rows, so the copy is top-down.
    const auto* p = static_cast<const std::uint32_t*>(bits);
    out.argb.assign(p, p + out.argb.size());
    ::SelectObject(copyDc, old);
    ::DeleteObject(copy);
    ::DeleteDC(copyDc);
    return out;
}

}  // namespace dock::testing
