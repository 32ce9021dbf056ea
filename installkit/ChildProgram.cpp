#include "InstallKit.h"

#include "core/InstallerSwitches.h"
#include "win/Scoped.h"

#include <shellapi.h>

namespace {

// The codec's installer shows a box of its own and waits for the user, so the
// limit is generous; it only stops a program that never ends from holding
// the installer forever.
constexpr DWORD kChildLimitMs = 10 * 60 * 1000;

const core::InstallerSwitches& Switches() {
    static const core::InstallerSwitches switches = core::ParseInstallerSwitches(GetCommandLineA());
    return switches;
}

// Keeps this thread's windows painted while the child runs. A quit message
// is passed on afterwards, once the child has ended or the limit passed.
bool WaitForChild(HANDLE process) {
    const DWORD start = GetTickCount();
    bool quit = false;
    int quitCode = 0;
    bool ended = false;
    for (DWORD elapsed = 0; !ended && elapsed < kChildLimitMs; elapsed = GetTickCount() - start) {
        const DWORD left = kChildLimitMs - elapsed;
        if (quit) {
            ended = WaitForSingleObject(process, left) == WAIT_OBJECT_0;
            break;
        }
        const DWORD woke = MsgWaitForMultipleObjects(1, &process, FALSE, left, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0) {
            ended = true;
        } else if (woke == WAIT_OBJECT_0 + 1) {
            MSG message;
            while (!quit && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT) {
                    quit = true;
                    quitCode = static_cast<int>(message.wParam);
                } else {
                    TranslateMessage(&message);
                    DispatchMessageA(&message);
                }
            }
        } else if (woke != WAIT_TIMEOUT) {
            break;
        }
    }
    if (quit) {
        PostQuitMessage(quitCode);
    }
    return ended;
}

} // namespace

bool SilentRun() { return Switches().silent; }

std::string SilentFolder() { return Switches().folder; }

ChildOutcome RunProgramAndWait(HWND owner, const std::string& program, const char* parameters) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = owner;
    info.lpVerb = "open";
    info.lpFile = program.c_str();
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info)) {
        return GetLastError() == ERROR_CANCELLED ? ChildOutcome::Refused : ChildOutcome::NotStarted;
    }
    if (!info.hProcess) {
        // Started through some other server: no end and no exit code to read.
        return ChildOutcome::Failed;
    }
    win::ScopedFile process(info.hProcess);
    DWORD exitCode = 1;
    if (!WaitForChild(process.get()) || !GetExitCodeProcess(process.get(), &exitCode)) {
        return ChildOutcome::Failed;
    }
    return exitCode == 0 ? ChildOutcome::Succeeded : ChildOutcome::Failed;
}
