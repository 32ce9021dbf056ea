#include "InstallKit.h"

#include "win/Scoped.h"

#include <dde.h>

#include <cstring>

HWND ProgmanServer;
bool DdeConnected;
bool DdeAcknowledged;
bool DdeTerminated;
bool DdeInitiating;
bool DdeSilent;

namespace {
// The last command's acknowledgement said it was carried out.
bool DdeAccepted;
} // namespace

namespace {

constexpr char kProgman[] = "PROGMAN";
constexpr int kPollLimit = 10000;
constexpr unsigned kMessageLimit = 1000000;
// A server that never acknowledges must not hold the installation forever.
constexpr DWORD kAcknowledgeTimeoutMs = 10000;
// Per window of the broadcast, and for the terminate: a hung window must not
// hold the installer either.
constexpr UINT kSendTimeoutMs = 5000;

constexpr WORD kAckPositive = 0x8000;

using MessageFilterFunction = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
constexpr DWORD kAllowMessage = 1; // MSGFLT_ALLOW

// An elevated installer does not receive the answers of a Program Manager
// that runs without elevation unless its window lets them in. Systems
// before Windows 7 lack the function; there the filter does not exist either.
void AcceptServerAnswers(HWND window) {
    HMODULE user = GetModuleHandleA("user32.dll");
    auto allow = user ? reinterpret_cast<MessageFilterFunction>(
                            reinterpret_cast<void*>(GetProcAddress(user, "ChangeWindowMessageFilterEx")))
                      : nullptr;
    if (!allow) {
        return;
    }
    for (UINT message : {WM_DDE_ACK, WM_DDE_DATA, WM_DDE_TERMINATE}) {
        allow(window, message, kAllowMessage, nullptr);
    }
}

// A quit message taken by a nested loop belongs to the program's own loop.
void PassOnQuit(const MSG& message) { PostQuitMessage(static_cast<int>(message.wParam)); }

// A poll takes at most one pending message; it counts whether or not one was there.
template <typename Condition>
void PollWhile(Condition condition) {
    for (int poll = 0; poll < kPollLimit && condition(); ++poll) {
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PassOnQuit(message);
                return;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

// Sleeps on the queue rather than on a timer, so the limit holds even when
// the window that would own a timer is gone. A command left unanswered ends
// the conversation's commands.
void WaitForAcknowledgement() {
    const DWORD start = GetTickCount();
    unsigned handled = 0;
    bool quit = false;
    for (DWORD elapsed = 0; !DdeAcknowledged && !quit && handled < kMessageLimit && elapsed < kAcknowledgeTimeoutMs;
         elapsed = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kAcknowledgeTimeoutMs - elapsed, QS_ALLINPUT);
        MSG message;
        while (!DdeAcknowledged && !quit && handled < kMessageLimit &&
               PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PassOnQuit(message);
                quit = true;
            } else {
                ++handled;
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
    }
    DdeSilent = !DdeAcknowledged;
}

} // namespace

void ProgmanAcknowledged(HWND server, LPARAM lParam) {
    if (DdeInitiating || !DdeConnected) {
        // An answer to the initiate carries atoms that are now the client's.
        GlobalDeleteAtom(LOWORD(lParam));
        GlobalDeleteAtom(HIWORD(lParam));
        if (DdeConnected) {
            // One conversation is enough; a second server is let go.
            PostMessageA(server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(ProgressWindow), 0);
        } else {
            ProgmanServer = server;
            DdeConnected = true;
        }
        return;
    }
    // The acknowledgement of a command comes packed; the pack is the receiver's
    // to free. A negative one means the command was refused.
    UINT_PTR status = 0;
    UINT_PTR command = 0;
    DdeAccepted = UnpackDDElParam(WM_DDE_ACK, lParam, &status, &command) && (status & kAckPositive) != 0;
    FreeDDElParam(WM_DDE_ACK, lParam);
    DdeAcknowledged = true;
}

bool ProgmanConnect() {
    DdeConnected = false;
    DdeSilent = false;
    AcceptServerAnswers(ProgressWindow);
    ATOM application = GlobalAddAtomA(kProgman);
    ATOM topic = GlobalAddAtomA(kProgman);
    DWORD_PTR ignored = 0;
    DdeInitiating = true;
    SendMessageTimeoutA(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(ProgressWindow),
                        MAKELPARAM(application, topic), SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
    DdeInitiating = false;
    GlobalDeleteAtom(application);
    GlobalDeleteAtom(topic);
    PollWhile([] { return !DdeConnected; });
    return DdeConnected;
}

bool ProgmanExecute(const std::string& command) {
    // After one command went unanswered (or the client window is gone) the
    // rest would only wait out their limits one by one.
    if (DdeSilent || !IsWindow(ProgressWindow)) {
        DdeSilent = true;
        return false;
    }
    win::ScopedGlobal memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, command.size() + 1));
    if (!memory) {
        return false;
    }
    DdeAccepted = false;
    DdeAcknowledged = false;
    void* text = GlobalLock(memory.get());
    if (text) {
        std::memcpy(text, command.c_str(), command.size() + 1);
        DdeAcknowledged = false;
        // A server that has gone away cannot answer; do not wait for it.
        if (PostMessageA(ProgmanServer, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(ProgressWindow),
                         reinterpret_cast<LPARAM>(memory.get()))) {
            WaitForAcknowledgement();
        } else {
            DdeSilent = true;
        }
        GlobalUnlock(memory.get());
    }
    return DdeAcknowledged && DdeAccepted;
}

void ProgmanDisconnect() {
    DdeTerminated = false;
    DdeAcknowledged = false;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(ProgmanServer, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(ProgressWindow), 0, SMTO_ABORTIFHUNG,
                        kSendTimeoutMs, &ignored);
    PollWhile([] { return !DdeAcknowledged && !DdeTerminated; });
}
