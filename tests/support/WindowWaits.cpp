#include "WindowWaits.h"

namespace testsupport {
namespace {

// Identifiers of the text and icon controls in a message box of user32.
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kMessageBoxIconId = 0x440;
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;
constexpr DWORD kPollIntervalMs = 5;

struct Search {
    DWORD processId;
    std::wstring className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
    Search& search = *reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && IsWindowVisible(window) && ClassOf(window) == search.className) {
        search.found.push_back(window);
    }
    return TRUE;
}

void HandleThreadMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollIntervalMs, QS_ALLINPUT);
        HandleThreadMessages();
    }
    return true;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kWindowPatience, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        kWindowPatience, &copied);
    text.resize(copied);
    return text;
}

std::vector<HWND> WindowsOf(DWORD processId, const wchar_t* className) {
    Search search{processId, className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs,
                   const std::function<bool(HWND)>& accepts) {
    HWND window = nullptr;
    WaitUntil(
        [&] {
            for (HWND found : WindowsOf(processId, className)) {
                if (!accepts || accepts(found)) {
                    window = found;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return window;
}

HWND FileNameField(HWND dialog) {
    HWND field = GetDlgItem(dialog, kFileNameEdit);
    return field ? field : GetDlgItem(dialog, kFileNameCombo);
}

bool IsMessageBox(HWND dialog) { return GetDlgItem(dialog, kMessageBoxTextId) && !FileNameField(dialog); }

MessageBoxSeen WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
    HWND window = WaitForWindow(processId, L"#32770", timeoutMs, IsMessageBox);
    return window ? DescribeMessageBox(window) : MessageBoxSeen{};
}

MessageBoxSeen DescribeMessageBox(HWND window) {
    MessageBoxSeen box;
    box.window = window;
    GetWindowThreadProcessId(window, &box.processId);
    box.caption = TextOf(window);
    HWND text = GetDlgItem(window, kMessageBoxTextId);
    box.text = text ? TextOf(text) : L"";
    box.icon = reinterpret_cast<HICON>(SendDlgItemMessageW(window, kMessageBoxIconId, STM_GETICON, 0, 0));
    return box;
}

void Answer(const MessageBoxSeen& box, int buttonId) {
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.window, buttonId)));
    WaitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); });
}

bool HasButton(const MessageBoxSeen& box, int buttonId) { return GetDlgItem(box.window, buttonId) != nullptr; }

} // namespace testsupport
