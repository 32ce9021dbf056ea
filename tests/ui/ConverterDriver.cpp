#include "ConverterDriver.h"

#include "support/HostTool.h"
#include "ui/resource.h"
#include "win/Scoped.h"

#include <commctrl.h>
#include <shlobj.h>

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

bool IsFileDialog(HWND dialog) { return testsupport::FileNameField(dialog) != nullptr; }

} // namespace

std::wstring ConverterPath() { return testsupport::WindowsPath(SONARIS_CONVERTER_EXE); }

Converter::Converter() : Converter(ConverterPath()) {}

Converter::Converter(const std::wstring& programFile) : process_(std::make_unique<testsupport::Process>(programFile)) {
    if (!process_->Started()) {
        return;
    }
    main_ = testsupport::WaitForWindow(process_->Id(), L"TMainForm");
    // The window shows before its start-up has ended (a stored minimized state
    // follows the first showing).
    if (main_) {
        Settle();
    }
}

// Wine's cmd waits for a windowed program when it runs a command line with /c,
// and ends with that program's exit code; its new console is the parent's
// console the program attaches to.
Converter::Converter(const CommandLineStart& start) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring command =
        L"\"" + (start.programFile.empty() ? ConverterPath() : start.programFile) + L"\" " + start.arguments;
    DWORD flags = DETACHED_PROCESS | CREATE_SUSPENDED;
    win::ScopedFile output;
    if (start.withConsole) {
        command = L"cmd.exe /c \"" + command + L" > \"" + start.outputFile + L"\"\"";
        flags = CREATE_NEW_CONSOLE | CREATE_SUSPENDED;
    } else if (!start.outputFile.empty()) {
        SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
        output = win::ScopedFile(CreateFileW(start.outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output.get();
        startup.hStdError = output.get();
    }
    process_ = std::make_unique<testsupport::Process>(command, flags, startup, output.IsOpen());
    if (!process_->Started()) {
        return;
    }
    job_ = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    AssignProcessToJobObject(job_, process_->Handle());
    ResumeThread(process_->MainThread());
}

DWORD Converter::ExitCode() const { return process_->ExitCode(); }

Converter::~Converter() {
    if (click_) {
        process_->End();
        click_->join();
    }
    if (clickDone_) {
        CloseHandle(clickDone_);
    }
    process_.reset();
    if (job_) {
        CloseHandle(job_);
    }
}

bool Converter::Running() const { return process_->Running(); }

void Converter::WaitIdle() const { WaitForInputIdle(process_->Handle(), kWaitMs); }

// A message sent from another thread is handled only once the program is back
// in a message loop: its main loop, or the loop of a message box.
void Converter::Settle() const {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, kWaitMs, &ignored);
}

// The program takes sent messages before each posted one, one posted message
// at a time, so the message sent after the last one waits for all of them.
void Converter::SettlePosted(int posted) const {
    for (int i = 0; i <= posted; ++i) {
        Settle();
    }
}

bool Converter::WaitForExit(DWORD timeoutMs) {
    return WaitForSingleObject(process_->Handle(), timeoutMs) == WAIT_OBJECT_0;
}

HWND Converter::Control(int id) const {
    FindChild find{id, nullptr};
    EnumChildWindows(main_, FindChildById, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

HWND Converter::TopLevel(const wchar_t* className) const {
    const std::vector<HWND> found = testsupport::WindowsOf(process_->Id(), className);
    return found.empty() ? nullptr : found.front();
}

std::wstring Converter::Text(int id) const { return testsupport::TextOf(Control(id)); }

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
    RemoteMemory memory(process_->Handle(), sizeof(TCITEMW) + kChars * sizeof(wchar_t));
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
    RemoteMemory memory(process_->Handle(), sizeof(RECT));
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
    return testsupport::WaitForMessageBox(process_->Id(), timeoutMs);
}

void SaveScreenshot(const std::string& name) {
    const std::string dir = SONARIS_SCREENSHOT_DIR;
    testsupport::RunHost("mkdir -p " + testsupport::ShellQuote(dir) + " && import -window root " +
                         testsupport::ShellQuote(dir + "/" + name + ".png"));
}

std::vector<std::wstring> Converter::ListItems(int id) const {
    HWND list = Control(id);
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, L'\0');
        text.resize(static_cast<size_t>(
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()))));
        items.push_back(text);
    }
    return items;
}

