#include "Controls.h"

#include "win/ScreenDpi.h"
#include "Pictures.h"
#include "win/Scoped.h"

#include <commctrl.h>

#include <map>

namespace ui {
namespace {

const wchar_t kPanelClass[] = L"SonarisPanel";
const COLORREF kHeaderColor = RGB(240, 202, 166);
const COLORREF kColumnColor = RGB(192, 220, 192);
const COLORREF kTitleColor = RGB(128, 0, 0);
constexpr int kHeaderTextIndent = 10;
constexpr int kPictureMargin = 8;

HFONT MakeFont(int pixelHeight, int weight, const wchar_t* face) {
    return CreateFontW(-pixelHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

// One font per screen density the windows have been drawn at.
using FontsByDpi = std::map<int, HFONT>;

HFONT FontAtScreenDpi(FontsByDpi& made, int designHeight, int weight, const wchar_t* face) {
    HFONT& font = made[win::ScreenDpi()];
    if (!font) {
        font = MakeFont(win::Px(designHeight), weight, face);
    }
    return font;
}

} // namespace

// Fonts live as long as the process; every window uses them.
HFONT FormFont() {
    static FontsByDpi made;
    return FontAtScreenDpi(made, 11, FW_NORMAL, L"MS Sans Serif");
}

HFONT BoldFont() {
    static FontsByDpi made;
    return FontAtScreenDpi(made, 11, FW_BOLD, L"MS Sans Serif");
}

HFONT TitleFont() {
    static FontsByDpi made;
    return FontAtScreenDpi(made, 19, FW_BLACK, L"Arial Black");
}

RECT Rect(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ListBoxText(HWND list, int index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void AnchorLayout::Add(HWND child, RECT designRect, unsigned anchors) {
    entries_.push_back({child, designRect, anchors});
}

void AnchorLayout::Apply(SIZE client) const {
    const int dx = client.cx - win::Px(design_.cx), dy = client.cy - win::Px(design_.cy);
    HDWP batch = BeginDeferWindowPos(static_cast<int>(entries_.size()));
    for (const Entry& e : entries_) {
        RECT r = win::Px(e.rect);
        if (e.anchors & kRight) {
            r.right += dx;
            if (!(e.anchors & kLeft)) {
                r.left += dx;
            }
        }
        if (e.anchors & kBottom) {
            r.bottom += dy;
            if (!(e.anchors & kTop)) {
                r.top += dy;
            }
        }
        if (batch) {
            batch = DeferWindowPos(batch, e.child, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (batch) {
        EndDeferWindowPos(batch);
    }
}

HWND CreateControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, RECT designRect, int id,
                   DWORD exStyle) {
    const RECT rect = win::Px(designRect);
    HWND control = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                                   rect.right - rect.left, rect.bottom - rect.top, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FormFont()), FALSE);
    return control;
}

TPanel::TPanel(HWND parent, int id, RECT rect, COLORREF background)
    : background_(background), brush_(CreateSolidBrush(background)),
      layout_(SIZE{rect.right - rect.left, rect.bottom - rect.top}) {
    RegisterWindowClass(kPanelClass, nullptr);
    const RECT at = win::Px(rect);
    CreateHandle(WS_EX_CONTROLPARENT, kPanelClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                 at.left, at.top, at.right - at.left, at.bottom - at.top, parent, id);
}

TPanel::~TPanel() = default;

HWND TPanel::AddControl(const wchar_t* className, const wchar_t* text, DWORD style, RECT rect, int id, unsigned anchors,
                        DWORD exStyle) {
    HWND control = CreateControl(Handle(), className, text, style, rect, id, exStyle);
    layout_.Add(control, rect, anchors);
    return control;
}

void TPanel::Paint(HDC dc, const RECT& client) { FillRect(dc, &client, brush_.get()); }

LRESULT TPanel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        win::ScopedPaint paint(Handle());
        RECT client;
        GetClientRect(Handle(), &client);
        Paint(paint.get(), client);
        return 0;
    }
    case WM_SIZE:
        layout_.Apply({LOWORD(lParam), HIWORD(lParam)});
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        SetBkColor(reinterpret_cast<HDC>(wParam), background_);
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(brush_.get());
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_VKEYTOITEM:
        return SendMessageW(GetAncestor(Handle(), GA_ROOT), message, wParam, lParam);
    default:
        return Default(message, wParam, lParam);
    }
}

THeaderStrip::THeaderStrip(HWND parent, int id, RECT rect, const wchar_t* caption)
    : TPanel(parent, id, rect, kHeaderColor) {
    SetWindowTextW(Handle(), caption);
}

void THeaderStrip::Paint(HDC dc, const RECT& client) {
    TPanel::Paint(dc, client);
    RECT edge = client;
    DrawEdge(dc, &edge, BDR_RAISEDOUTER | BDR_SUNKENINNER, BF_RECT);
    win::ScopedSelect font(dc, BoldFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT text = {client.left + win::Px(kHeaderTextIndent), client.top, client.right - win::Px(kHeaderTextIndent),
                 client.bottom};
    const std::wstring caption = WindowText(Handle());
    DrawTextW(dc, caption.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

TPictureColumn::TPictureColumn(HWND parent, int id, RECT rect, const wchar_t* title)
    : TPanel(parent, id, rect, kColumnColor) {
    SetWindowTextW(Handle(), title);
}

void TPictureColumn::Paint(HDC dc, const RECT& client) {
    TPanel::Paint(dc, client);
    win::ScopedMemoryDC source(CreateCompatibleDC(dc));
    const RECT picture =
        win::Px(Rect(kPictureMargin, kPictureMargin, pictures::kColumnPictureWidth, pictures::kColumnPictureHeight));
    {
        win::ScopedSelect select(source.get(), pictures::ColumnPicture());
        BitBlt(dc, picture.left, picture.top, picture.right - picture.left, picture.bottom - picture.top, source.get(),
               0, 0, SRCCOPY);
    }
    RECT frame = picture;
    InflateRect(&frame, 1, 1);
    DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);

    const std::wstring title = WindowText(Handle());
    win::ScopedSelect font(dc, TitleFont());
    RECT box = win::Px(Rect(kPictureMargin + 10, kPictureMargin + 12, pictures::kColumnPictureWidth - 20, 0));
    DrawTextW(dc, title.c_str(), -1, &box, DT_CENTER | DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
    box.left = picture.left + win::Px(10);
    box.right = picture.right - win::Px(10);
    InflateRect(&box, 0, win::Px(5));
    win::ScopedBrush fill(CreateSolidBrush(RGB(255, 248, 230)));
    FillRect(dc, &box, fill.get());
    RECT edge = box;
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTitleColor);
    InflateRect(&box, 0, -win::Px(5));
    DrawTextW(dc, title.c_str(), -1, &box, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
}

void DrawGlyphButton(const DRAWITEMSTRUCT& item, HICON glyph) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pressed = item.itemState & ODS_SELECTED;
    const bool disabled = item.itemState & ODS_DISABLED;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const std::wstring caption = WindowText(item.hwndItem);
    win::ScopedSelect font(dc, FormFont());
    RECT measure = {0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), -1, &measure, DT_CALCRECT | DT_SINGLELINE);
    const int kGlyph = win::Px(16), kGap = win::Px(5);
    const int shift = pressed ? 1 : 0;
    const int total = kGlyph + (caption.empty() ? 0 : kGap + measure.right);
    const int x = r.left + (r.right - r.left - total) / 2 + shift;
    const int y = r.top + (r.bottom - r.top - kGlyph) / 2 + shift;
    DrawIconEx(dc, x, y, glyph, kGlyph, kGlyph, 0, nullptr, DI_NORMAL);
    RECT text = {x + kGlyph + kGap, r.top + shift, r.right, r.bottom + shift};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextW(dc, caption.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

} // namespace ui
