#pragma once
// A program that a test starts, waits for and, should it still run when the
// test is over, ends.
#include <windows.h>

#include <string>

namespace testsupport {

class Process {
public:
    // Starts exe (quoted) with its arguments, in currentDir when one is given.
    explicit Process(const std::wstring& exe, const std::wstring& currentDir = L"",
                     const std::wstring& arguments = L"");
    // Starts a whole command line with CreateProcess's own flags and start-up
    // information; inheritHandles passes the handles the start-up names on.
    Process(std::wstring commandLine, DWORD flags, const STARTUPINFOW& startup, bool inheritHandles);
    ~Process(); // ends the process if it still runs
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    HANDLE MainThread() const { return info_.hThread; }
    bool Running() const;
    // Waits for the end while this thread's messages are handled (the test may
    // serve a conversation the program starts); false when it did not end.
    bool HasEnded(DWORD timeoutMs = 60000) const;
    // STILL_ACTIVE while it runs.
    DWORD ExitCode() const;
    // Terminates it if it still runs, and waits until it has gone.
    void End();

private:
    PROCESS_INFORMATION info_ = {};
};

} // namespace testsupport
