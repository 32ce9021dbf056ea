#include "TabbedPages.h"

#include "win/ScreenDpi.h"

namespace ui {
namespace {

constexpr DWORD kTabStyle = WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | TCS_HOTTRACK | TCS_FOCUSONBUTTONDOWN;

} // namespace

TTabbedPages::TTabbedPages(TPanel& parent, int id, RECT rect, unsigned anchors, HIMAGELIST images)
    : id_(id), tabs_(parent.AddControl(WC_TABCONTROLW, L"", kTabStyle, rect, id, anchors)) {
    TabCtrl_SetImageList(tabs_, images);
}

TTabbedPages::TTabbedPages(HWND parent, int id, RECT rect, HIMAGELIST images)
    : id_(id), tabs_(CreateControl(parent, WC_TABCONTROLW, L"", kTabStyle, rect, id)) {
    TabCtrl_SetImageList(tabs_, images);
}

RECT TTabbedPages::DisplayArea() const {
    RECT area;
    GetClientRect(tabs_, &area);
    TabCtrl_AdjustRect(tabs_, FALSE, &area);
    return area;
}

TPanel& TTabbedPages::AddPage(const wchar_t* caption, int image, int pageId) {
    TCITEMW item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<wchar_t*>(caption);
    item.iImage = image;
    TabCtrl_InsertItem(tabs_, static_cast<int>(pages_.size()), &item);
    const RECT area = DisplayArea();
    pages_.push_back(std::make_unique<TPanel>(tabs_, pageId, win::DesignRect(area)));
    SelectionChanged();
    return *pages_.back();
}

void TTabbedPages::SelectionChanged() {
    const int selected = TabCtrl_GetCurSel(tabs_);
    for (size_t i = 0; i < pages_.size(); ++i) {
        ShowWindow(pages_[i]->Handle(), static_cast<int>(i) == selected ? SW_SHOW : SW_HIDE);
    }
}

void TTabbedPages::SelectNext(bool backwards) {
    const int count = TabCtrl_GetItemCount(tabs_);
    if (count == 0) {
        return;
    }
    const int selected = TabCtrl_GetCurSel(tabs_);
    TabCtrl_SetCurSel(tabs_, (selected + (backwards ? count - 1 : 1)) % count);
    SelectionChanged();
    SetFocus(tabs_);
}

void TTabbedPages::FitPages() {
    const RECT area = DisplayArea();
    for (auto& page : pages_) {
        MoveWindow(page->Handle(), area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
    }
}

} // namespace ui
