#pragma once
// A thin base for the converter's windows: the window procedure finds the
// object through the pointer stored at WM_NCCREATE and hands each message to
// the object's OnMessage, which forwards it to one small named handler.
#include <windows.h>

namespace ui {

class TWindow {
public:
    TWindow() = default;
    virtual ~TWindow();
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    HWND Handle() const { return hwnd_; }

    // Registers a window class whose procedure is StaticProc (once per name).
    static void RegisterWindowClass(const wchar_t* className, HBRUSH background);

protected:
    // Creates the window; this object receives its messages from WM_NCCREATE on.
    HWND CreateHandle(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y,
                      int width, int height, HWND parent, int id);
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

} // namespace ui
