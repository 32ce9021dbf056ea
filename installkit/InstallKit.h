#pragma once
// The part that setup and uninstall share: the log check, the hand-built
// windows with their drawn buttons, and the conversation with Program Manager.
// Procedural on purpose, with the global state below; one user-interface
// thread. ANSI API; texts are code page 1252.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/InstallLog.h"

// What each installer program supplies to the shared shell; each program
// defines ThisProgram once.
struct InstallerProgram {
    const char* mainCaption;
    const char* damagedLogText;
    const char* damagedLogCaption;
    bool dragByAnyPoint;            // the whole main window acts as its title bar
    std::string (*logTargetBase)(); // what precedes line 4 of the log in DefaultTarget
    void (*createMainControls)();
    void (*continueClicked)();
    int (*runSilently)(); // "/S": the whole run without a window; returns the exit code
};
extern const InstallerProgram ThisProgram;

// Filled once by ReadInstallLog, read afterwards.
extern core::InstallLogRecord InstallLog;

extern HWND MainWindow;
extern HWND ProgressWindow;
extern HWND StatusLine; // setup only
extern HWND ContinueButton;
extern HWND QuitButton;
extern uint16_t DesktopRight;
extern uint16_t DesktopBottom;
extern HBRUSH FaceBrush;
extern HBRUSH HighlightBrush;
extern HBRUSH ShadowBrush;

extern HWND ProgmanServer;
extern bool DdeConnected;
extern bool DdeAcknowledged;
extern bool DdeTerminated;
extern bool DdeInitiating; // the initiate's broadcast is under way
extern bool DdeSilent;     // a command went unanswered; the rest are not sent

// Exit codes of a silent run.
constexpr int kExitSucceeded = 0;
constexpr int kExitStepFailed = 1;
constexpr int kExitDamagedLog = 2;

// The codec's installer, installed with the suite, and the driver it puts
// into the system folder.
inline constexpr char kCodecInstaller[] = "l3codecp.exe";
inline constexpr char kCodecDriverFile[] = "sonarmp3.acm";

// Whether the log lists the file (letter case aside).
bool LogLists(const char* fileName);

// "/S" on the command line: no window and no message box.
bool SilentRun();
// "/D=folder" on the command line; empty without it.
std::string SilentFolder();

// Reads Install.log beside the running program into InstallLog. False when it
// is missing, unreadable or damaged.
bool ReadInstallLog();

// The whole program: log check, main window, message loop. Returns the exit code.
int RunInstallerProgram();

void RegisterWindowClass(WNDPROC procedure, const char* className, HBRUSH background);
// Position and size in pixels of a 96-DPI screen, made at the screen's density.
HWND MakeWindow(const char* className, const char* text, DWORD style, int x, int y, int width, int height, HWND parent);
void RunMessageLoop();
void DrawBevel(HDC dc, int left, int top, HBRUSH light, HBRUSH dark, int lastRing, int bottom, int right);
void PaintOwnerButton(const DRAWITEMSTRUCT& item);
void ConfirmExit();

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ProgressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Hides the main window and shows the wait window; the status line is setup's.
void BuildProgressWindow(const char* waitText, bool withStatusLine);
// Destroys the wait window, unregisters its class and lets the program end.
void EndProcedure();

// The main window's controls, made with MakeWindow at the places both layouts share.
HWND MakeStatic(const std::string& text, int x, int y, int width, int height);
void MakeButtons();

// WM_DDE_ACK from server: the first answer to the initiate makes the
// conversation; every later one acknowledges the command in progress.
void ProgmanAcknowledged(HWND server, LPARAM lParam);
bool ProgmanConnect();
// True only when the server acknowledged the command positively.
bool ProgmanExecute(const std::string& command);
void ProgmanDisconnect();

// Where no Program Manager answers (or it refuses a command), the group is
// made directly as a Start Menu folder named by the log's group, with one
// shell link per captioned entry whose file was installed (installed[k] for
// entry k). An installation for the machine puts it under the Programs folder
// that every user sees. False when the folder or any link was not made.
bool CreateStartMenuGroup(const std::string& targetDir, const std::vector<bool>& installed, bool forMachine);
// Removes the links the log names from the group's folder under both the
// user's and the common Programs folder, then each folder if empty. Returns
// how many links were there and could not be deleted.
unsigned DeleteStartMenuGroup();

// A file that is gone afterwards, or was never there, counts as deleted.
bool DeleteIfPresent(const std::string& path);

// How a program started and waited for ended.
enum class ChildOutcome {
    NotStarted, // no such program, or it could not be started
    Refused,    // the user refused its elevation
    Failed,     // a non-zero exit code, or still running at the limit
    Succeeded,
};
// Starts program (through the shell, so that it may ask for elevation) and
// waits a bounded time for it to end, keeping the caller's windows answering.
ChildOutcome RunProgramAndWait(HWND owner, const std::string& program, const char* parameters);

// The entry under the system's list of installed programs, for the log's product.
bool RegisterUninstallEntry(const std::string& targetDir, uint64_t installedBytes);
bool RemoveUninstallEntry();
// True when the product's entry names targetDir as its installation folder.
bool UninstallEntryNames(const std::string& targetDir);

// The shared-file count of the codec's driver in the system folder.
bool CodecIsCounted();
bool CountSharedCodec();
// Takes one off the count; lastUser is set when no other installation still
// counts it. False on a registry failure. Without a count nothing changes.
bool ReleaseSharedCodec(bool& lastUser);
bool ForgetSharedCodec();