std::wstring Converter::StatusText(int part) const {
    HWND bar = Control(IDC_MAIN_STATUSBAR);
    const LRESULT length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
    RemoteMemory memory(process_->Handle(), (static_cast<size_t>(length) + 1) * sizeof(wchar_t));
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(memory.Address()));
    std::wstring text(static_cast<size_t>(length), L'\0');
    memory.Read(text.data(), text.size() * sizeof(wchar_t));
    return text;
}

void Converter::Click(int id) const {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(Control(id), BM_CLICK, 0, 0, SMTO_NORMAL, kWaitMs, &ignored);
}

void Converter::PostClick(int id) const { PostMessageW(Control(id), BM_CLICK, 0, 0); }

// The drop lives in the program's memory for the message's handling; the
// program's release of it after reading fails harmlessly, and the memory is
// freed here once the message has been handled.
void Converter::DropFiles(int id, const std::vector<std::wstring>& names) const {
    std::vector<wchar_t> list;
    for (const std::wstring& name : names) {
        list.insert(list.end(), name.begin(), name.end());
        list.push_back(L'\0');
    }
    list.push_back(L'\0');
    DROPFILES header = {};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    RemoteMemory memory(process_->Handle(), sizeof header + list.size() * sizeof(wchar_t));
    memory.Write(&header, sizeof header);
    memory.Write(list.data(), list.size() * sizeof(wchar_t), sizeof header);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(Control(id), WM_DROPFILES, reinterpret_cast<WPARAM>(memory.Address()), 0, SMTO_NORMAL, kWaitMs,
                        &ignored);
}

HWND Converter::Focused() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info) ? info.hwndFocus : nullptr;
}

void Converter::PostKey(WPARAM key) const {
    HWND target = Focused() ? Focused() : main_;
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
}

void Converter::PressKey(WPARAM key) const {
    PostKey(key);
    SettlePosted(2);
}

bool Converter::PressTab() const {
    const HWND before = Focused();
    PostKey(VK_TAB);
    return WaitUntil([&] { return Focused() != before; });
}

bool Converter::TabTo(int id) const {
    constexpr int kMostStops = 40;
    for (int i = 0; i < kMostStops && FocusedId() != id; ++i) {
        PressTab();
    }
    return FocusedId() == id;
}

void Converter::TypeWithControl(WORD key, bool shift) const {
    SetForegroundWindow(main_);
    std::vector<WORD> keys = {VK_CONTROL};
    if (shift) {
        keys.push_back(VK_SHIFT);
    }
    keys.push_back(key);
    std::vector<INPUT> inputs;
    for (WORD k : keys) {
        inputs.push_back({INPUT_KEYBOARD, {}});
        inputs.back().ki.wVk = k;
    }
    for (auto k = keys.rbegin(); k != keys.rend(); ++k) {
        inputs.push_back({INPUT_KEYBOARD, {}});
        inputs.back().ki.wVk = *k;
        inputs.back().ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Settle();
}

void Converter::PickDown(int id, int steps) const {
    for (int i = 0; i < steps; ++i) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(Control(id), WM_KEYDOWN, VK_DOWN, 0, SMTO_NORMAL, kWaitMs, &ignored);
    }
}

HWND Converter::WaitForFileDialog(DWORD timeoutMs) const {
    return testsupport::WaitForWindow(process_->Id(), L"#32770", timeoutMs, IsFileDialog);
}

namespace {

void TypeFileName(HWND dialog, const std::wstring& text) {
    SendMessageW(testsupport::FileNameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace

// Posted: the OK button may end in a message box or the dialog's end.
void Converter::ChooseInFileDialog(HWND dialog, const std::wstring& text) {
    TypeFileName(dialog, text);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// Sent: opening a folder ends in neither, and the next name typed must find
// the dialog in the new folder.
void Converter::OpenFolderInFileDialog(HWND dialog, const std::wstring& folder) {
    TypeFileName(dialog, folder);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)), SMTO_NORMAL, kWaitMs, &ignored);
}

} // namespace uitest
