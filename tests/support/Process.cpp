#include "Process.h"

#include "WindowWaits.h"

namespace testsupport {

Process::Process(const std::wstring& exe, const std::wstring& currentDir, const std::wstring& arguments) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentDir.empty() ? nullptr : currentDir.c_str(), &startup, &info_)) {
        info_ = {};
    }
}

Process::Process(std::wstring commandLine, DWORD flags, const STARTUPINFOW& startup, bool inheritHandles) {
    STARTUPINFOW copy = startup;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, inheritHandles, flags, nullptr, nullptr, &copy,
                        &info_)) {
        info_ = {};
    }
}

Process::~Process() {
    if (!info_.hProcess) {
        return;
    }
    End();
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

bool Process::Running() const { return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

bool Process::HasEnded(DWORD timeoutMs) const {
    return info_.hProcess && WaitUntil([this] { return !Running(); }, timeoutMs);
}

DWORD Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void Process::End() {
    if (Running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 60000);
    }
}

} // namespace testsupport
