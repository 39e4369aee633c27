#pragma once
// Move-only owners for Win32 handles and COM pointers, one line per kind.
#include <windows.h>
#include <objbase.h>

#include <utility>

namespace dock {

// Owns a handle and closes it with Traits::close; Traits::invalid() is the
// value that means "none".
template <typename Traits>
class UniqueHandle {
    using T = typename Traits::type;

  public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    T get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::invalid(); }
    T release() { return std::exchange(handle_, Traits::invalid()); }
    void reset(T handle = Traits::invalid()) {
        T old = std::exchange(handle_, handle);
        if (old != Traits::invalid()) Traits::close(old);
    }

  private:
    T handle_ = Traits::invalid();
};

namespace detail {
template <typename T, auto Close>
struct NullIsNone {
    using type = T;
    static T invalid() { return nullptr; }
    static void close(T h) { Close(h); }
};
struct FileTraits {
    using type = HANDLE;
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { ::CloseHandle(h); }
};
inline void closeHandle(HANDLE h) {
    ::CloseHandle(h);
}
inline void freeLibrary(HMODULE h) {
    ::FreeLibrary(h);
}
inline void globalFree(HGLOBAL h) {
    ::GlobalFree(h);
}
inline void deleteDc(HDC h) {
    ::DeleteDC(h);
}
inline void deleteGdiObject(HGDIOBJ h) {
    ::DeleteObject(h);
}
inline void destroyMenu(HMENU h) {
    ::DestroyMenu(h);
}
inline void localFree(HLOCAL h) {
    ::LocalFree(h);
}
inline void unhookWinEvent(HWINEVENTHOOK h) {
    ::UnhookWinEvent(h);
}
inline void regCloseKey(HKEY h) {
    ::RegCloseKey(h);
}
}  // namespace detail

using UniqueFile = UniqueHandle<detail::FileTraits>;
using UniqueKernelHandle = UniqueHandle<detail::NullIsNone<HANDLE, detail::closeHandle>>;
using UniqueModule = UniqueHandle<detail::NullIsNone<HMODULE, detail::freeLibrary>>;
using UniqueGlobal = UniqueHandle<detail::NullIsNone<HGLOBAL, detail::globalFree>>;
using UniqueDc = UniqueHandle<detail::NullIsNone<HDC, detail::deleteDc>>;
using UniqueBitmap = UniqueHandle<detail::NullIsNone<HBITMAP, detail::deleteGdiObject>>;
using UniqueBrush = UniqueHandle<detail::NullIsNone<HBRUSH, detail::deleteGdiObject>>;
using UniqueMenu = UniqueHandle<detail::NullIsNone<HMENU, detail::destroyMenu>>;
using UniqueLocal = UniqueHandle<detail::NullIsNone<HLOCAL, detail::localFree>>;
using UniqueWinEventHook = UniqueHandle<detail::NullIsNone<HWINEVENTHOOK, detail::unhookWinEvent>>;
using UniqueRegistryKey = UniqueHandle<detail::NullIsNone<HKEY, detail::regCloseKey>>;

// GetDC/ReleaseDC as a pair.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// GlobalLock/GlobalUnlock as a pair.
class GlobalLockGuard {
  public:
    explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(::GlobalLock(memory)) {}
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    ~GlobalLockGuard() {
        if (data_ != nullptr) ::GlobalUnlock(memory_);
    }
    void* data() const { return data_; }

  private:
    HGLOBAL memory_;
    void* data_;
};

// COM initialisation for a scope; uninitialises only when it succeeded
// (S_FALSE included, RPC_E_CHANGED_MODE not).
class ComScope {
  public:
    ComScope() : result_(::CoInitialize(nullptr)) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }
    HRESULT result() const { return result_; }

  private:
    HRESULT result_;
};

// Owns one reference of a COM interface.
template <typename I>
class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { reset(); }

    I* get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters: releases what is held and hands out the slot.
    I** put() {
        reset();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    void reset() {
        if (p_ != nullptr) std::exchange(p_, nullptr)->Release();
    }

  private:
    I* p_ = nullptr;
};

}  // namespace dock
