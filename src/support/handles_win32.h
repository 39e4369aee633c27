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
    // For out-parameters: closes what is held and hands out the slot.
    T* put() {
        reset();
        return &handle_;
    }
    T release() { return std::exchange(handle_, Traits::invalid()); }
    void reset(T handle = Traits::invalid()) {
        T old = std::exchange(handle_, handle);
        if (old != Traits::invalid()) Traits::close(old);
    }

  private:
    T handle_ = Traits::invalid();
};

namespace detail {
// Close is the API's own release function; its result is of no use here.
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
}  // namespace detail

using UniqueFile = UniqueHandle<detail::FileTraits>;
using UniqueKernelHandle = UniqueHandle<detail::NullIsNone<HANDLE, ::CloseHandle>>;
using UniqueModule = UniqueHandle<detail::NullIsNone<HMODULE, ::FreeLibrary>>;
using UniqueGlobal = UniqueHandle<detail::NullIsNone<HGLOBAL, ::GlobalFree>>;
using UniqueDc = UniqueHandle<detail::NullIsNone<HDC, ::DeleteDC>>;
using UniqueBitmap = UniqueHandle<detail::NullIsNone<HBITMAP, ::DeleteObject>>;
using UniqueBrush = UniqueHandle<detail::NullIsNone<HBRUSH, ::DeleteObject>>;
using UniqueMenu = UniqueHandle<detail::NullIsNone<HMENU, ::DestroyMenu>>;
using UniqueLocal = UniqueHandle<detail::NullIsNone<HLOCAL, ::LocalFree>>;
using UniqueWinEventHook = UniqueHandle<detail::NullIsNone<HWINEVENTHOOK, ::UnhookWinEvent>>;
using UniqueRegistryKey = UniqueHandle<detail::NullIsNone<HKEY, ::RegCloseKey>>;

namespace detail {
inline void releaseDc(HWND window, HDC dc) {
    ::ReleaseDC(window, dc);
}
inline void restoreSelection(HDC dc, HGDIOBJ old) {
    ::SelectObject(dc, old);
}
inline void unlockGlobal(HGLOBAL memory, void*) {
    ::GlobalUnlock(memory);
}
}  // namespace detail

// The second half of a paired call, made when the scope ends: Undo gets the
// object the first half was called on and what it returned. Nothing is
// undone when the first half failed (returned null).
template <typename Target, typename Result, auto Undo>
class PairedCall {
  public:
    PairedCall(Target target, Result result) : target_(target), result_(result) {}
    PairedCall(const PairedCall&) = delete;
    PairedCall& operator=(const PairedCall&) = delete;
    ~PairedCall() {
        if (result_ != nullptr) Undo(target_, result_);
    }
    Result get() const { return result_; }

  private:
    Target target_;
    Result result_;
};

// GetDC/ReleaseDC.
struct WindowDc : PairedCall<HWND, HDC, detail::releaseDc> {
    explicit WindowDc(HWND window) : PairedCall(window, ::GetDC(window)) {}
};
// SelectObject, with the object it replaced put back.
struct SelectionGuard : PairedCall<HDC, HGDIOBJ, detail::restoreSelection> {
    SelectionGuard(HDC dc, HGDIOBJ object) : PairedCall(dc, ::SelectObject(dc, object)) {}
};
// GlobalLock/GlobalUnlock; get() is the locked memory.
struct GlobalLockGuard : PairedCall<HGLOBAL, void*, detail::unlockGlobal> {
    explicit GlobalLockGuard(HGLOBAL memory) : PairedCall(memory, ::GlobalLock(memory)) {}
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
