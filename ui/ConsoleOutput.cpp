#include "ConsoleOutput.h"

#include <atomic>
#include <vector>

namespace ui {
namespace {

// Set on the console's own thread, read by the run between blocks.
std::atomic<bool> interrupted{false};

BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        return FALSE;
    }
    interrupted = true;
    return TRUE;
}

// The standard output, else the standard error, when it is an open handle;
// null for a program started with neither.
HANDLE HandedDownOutput() {
    for (const DWORD which : {STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
        const HANDLE handle = GetStdHandle(which);
        if (handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN) {
            return handle;
        }
    }
    return nullptr;
}

} // namespace

// A standard output or error handed down by the caller (a pipe or a file:
// a script, a scheduler, a service) is written even when there is no console
// to attach to, and then no window or box appears; the console itself is
// written only when there is no such handle. Wine hands a windowed program its
// parent's console at start, so attaching fails there as for a program that
// has a console already.
TConsoleOutput::TConsoleOutput() {
    const HANDLE handedDown = HandedDownOutput();
    attachedConsole_ = AttachConsole(ATTACH_PARENT_PROCESS) || GetLastError() == ERROR_ACCESS_DENIED;
    output_ = handedDown ? handedDown : (attachedConsole_ ? HandedDownOutput() : nullptr);
    if (!output_ && attachedConsole_) {
        output_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
        ownsOutput_ = output_ != INVALID_HANDLE_VALUE;
        if (!ownsOutput_) {
            output_ = nullptr;
        }
    }
    if (!output_) {
        if (attachedConsole_) {
            FreeConsole();
            attachedConsole_ = false;
        }
        return;
    }
    DWORD mode = 0;
    isConsole_ = GetConsoleMode(output_, &mode) != 0;
    if (attachedConsole_) {
        SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    }
}

bool TConsoleOutput::Interrupted() const { return interrupted; }

TConsoleOutput::~TConsoleOutput() {
    EndProgress();
    if (ownsOutput_) {
        CloseHandle(output_);
    }
    if (attachedConsole_) {
        SetConsoleCtrlHandler(OnConsoleControl, FALSE);
        FreeConsole();
    }
}

void TConsoleOutput::Line(const std::wstring& text) {
    EndProgress();
    Write(text + L"\r\n");
}

// On a console the figure is rewritten in place; a file or pipe gets one line
// per figure.
void TConsoleOutput::Progress(int percent) {
    if (percent == 0) {
        EndProgress();
        return;
    }
    if (percent <= shownPercent_) {
        return;
    }
    shownPercent_ = percent;
    const std::wstring figure = std::to_wstring(percent) + L"%";
    Write(isConsole_ ? L"\r" + figure : figure + L"\r\n");
}

void TConsoleOutput::EndProgress() {
    if (shownPercent_ >= 0 && isConsole_) {
        Write(L"\r\n");
    }
    shownPercent_ = -1;
}

void TConsoleOutput::Write(const std::wstring& text) {
    if (!Attached() || text.empty()) {
        return;
    }
    DWORD written = 0;
    if (isConsole_) {
        WriteConsoleW(output_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const UINT codePage = GetConsoleOutputCP();
    const int size =
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::vector<char> bytes(static_cast<size_t>(size));
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    WriteFile(output_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

} // namespace ui
