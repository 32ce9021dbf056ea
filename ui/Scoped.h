#pragma once
// Owners for the handles and GDI objects the windows create, so that no path
// can forget a release.
#include <windows.h>

namespace ui {

template <typename Handle, BOOL(WINAPI* Release)(Handle)>
class ScopedHandle {
public:
    explicit ScopedHandle(Handle h = nullptr) : h_(h) {}
    ~ScopedHandle() { reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& o) noexcept : h_(o.h_) { o.h_ = nullptr; }
    ScopedHandle& operator=(ScopedHandle&& o) noexcept {
        if (this != &o) {
            reset(o.h_);
            o.h_ = nullptr;
        }
        return *this;
    }
    void reset(Handle h = nullptr) {
        if (h_) {
            Release(h_);
        }
        h_ = h;
    }
    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    Handle h_;
};

inline BOOL WINAPI DeleteFontObject(HFONT h) { return DeleteObject(h); }
inline BOOL WINAPI DeleteBitmapObject(HBITMAP h) { return DeleteObject(h); }
inline BOOL WINAPI DeleteBrushObject(HBRUSH h) { return DeleteObject(h); }
inline BOOL WINAPI DeletePenObject(HPEN h) { return DeleteObject(h); }
inline BOOL WINAPI DestroyIconHandle(HICON h) { return DestroyIcon(h); }

using ScopedFont = ScopedHandle<HFONT, DeleteFontObject>;
using ScopedBitmap = ScopedHandle<HBITMAP, DeleteBitmapObject>;
using ScopedBrush = ScopedHandle<HBRUSH, DeleteBrushObject>;
using ScopedPen = ScopedHandle<HPEN, DeletePenObject>;
using ScopedIcon = ScopedHandle<HICON, DestroyIconHandle>;
using ScopedMemoryDC = ScopedHandle<HDC, DeleteDC>;

// Selects an object into a device context for the scope.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~ScopedSelect() { SelectObject(dc_, old_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// GetDC / ReleaseDC.
class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~ScopedWindowDC() { ReleaseDC(hwnd_, dc_); }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class ScopedPaint {
public:
    explicit ScopedPaint(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
    ~ScopedPaint() { EndPaint(hwnd_, &ps_); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_;
    HDC dc_;
};

} // namespace ui
