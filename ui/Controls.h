#pragma once
// Building blocks shared by the converter's windows: the form fonts, child
// controls created with them, anchors that make controls follow their
// parent's size, and container panels.
#include "Window.h"
#include "win/Scoped.h"

#include <windows.h>

#include <string>
#include <vector>

namespace ui {

// MS Sans Serif 8 point, its bold face, and the column titles' Arial Black.
HFONT FormFont();
HFONT BoldFont();
HFONT TitleFont();

enum Anchor : unsigned { kLeft = 1, kTop = 2, kRight = 4, kBottom = 8, kTopLeft = kLeft | kTop, kAll = 15 };

// Keeps each child's distance to the parent's edges it is anchored to, as
// measured against the size the layout was designed for.
class AnchorLayout {
public:
    explicit AnchorLayout(SIZE design = {0, 0}) : design_(design) {}
    void SetDesignSize(SIZE design) { design_ = design; }
    SIZE DesignSize() const { return design_; }
    void Add(HWND child, RECT designRect, unsigned anchors);
    void Apply(SIZE client) const;

private:
    struct Entry {
        HWND child;
        RECT rect;
        unsigned anchors;
    };
    SIZE design_;
    std::vector<Entry> entries_;
};

// A child window with its own background that hands the notifications of its
// controls (commands, notifications, owner drawing, colours) to the top-level
// window, so that one form handles every control on it.
class TPanel : public TWindow {
public:
    // The layout measures its anchored children against the rect's own size.
    TPanel(HWND parent, int id, RECT rect, COLORREF background = GetSysColor(COLOR_BTNFACE));
    ~TPanel() override;

    AnchorLayout& Layout() { return layout_; }
    // Creates a control on the panel with the form font and anchors it.
    HWND AddControl(const wchar_t* className, const wchar_t* text, DWORD style, RECT rect, int id,
                    unsigned anchors = kTopLeft, DWORD exStyle = 0);
    COLORREF Background() const { return background_; }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void Paint(HDC dc, const RECT& client);

private:
    COLORREF background_;
    win::ScopedBrush brush_;
    AnchorLayout layout_;
};

// A panel with a raised-in-lowered bevel and a bold caption, across the top of a page.
class THeaderStrip : public TPanel {
public:
    THeaderStrip(HWND parent, int id, RECT rect, const wchar_t* caption);

protected:
    void Paint(HDC dc, const RECT& client) override;
};

// The left column of a page: the photograph with a boxed maroon title over it.
class TPictureColumn : public TPanel {
public:
    TPictureColumn(HWND parent, int id, RECT rect, const wchar_t* title);

protected:
    void Paint(HDC dc, const RECT& client) override;
};

// Rects of the layout are in pixels of a 96-DPI screen (see win/ScreenDpi.h).
RECT Rect(int left, int top, int width, int height);
// Creates a visible child control with the form font, at the screen's scale.
HWND CreateControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, RECT rect, int id,
                   DWORD exStyle = 0);
std::wstring WindowText(HWND hwnd);
// The text of one entry of a list box.
std::wstring ListBoxText(HWND list, int index);

// Draws a push button (BS_OWNERDRAW) with a glyph left of its caption.
void DrawGlyphButton(const DRAWITEMSTRUCT& item, HICON glyph);

} // namespace ui
