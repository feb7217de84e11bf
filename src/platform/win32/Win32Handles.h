#pragma once

#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace tvm {

// Owners of GDI and USER handles: each frees its handle when it goes, so a handle made
// by the Win32 layer has exactly one place that frees it. Move-only; get() lends the
// handle, release() gives it away (to a window that takes ownership), reset() frees the
// current one and takes another.
template <class Handle, class Free> class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }

    [[nodiscard]] Handle release() noexcept { return std::exchange(handle_, nullptr); }

    void reset(Handle handle = nullptr) noexcept {
        if (const Handle old = std::exchange(handle_, handle); old != nullptr) {
            Free{}(old);
        }
    }

private:
    Handle handle_ = nullptr;
};

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
struct DestroyIconHandle {
    void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};
struct DestroyImageList {
    void operator()(HIMAGELIST list) const noexcept { ImageList_Destroy(list); }
};
struct DeleteMemoryDc {
    void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};

// A font, bitmap, brush or pen; it must not be selected into a DC when it goes.
template <class Object> using GdiObject = UniqueHandle<Object, DeleteGdiObject>;
// An icon of our own (LoadImage without LR_SHARED, CreateIcon, LoadIconWithScaleDown);
// never one LoadIcon or LR_SHARED hands out, which the system keeps.
using OwnedIcon = UniqueHandle<HICON, DestroyIconHandle>;
using OwnedImageList = UniqueHandle<HIMAGELIST, DestroyImageList>;
// A DC of CreateCompatibleDC.
using MemoryDc = UniqueHandle<HDC, DeleteMemoryDc>;
// A DC of CreateDCW (one display's own); DeleteDC frees it as it does a memory DC.
using DeviceDc = UniqueHandle<HDC, DeleteMemoryDc>;

// The DC of a window (of the screen for null), from GetDC to ReleaseDC.
class WindowDc {
public:
    WindowDc() noexcept = default;
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() { reset(); }

    WindowDc(WindowDc&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDc& operator=(WindowDc&& other) noexcept {
        if (this != &other) {
            reset();
            window_ = std::exchange(other.window_, nullptr);
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

    void reset() noexcept {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
        window_ = nullptr;
        dc_ = nullptr;
    }

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// Selects an object into a DC for a scope and puts back what was selected before, so
// the object is free to be deleted afterwards and the DC is as it was found.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            SelectObject(dc_, previous_);
        }
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Raises the thread's last error as a std::system_error naming the call that failed: how
// the Win32 layer reports a window, class or DC it could not make.
[[noreturn]] void ThrowLastError(const char* what);

} // namespace tvm
