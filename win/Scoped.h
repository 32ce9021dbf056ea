#pragma once
// Owners for every handle, GDI object and system allocation the programs hold,
// so that no path can forget a release.
#include <windows.h>

#include <commctrl.h>

namespace win {

// Owns one handle that Close releases; a null handle is none.
template <typename Handle, typename Close>
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
            Close{}(h_);
        }
        h_ = h;
    }
    // For the calls that hand a new handle out through a pointer.
    Handle* Receive() {
        reset();
        return &h_;
    }
    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    Handle h_;
};

struct DeleteGdiObject {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct DestroyIconHandle {
    void operator()(HICON h) const { DestroyIcon(h); }
};
struct DeleteMemoryDC {
    void operator()(HDC h) const { DeleteDC(h); }
};
struct DestroyImageList {
    void operator()(HIMAGELIST h) const { ImageList_Destroy(h); }
};
struct CloseRegistryKey {
    void operator()(HKEY h) const { RegCloseKey(h); }
};
struct FreeGlobalMemory {
    void operator()(HGLOBAL h) const { GlobalFree(h); }
};
struct FreeModule {
    void operator()(HMODULE h) const { FreeLibrary(h); }
};

using ScopedFont = ScopedHandle<HFONT, DeleteGdiObject>;
using ScopedBitmap = ScopedHandle<HBITMAP, DeleteGdiObject>;
using ScopedBrush = ScopedHandle<HBRUSH, DeleteGdiObject>;
using ScopedPen = ScopedHandle<HPEN, DeleteGdiObject>;
using ScopedRegion = ScopedHandle<HRGN, DeleteGdiObject>;
using ScopedIcon = ScopedHandle<HICON, DestroyIconHandle>;
using ScopedMemoryDC = ScopedHandle<HDC, DeleteMemoryDC>;
using ScopedImageList = ScopedHandle<HIMAGELIST, DestroyImageList>;
using ScopedRegKey = ScopedHandle<HKEY, CloseRegistryKey>;
using ScopedGlobal = ScopedHandle<HGLOBAL, FreeGlobalMemory>;
using ScopedModule = ScopedHandle<HMODULE, FreeModule>;

// Memory the system allocated for the caller (FormatMessage,
// CommandLineToArgvW), released with LocalFree.
template <typename Pointer>
class ScopedLocal {
public:
    explicit ScopedLocal(Pointer p = nullptr) : p_(p) {}
    ~ScopedLocal() { LocalFree(reinterpret_cast<HLOCAL>(p_)); }
    ScopedLocal(const ScopedLocal&) = delete;
    ScopedLocal& operator=(const ScopedLocal&) = delete;
    Pointer* Receive() { return &p_; }
    Pointer get() const { return p_; }

private:
    Pointer p_;
};

// A kernel handle (a file, a process); INVALID_HANDLE_VALUE and null are none.
class ScopedFile {
public:
    explicit ScopedFile(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle ? handle : INVALID_HANDLE_VALUE) {}
    ~ScopedFile() { Close(); }
    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;
    ScopedFile(ScopedFile&& o) noexcept : handle_(o.handle_) { o.handle_ = INVALID_HANDLE_VALUE; }
    ScopedFile& operator=(ScopedFile&& o) noexcept {
        if (this != &o) {
            Close();
            handle_ = o.handle_;
            o.handle_ = INVALID_HANDLE_VALUE;
        }
        return *this;
    }

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    explicit operator bool() const { return IsOpen(); }
    HANDLE get() const { return handle_; }
    // False when closing reported an error; the handle is gone either way.
    bool Close() {
        if (!IsOpen()) {
            return true;
        }
        const bool ok = CloseHandle(handle_) != FALSE;
        handle_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE handle_;
};

// Selects an object into a device context for the scope.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() { SelectObject(dc_, previous_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// GetDC / ReleaseDC; a null window is the screen.
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

} // namespace win
