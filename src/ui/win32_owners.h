// Move-only owners of the Win32 resources that the window uses, each
// releasing its resource once, with get() and no implicit conversion.
#pragma once

#include <windows.h>

#include <utility>

namespace adsl {

// A handle released with `Release` (DeleteObject, DestroyIcon, ...).
template <typename Handle, auto Release>
class OwnedHandle {
public:
    OwnedHandle() noexcept = default;
    explicit OwnedHandle(Handle handle) noexcept : handle_(handle) {}
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept
    {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    ~OwnedHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    void reset() noexcept
    {
        if (handle_ != nullptr) {
            Release(handle_);
            handle_ = nullptr;
        }
    }

private:
    Handle handle_ = nullptr;
};

inline void delete_brush(HBRUSH brush) noexcept { DeleteObject(brush); }
inline void destroy_icon(HICON icon) noexcept { DestroyIcon(icon); }

using Brush = OwnedHandle<HBRUSH, &delete_brush>;
using Icon = OwnedHandle<HICON, &destroy_icon>;

// A device context of a window from GetDC or GetWindowDC, given back with
// ReleaseDC.
class WindowDeviceContext {
public:
    enum class Area { client, whole_window };
    explicit WindowDeviceContext(HWND window, Area area = Area::client) noexcept
        : window_(window), dc_(area == Area::client ? GetDC(window) : GetWindowDC(window))
    {
    }
    WindowDeviceContext(WindowDeviceContext&& other) noexcept
        : window_(other.window_), dc_(std::exchange(other.dc_, nullptr))
    {
    }
    WindowDeviceContext& operator=(WindowDeviceContext&&) = delete;
    WindowDeviceContext(const WindowDeviceContext&) = delete;
    WindowDeviceContext& operator=(const WindowDeviceContext&) = delete;
    ~WindowDeviceContext()
    {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// One WM_PAINT's BeginPaint and EndPaint.
class PaintSession {
public:
    explicit PaintSession(HWND window) noexcept : window_(window) { BeginPaint(window_, &paint_); }
    PaintSession(const PaintSession&) = delete;
    PaintSession& operator=(const PaintSession&) = delete;
    ~PaintSession() { EndPaint(window_, &paint_); }
    HDC get() const noexcept { return paint_.hdc; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

// An object selected into a device context, the old one put back at the end.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject()
    {
        if (old_ != nullptr) {
            SelectObject(dc_, old_);
        }
    }
    HGDIOBJ get() const noexcept { return old_; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace adsl
