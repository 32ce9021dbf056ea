#include "ConverterDriver.h"

#include "support/HostTool.h"

#include <commctrl.h>

namespace uitest {
namespace {

// Memory inside the converter for messages whose pointers Wine does not carry
// across processes (the comctl32 ones).
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, size_t size) : process_(process) {
        address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteMemory() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    void* Address() const { return address_; }
    void Write(const void* data, size_t size, size_t offset = 0) const {
        WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }
    void Read(void* data, size_t size, size_t offset = 0) const {
        ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }

private:
    HANDLE process_;
    void* address_;
};

std::wstring ConverterPath() {
    std::wstring path = L"Z:" + testsupport::Widen(SONARIS_CONVERTER_EXE);
    for (wchar_t& c : path) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return path;
}

struct FindChild {
    int id;
    HWND found;
};

BOOL CALLBACK FindChildById(HWND hwnd, LPARAM param) {
    auto* find = reinterpret_cast<FindChild*>(param);
    if (GetDlgCtrlID(hwnd) == find->id) {
        find->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

struct FindTop {
    DWORD pid;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM param) {
    auto* find = reinterpret_cast<FindTop*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (pid == find->pid && IsWindowVisible(hwnd) && wcscmp(name, find->className) == 0) {
        find->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

std::wstring WindowTextOf(HWND hwnd) {
    wchar_t text[1024] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &ignored);
    return text;
}

} // namespace

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(5);
    }
    return true;
}

Converter::Converter() {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + ConverterPath() + L"\"";
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_)) {
        return;
    }
    WaitFor([this] {
        main_ = TopLevel(L"TMainForm");
        return main_ != nullptr;
    });
}

Converter::~Converter() {
    if (click_) {
        if (Running()) {
            TerminateProcess(process_.hProcess, 1);
        }
        click_->join();
    }
    if (clickDone_) {
        CloseHandle(clickDone_);
    }
    if (process_.hProcess) {
        if (Running()) {
            TerminateProcess(process_.hProcess, 1);
        }
        WaitForSingleObject(process_.hProcess, kWaitMs);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

bool Converter::Running() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void Converter::WaitIdle() const { WaitForInputIdle(process_.hProcess, kWaitMs); }

bool Converter::WaitForExit(DWORD timeoutMs) {
    return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

HWND Converter::Control(int id) const {
    FindChild find{id, nullptr};
    EnumChildWindows(main_, FindChildById, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

HWND Converter::TopLevel(const wchar_t* className) const {
    FindTop find{process_.dwProcessId, className, nullptr};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

std::wstring Converter::Text(int id) const { return WindowTextOf(Control(id)); }

void Converter::SetText(int id, const std::wstring& text) const {
    SendMessageW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::vector<std::wstring> Converter::ComboItems(int id) const {
    HWND combo = Control(id);
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

std::vector<std::wstring> Converter::TabCaptions(int id) const {
    HWND tabs = Control(id);
    std::vector<std::wstring> captions;
    constexpr int kChars = 128;
    RemoteMemory memory(process_.hProcess, sizeof(TCITEMW) + kChars * sizeof(wchar_t));
    const LRESULT count = SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(memory.Address()) + sizeof(TCITEMW));
        item.cchTextMax = kChars;
        memory.Write(&item, sizeof item);
        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(memory.Address()));
        wchar_t text[kChars] = {};
        memory.Read(text, sizeof text - sizeof(wchar_t), sizeof(TCITEMW));
        captions.push_back(text);
    }
    return captions;
}

void Converter::SelectTab(int tabsId, int index) const {
    HWND tabs = Control(tabsId);
    RemoteMemory memory(process_.hProcess, sizeof(RECT));
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(memory.Address()));
    RECT r = {};
    memory.Read(&r, sizeof r);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(tabs, WM_LBUTTONUP, 0, at);
}

// The click's handler runs the whole conversion before it returns, so it is
// sent from a thread of its own while the test watches the program.
void Converter::StartClick(int imageButtonId) {
    HWND button = Control(imageButtonId);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    clickDone_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = clickDone_;
    click_ = std::make_unique<std::thread>([button, done] {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10), SMTO_NORMAL, 10 * kWaitMs, &ignored);
        SetEvent(done);
    });
}

bool Converter::RunReturned(DWORD timeoutMs) {
    if (!click_ || WaitForSingleObject(clickDone_, timeoutMs) != WAIT_OBJECT_0) {
        return false;
    }
    click_->join();
    click_.reset();
    CloseHandle(clickDone_);
    clickDone_ = nullptr;
    return true;
}

MessageBoxSeen Converter::WaitForMessageBox(DWORD timeoutMs) const {
    MessageBoxSeen box;
    WaitFor(
        [&] {
            box.window = TopLevel(L"#32770");
            return box.window != nullptr;
        },
        timeoutMs);
    if (box.window) {
        box.caption = WindowTextOf(box.window);
        box.text = WindowTextOf(GetDlgItem(box.window, 0xFFFF));
    }
    return box;
}

void Converter::Answer(const MessageBoxSeen& box, int buttonId) {
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
    WaitFor([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); });
}

void SaveScreenshot(const std::string& name) {
    const std::string dir = SONARIS_SCREENSHOT_DIR;
    testsupport::RunHost("mkdir -p " + testsupport::ShellQuote(dir) + " && import -window root " +
                         testsupport::ShellQuote(dir + "/" + name + ".png"));
}

} // namespace uitest
