#pragma once
// A tab control whose pages are panels laid over its display area: the page
// of the selected tab is shown, the others hidden, and all follow the tab
// control's size.
#include "Controls.h"

#include <commctrl.h>

#include <memory>
#include <vector>

namespace ui {

class TTabbedPages {
public:
    // The tab control is created on parent with an icon per tab from images.
    TTabbedPages(TPanel& parent, int id, RECT rect, unsigned anchors, HIMAGELIST images);
    TTabbedPages(HWND parent, int id, RECT rect, HIMAGELIST images);

    // Adds a tab and its page; the page's design size is that of the display area.
    TPanel& AddPage(const wchar_t* caption, int image, int pageId);
    HWND Handle() const { return tabs_; }
    int Id() const { return id_; }
    TPanel& Page(size_t index) { return *pages_[index]; }
    void SelectionChanged();
    // Selects the next tab (backwards: the previous one), wrapping round, and
    // gives the strip the keyboard, as the page that had it may be hidden now.
    void SelectNext(bool backwards);
    // Places the pages over the display area after the tab control has moved.
    void FitPages();

private:
    RECT DisplayArea() const;

    int id_;
    HWND tabs_;
    std::vector<std::unique_ptr<TPanel>> pages_;
};

} // namespace ui
