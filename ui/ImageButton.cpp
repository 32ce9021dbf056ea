#include "ImageButton.h"

#include "Dpi.h"
#include "Pictures.h"

#include <windowsx.h>

namespace ui {
namespace {

const wchar_t kImageButtonClass[] = L"SonarisImageButton";

} // namespace

TImageButton::TImageButton(HWND parent, int id, POINT at, const wchar_t* pictureText, COLORREF background,
                           std::function<void()> onClick)
    : pictureText_(pictureText), background_(background), onClick_(std::move(onClick)) {
    RegisterWindowClass(kImageButtonClass, nullptr);
    DrawFaces();
    CreateHandle(0, kImageButtonClass, pictureText, WS_CHILD | WS_VISIBLE, Px(at.x), Px(at.y),
                 Px(pictures::kImageButtonWidth), Px(pictures::kImageButtonHeight), parent, id);
}

// The faces are drawn for the screen's density, again when it changes.
void TImageButton::DrawFaces() {
    if (facesDpi_ == ScreenDpi()) {
        return;
    }
    facesDpi_ = ScreenDpi();
    normal_.reset(pictures::ImageButtonFace(pictureText_.c_str(), false, background_));
    down_.reset(pictures::ImageButtonFace(pictureText_.c_str(), true, background_));
}

void TImageButton::ResetImage() {
    ShowPressedFace(false);
    pressed_ = false;
}

void TImageButton::ShowPressedFace(bool show) {
    if (show != showingDown_) {
        showingDown_ = show;
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

bool TImageButton::Inside(POINT at) const {
    return at.x >= 0 && at.x <= Px(pictures::kImageButtonWidth) - 1 && at.y >= 0 &&
           at.y <= Px(pictures::kImageButtonHeight) - 1;
}

void TImageButton::MouseDown() {
    ShowPressedFace(true);
    pressed_ = true;
    SetCapture(Handle());
}

void TImageButton::MouseMove(POINT at) {
    if (pressed_) {
        ShowPressedFace(Inside(at));
    }
}

// The click comes before the mouse-up reset and may open a modal window, so it
// resets the picture itself first.
void TImageButton::MouseUp(POINT at, bool leftButton) {
    const bool click = leftButton && leftDown_ && pressed_ && Inside(at);
    leftDown_ = false;
    if (GetCapture() == Handle()) {
        ReleaseCapture();
    }
    if (click) {
        Click();
    }
    ResetImage();
}

void TImageButton::Click() {
    ResetImage();
    if (onClick_) {
        onClick_();
    }
}

void TImageButton::Paint() {
    DrawFaces();
    ScopedPaint paint(Handle());
    ScopedMemoryDC source(CreateCompatibleDC(paint.get()));
    ScopedSelect select(source.get(), showingDown_ ? down_.get() : normal_.get());
    BitBlt(paint.get(), 0, 0, Px(pictures::kImageButtonWidth), Px(pictures::kImageButtonHeight), source.get(), 0,
           0, SRCCOPY);
}

LRESULT TImageButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        leftDown_ = true;
        MouseDown();
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        MouseDown();
        return 0;
    case WM_MOUSEMOVE:
        MouseMove(at);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        MouseUp(at, message == WM_LBUTTONUP);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != Handle() && pressed_) {
            leftDown_ = false;
            ResetImage();
        }
        return 0;
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    default:
        return Default(message, wParam, lParam);
    }
}

} // namespace ui
