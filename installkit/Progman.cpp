#include "InstallKit.h"

#include <dde.h>

#include <cstring>

HWND ProgmanServer;
bool DdeConnected;
bool DdeAcknowledged;
bool DdeTerminated;

namespace {

constexpr char kProgman[] = "PROGMAN";
constexpr int kPollLimit = 10000;
constexpr unsigned kMessageLimit = 1000000;
// A server that never acknowledges must not hold the installation forever.
constexpr DWORD kAcknowledgeTimeoutMs = 10000;
// Wakes the blocking wait so that the time limit is seen even when no other
// message arrives; short, because a timer may fire a little early.
constexpr UINT kWakeIntervalMs = 250;
constexpr UINT_PTR kWakeTimer = 1;

// A poll takes at most one pending message; it counts whether or not one was there.
template <typename Condition> void PollWhile(Condition condition) {
    for (int poll = 0; poll < kPollLimit && condition(); ++poll) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void WaitForAcknowledgement() {
    SetTimer(ProgressWindow, kWakeTimer, kWakeIntervalMs, nullptr);
    const DWORD start = GetTickCount();
    unsigned handled = 0;
    MSG message;
    while (!DdeAcknowledged && handled < kMessageLimit && GetTickCount() - start < kAcknowledgeTimeoutMs) {
        if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
            break; // the quit message (or a failed wait)
        }
        ++handled;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    KillTimer(ProgressWindow, kWakeTimer);
}

} // namespace

bool ProgmanConnect() {
    DdeConnected = false;
    ATOM application = GlobalAddAtomA(kProgman);
    ATOM topic = GlobalAddAtomA(kProgman);
    SendMessageA(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(ProgressWindow),
                 MAKELPARAM(application, topic));
    GlobalDeleteAtom(application);
    GlobalDeleteAtom(topic);
    PollWhile([] { return !DdeConnected; });
    return DdeConnected;
}

void ProgmanExecute(const std::string& command) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, command.size() + 1);
    if (!memory) {
        return;
    }
    void* text = GlobalLock(memory);
    if (text) {
        std::memcpy(text, command.c_str(), command.size() + 1);
        DdeAcknowledged = false;
        // A server that has gone away cannot answer; do not wait for it.
        if (PostMessageA(ProgmanServer, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(ProgressWindow),
                         reinterpret_cast<LPARAM>(memory))) {
            WaitForAcknowledgement();
        }
        GlobalUnlock(memory);
    }
    GlobalFree(memory);
}

void ProgmanDisconnect() {
    DdeTerminated = false;
    DdeAcknowledged = false;
    SendMessageA(ProgmanServer, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(ProgressWindow), 0);
    PollWhile([] { return !DdeAcknowledged && !DdeTerminated; });
}
