#pragma once
// The part that setup and uninstall share: the log check, the hand-built
// windows with their drawn buttons, and the conversation with Program Manager.
// Procedural on purpose, with the global state below; one user-interface
// thread. ANSI API; texts are code page 1252.
#include <windows.h>

#include <cstdint>
#include <string>

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
void ProgmanExecute(const std::string& command);
void ProgmanDisconnect();

// Where no Program Manager answers, the group is made directly as a Start Menu
// folder named by the log's group, with one shell link per captioned entry.
void CreateStartMenuGroup(const std::string& targetDir);
// Removes the links the log names from that folder, then the folder if empty.
void DeleteStartMenuGroup();
