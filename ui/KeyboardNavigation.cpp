#include "KeyboardNavigation.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace ui {
namespace {

bool HasStyle(HWND window, LONG style) { return (GetWindowLongW(window, GWL_STYLE) & style) == style; }

bool IsTabControl(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return lstrcmpiW(name, WC_TABCONTROLW) == 0;
}

bool HoldsTabStops(HWND window) {
    return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) || IsTabControl(window);
}

void CollectTabStops(HWND parent, std::vector<HWND>& stops) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!HasStyle(child, WS_VISIBLE) || HasStyle(child, WS_DISABLED)) {
            continue;
        }
        if (HasStyle(child, WS_TABSTOP)) {
            stops.push_back(child);
        }
        if (HoldsTabStops(child)) {
            CollectTabStops(child, stops);
        }
    }
}

bool WantsKey(HWND control, const MSG& msg, LRESULT wanted) {
    const LRESULT code = SendMessageW(control, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    return (code & wanted) != 0;
}

// As the dialog handling does: an edit reached by Tab has its text selected.
void FocusStop(HWND stop) {
    SetFocus(stop);
    if (SendMessageW(stop, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
        SendMessageW(stop, EM_SETSEL, 0, -1);
    }
}

// The focus may lie in a part of a stop, such as the edit of a combo box.
std::vector<HWND>::const_iterator StopHolding(const std::vector<HWND>& stops, HWND focus) {
    for (HWND window = focus; window; window = GetParent(window)) {
        auto at = std::find(stops.begin(), stops.end(), window);
        if (at != stops.end()) {
            return at;
        }
    }
    return stops.end();
}

bool MoveByTab(HWND root, const MSG& msg) {
    const HWND focus = GetFocus();
    if (focus && focus != root && WantsKey(focus, msg, DLGC_WANTTAB | DLGC_WANTALLKEYS)) {
        return false;
    }
    const std::vector<HWND> stops = TabStops(root);
    if (stops.empty()) {
        return true;
    }
    const bool backwards = GetKeyState(VK_SHIFT) < 0;
    const auto at = StopHolding(stops, focus);
    size_t next = 0;
    if (at == stops.end()) {
        next = backwards ? stops.size() - 1 : 0;
    } else {
        const size_t index = static_cast<size_t>(at - stops.begin());
        next = backwards ? (index + stops.size() - 1) % stops.size() : (index + 1) % stops.size();
    }
    FocusStop(stops[next]);
    return true;
}

bool IsPushButton(HWND control) {
    wchar_t name[16] = {};
    GetClassNameW(control, name, 16);
    const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiW(name, L"BUTTON") == 0 &&
           (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW);
}

bool PressFocusedButton(HWND root) {
    const HWND focus = GetFocus();
    if (!focus || !IsChild(root, focus) || !IsPushButton(focus)) {
        return false;
    }
    SendMessageW(focus, BM_CLICK, 0, 0);
    return true;
}

} // namespace

std::vector<HWND> TabStops(HWND root) {
    std::vector<HWND> stops;
    CollectTabStops(root, stops);
    return stops;
}

bool HandleNavigationKey(HWND root, const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.hwnd != root && !IsChild(root, msg.hwnd))) {
        return false;
    }
    if (msg.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
        return MoveByTab(root, msg);
    }
    if (msg.wParam == VK_RETURN) {
        return PressFocusedButton(root);
    }
    return false;
}

} // namespace ui
