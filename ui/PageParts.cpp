#include "PageParts.h"

#include "win/ScreenDpi.h"
#include "Pictures.h"
#include "Texts.h"

namespace ui {

SIZE ClientSize(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    return win::DesignSize({r.right, r.bottom});
}

std::unique_ptr<TFileNameEdit> AddFileNameEdit(TPanel& page, RECT rect, FileNameEditDescription description,
                                               HICON browseGlyph) {
    auto edit = std::make_unique<TFileNameEdit>(page.Handle(), rect, std::move(description), browseGlyph);
    page.Layout().Add(edit->Handle(), rect, kLeft | kTop | kRight);
    return edit;
}

std::unique_ptr<TImageButton> AddGoButton(TPanel& page, int id, RECT rect, std::function<void()> click) {
    auto go = std::make_unique<TImageButton>(page.Handle(), id, POINT{rect.left, rect.top}, texts::GoPicture,
                                             page.Background(), std::move(click));
    page.Layout().Add(go->Handle(), rect, kRight | kBottom);
    return go;
}

} // namespace ui
