#include "InstallKit.h"

#include "core/Bevel.h"
#include "win/Scoped.h"

namespace {

// The caption buffer holds 50 bytes with the terminator.
constexpr int kCaptionBytes = 50;
constexpr int kBevelInset = 2;
constexpr int kBevelLastRing = 1;
// Inside the bevel, which a press repaints, so a press leaves it standing.
constexpr int kFocusInset = 5;

// The dotted rectangle inverts what lies under it, so drawing it again takes
// it away; the colours are set so that its dots show on the dark face.
void DrawFocusRectangle(HDC dc, RECT area, bool draw) {
    if (draw) {
        InflateRect(&area, -kFocusInset, -kFocusInset);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, RGB(0, 0, 0));
        DrawFocusRect(dc, &area);
    }
}

} // namespace

void DrawBevel(HDC dc, int left, int top, HBRUSH light, HBRUSH dark, int lastRing, int bottom, int right) {
    win::ScopedSelect pen(dc, GetStockObject(NULL_PEN));
    for (const core::BevelBand& band : core::BevelBands(left, top, lastRing, bottom, right)) {
        win::ScopedSelect brush(dc, band.dark ? dark : light);
        Rectangle(dc, band.left, band.top, band.right, band.bottom);
    }
}

void PaintOwnerButton(const DRAWITEMSTRUCT& item) {
    core::ButtonPaint plan = core::PlanButtonPaint(item.itemAction, item.itemState);
    HDC dc = item.hDC;
    if (!plan.paint) {
        DrawFocusRectangle(dc, item.rcItem, plan.focusRect);
        return;
    }
    const RECT& area = item.rcItem;
    win::ScopedSelect brush(dc, FaceBrush);
    win::ScopedSelect pen(dc, GetStockObject(BLACK_PEN));
    if (plan.face) {
        Rectangle(dc, 0, 0, area.right, area.bottom);
    }
    DrawBevel(dc, kBevelInset, kBevelInset, plan.pressed ? ShadowBrush : HighlightBrush, ShadowBrush, kBevelLastRing,
              area.bottom - 1, area.right - 1);
    win::ScopedSelect font(dc, GetStockObject(ANSI_VAR_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    char caption[kCaptionBytes + 1] = {};
    SendMessageA(item.hwndItem, WM_GETTEXT, kCaptionBytes, reinterpret_cast<LPARAM>(caption));
    if (plan.caption) {
        RECT textArea = area;
        DrawTextA(dc, caption, -1, &textArea, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    DrawFocusRectangle(dc, area, plan.focusRect);
}
