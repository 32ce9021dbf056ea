#pragma once
// A button made of two pictures at one place: the normal face on top, the
// pressed face under it. A press shows the pressed face; dragging off shows
// the normal one again and dragging back the pressed one, the mouse being
// captured meanwhile; only a release over the button is a click. From the
// keyboard it is a tab stop like a push button: Enter or Space shows the
// pressed face and releasing the key clicks; a focused button carries a
// focus rectangle, and screen readers learn its caption as a push button.
// Like a push button it takes BM_CLICK and tells BM_GETSTATE.
#include "Window.h"
#include "win/Scoped.h"

#include <functional>
#include <string>

namespace ui {

class TImageButton : public TWindow {
public:
    TImageButton(HWND parent, int id, POINT at, const wchar_t* pictureText, COLORREF background,
                 std::function<void()> onClick);

    // Shows the normal face and clears the pressed flag.
    void ResetImage();

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void MouseDown();
    void MouseMove(POINT at);
    void MouseUp(POINT at, bool leftButton);
    void Click();
    void KeyDown(WPARAM key, LPARAM flags);
    void KeyUp(WPARAM key);
    void FocusChanged(bool focused);
    LRESULT DialogCode(const MSG* message) const;
    LRESULT AccessibleObject(WPARAM flags, LPARAM objectId);
    void ShowPressedFace(bool show);
    void Paint();
    void DrawFaces();
    bool Inside(POINT at) const;

    std::wstring pictureText_;
    COLORREF background_;
    int facesDpi_ = 0;
    win::ScopedBitmap normal_;
    win::ScopedBitmap down_;
    bool pressed_ = false;
    bool showingDown_ = false;
    bool leftDown_ = false;
    bool keyDown_ = false;
    std::function<void()> onClick_;
};

} // namespace ui
