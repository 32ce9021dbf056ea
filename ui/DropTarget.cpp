#include "DropTarget.h"

#include <commctrl.h>
#include <shellapi.h>

namespace ui {
namespace {

constexpr UINT_PTR kDropSubclass = 1;

// A list box does nothing with WM_DROPFILES itself, so the drop is taken
// before the control's own procedure sees it.
LRESULT CALLBACK DropSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                  DWORD_PTR data) {
    switch (message) {
    case WM_DROPFILES: {
        const std::vector<std::wstring> names = TakeDroppedNames(reinterpret_cast<HDROP>(wParam));
        (*reinterpret_cast<DropHandler*>(data))(names);
        return 0;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, DropSubclassProc, kDropSubclass);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

} // namespace

void AcceptDroppedFiles(HWND control, DropHandler* handler) {
    SetWindowSubclass(control, DropSubclassProc, kDropSubclass, reinterpret_cast<DWORD_PTR>(handler));
    DragAcceptFiles(control, TRUE);
}

std::vector<std::wstring> TakeDroppedNames(HDROP drop) {
    std::vector<std::wstring> names;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, name.data(), length + 1));
        if (!name.empty()) {
            names.push_back(name);
        }
    }
    DragFinish(drop);
    return names;
}

} // namespace ui
