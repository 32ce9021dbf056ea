#include "AboutBox.h"

#include "Application.h"
#include "win/ScreenDpi.h"
#include "Texts.h"
#include "resource.h"

namespace ui {
namespace {

const wchar_t kAboutBoxClass[] = L"TAboutBox";
constexpr int kClientWidth = 300;
constexpr int kClientHeight = 206;

} // namespace

class TAboutBox::RaisedPanel : public TPanel {
public:
    RaisedPanel(HWND parent, RECT rect) : TPanel(parent, IDC_ABOUT_PANEL, rect) {}

protected:
    void Paint(HDC dc, const RECT& client) override {
        TPanel::Paint(dc, client);
        RECT edge = client;
        DrawEdge(dc, &edge, BDR_RAISEDOUTER | BDR_SUNKENINNER, BF_RECT);
    }
};

TAboutBox::TAboutBox(HWND owner, HICON programIcon) : owner_(owner), programIcon_(programIcon) {
    RegisterWindowClass(kAboutBoxClass, GetSysColorBrush(COLOR_BTNFACE));
    RECT frame = {0, 0, win::Px(kClientWidth), win::Px(kClientHeight)};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    CreateHandle(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kAboutBoxClass, texts::AboutCaption, style,
                 (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width,
                 height, owner, 0);
    CreateControls();
}

void TAboutBox::CreateControls() {
    panel_ = std::make_unique<RaisedPanel>(Handle(), Rect(8, 8, kClientWidth - 16, 150));
    HWND icon = panel_->AddControl(L"STATIC", L"", SS_ICON, Rect(14, 14, 32, 32), IDC_ABOUT_ICON);
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(programIcon_), 0);
    HWND product = panel_->AddControl(L"STATIC", texts::AboutProduct, 0, Rect(60, 16, 210, 16), IDC_ABOUT_PRODUCT);
    SendMessageW(product, WM_SETFONT, reinterpret_cast<WPARAM>(BoldFont()), FALSE);
    panel_->AddControl(L"STATIC", texts::AboutVersion, 0, Rect(60, 36, 210, 14), IDC_ABOUT_VERSION);
    panel_->AddControl(L"STATIC", texts::AboutLine1, 0, Rect(14, 66, 256, 14), IDC_ABOUT_LINE1);
    panel_->AddControl(L"STATIC", texts::AboutLine2, 0, Rect(14, 82, 256, 14), IDC_ABOUT_LINE2);
    panel_->AddControl(L"STATIC", texts::AboutPublished, 0, Rect(14, 120, 256, 14), IDC_ABOUT_PUBLISHED);
    CreateControl(Handle(), L"BUTTON", texts::Ok, WS_TABSTOP | BS_DEFPUSHBUTTON,
                  Rect((kClientWidth - 80) / 2, 168, 80, 27), IDC_ABOUT_OK);
}

void TAboutBox::ShowModal() {
    RunModal(Handle(), owner_, GetDlgItem(Handle(), IDC_ABOUT_OK), [this] { return closed_; });
    ShowWindow(Handle(), SW_HIDE);
}

LRESULT TAboutBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_ABOUT_OK || LOWORD(wParam) == IDCANCEL) {
            closed_ = true;
        }
        return 0;
    case WM_CLOSE:
        closed_ = true;
        return 0;
    default:
        return Default(message, wParam, lParam);
    }
}

} // namespace ui
