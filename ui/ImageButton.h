#pragma once
// A button made of two pictures at one place: the normal face on top, the
// pressed face under it. A press shows the pressed face; dragging off shows
// the normal one again and dragging back the pressed one, the mouse being
// captured meanwhile; only a release over the button is a click.
#include "Scoped.h"
#include "Window.h"

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
    void ShowPressedFace(bool show);
    void Paint();
    void DrawFaces();
    bool Inside(POINT at) const;

    std::wstring pictureText_;
    COLORREF background_;
    int facesDpi_ = 0;
    ScopedBitmap normal_;
    ScopedBitmap down_;
    bool pressed_ = false;
    bool showingDown_ = false;
    bool leftDown_ = false;
    std::function<void()> onClick_;
};

} // namespace ui
