#include "ImageButton.h"

#include "win/ScreenDpi.h"
#include "Pictures.h"
#include "PushButtonAccessible.h"

#include <windowsx.h>

namespace ui {
namespace {

const wchar_t kImageButtonClass[] = L"SonarisImageButton";
// The focus rectangle keeps clear of the face's outer edge.
constexpr int kFocusInset = 3;
// Bit 30 of a key message: the key was down before (auto-repeat).
constexpr LPARAM kKeyWasDown = 1 << 30;

bool IsPressKey(WPARAM key) { return key == VK_SPACE || key == VK_RETURN; }

} // namespace

TImageButton::TImageButton(HWND parent, int id, POINT at, const wchar_t* pictureText, COLORREF background,
                           std::function<void()> onClick)
    : pictureText_(pictureText), background_(background), onClick_(std::move(onClick)) {
    RegisterWindowClass(kImageButtonClass, nullptr);
    DrawFaces();
    CreateHandle(0, kImageButtonClass, pictureText, WS_CHILD | WS_VISIBLE | WS_TABSTOP, win::Px(at.x), win::Px(at.y),
                 win::Px(pictures::kImageButtonWidth), win::Px(pictures::kImageButtonHeight), parent, id);
}

// The faces are drawn for the screen's density, again when it changes.
void TImageButton::DrawFaces() {
    if (facesDpi_ == win::ScreenDpi()) {
        return;
    }
    facesDpi_ = win::ScreenDpi();
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
    return at.x >= 0 && at.x <= win::Px(pictures::kImageButtonWidth) - 1 && at.y >= 0 &&
           at.y <= win::Px(pictures::kImageButtonHeight) - 1;
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

// A key press acts like a mouse press; the release of the same key clicks.
void TImageButton::KeyDown(WPARAM key, LPARAM flags) {
    if (!IsPressKey(key) || (flags & kKeyWasDown) || pressed_) {
        return;
    }
    keyDown_ = true;
    ShowPressedFace(true);
    pressed_ = true;
}

void TImageButton::KeyUp(WPARAM key) {
    if (IsPressKey(key) && keyDown_) {
        keyDown_ = false;
        Click();
    }
}

// Losing the focus while a key holds the button down drops the press.
void TImageButton::FocusChanged(bool focused) {
    if (!focused && keyDown_) {
        keyDown_ = false;
        ResetImage();
    }
    InvalidateRect(Handle(), nullptr, FALSE);
}

// Enter and Space come to the button itself; the window's keyboard handling
// keeps Tab and the rest.
LRESULT TImageButton::DialogCode(const MSG* message) const {
    LRESULT code = DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    if (message && (message->message == WM_KEYDOWN || message->message == WM_KEYUP || message->message == WM_CHAR) &&
        IsPressKey(message->wParam)) {
        code |= DLGC_WANTMESSAGE;
    }
    return code;
}

LRESULT TImageButton::AccessibleObject(WPARAM flags, LPARAM objectId) {
    if (static_cast<LONG>(objectId) != OBJID_CLIENT) {
        return Default(WM_GETOBJECT, flags, objectId);
    }
    return AnswerAsPushButton(Handle(), flags);
}

void TImageButton::Paint() {
    DrawFaces();
    win::ScopedPaint paint(Handle());
    win::ScopedMemoryDC source(CreateCompatibleDC(paint.get()));
    win::ScopedSelect select(source.get(), showingDown_ ? down_.get() : normal_.get());
    const int width = win::Px(pictures::kImageButtonWidth), height = win::Px(pictures::kImageButtonHeight);
    BitBlt(paint.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
    if (GetFocus() == Handle()) {
        RECT focus = {0, 0, width, height};
        InflateRect(&focus, -win::Px(kFocusInset), -win::Px(kFocusInset));
        DrawFocusRect(paint.get(), &focus);
    }
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
    case WM_KEYDOWN:
        KeyDown(wParam, lParam);
        return 0;
    case WM_KEYUP:
        KeyUp(wParam);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        FocusChanged(message == WM_SETFOCUS);
        return 0;
    case WM_GETDLGCODE:
        return DialogCode(reinterpret_cast<const MSG*>(lParam));
    case WM_GETOBJECT:
        return AccessibleObject(wParam, lParam);
    case BM_CLICK:
        Click();
        return 0;
    case BM_GETSTATE:
        return (showingDown_ ? BST_PUSHED : 0) | (GetFocus() == Handle() ? BST_FOCUS : 0);
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
