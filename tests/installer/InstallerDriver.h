#pragma once
// Drives setup.exe and uninstall.exe from outside, as a user would: starts
// them, finds their windows, clicks their drawn buttons and answers their
// message boxes. Every wait is for a condition, with a generous limit that
// only a fault reaches.
#include "support/HostTool.h"
#include "support/Process.h"
#include "support/TestFiles.h"
#include "support/WindowWaits.h"

#include <windows.h>

#include <string>
#include <vector>

namespace installer {

constexpr DWORD kPatience = 60000;

std::wstring SetupExe();
std::wstring UninstallExe();
// This tree's distribution folder.
std::wstring DistributionDir();

using testsupport::Process;

// Windows and message boxes.
using testsupport::Answer;
using testsupport::ClassOf;
using testsupport::HasButton;
using testsupport::HasIcon;
using testsupport::MessageBoxSeen;
using testsupport::TextOf;
using testsupport::WaitForMessageBox;
using testsupport::WaitForWindow;
using testsupport::WaitUntil;
using testsupport::WindowsOf;
// Children in creation order.
std::vector<HWND> ChildrenOf(HWND parent);
HWND ChildWithText(HWND parent, const std::wstring& text);

// Any message box whose process runs the given program file name.
MessageBoxSeen WaitForMessageBoxOfProgram(const std::wstring& exeName, DWORD timeoutMs = kPatience);

// Clicks one of the installer's owner-drawn buttons as the button itself
// reports a click: WM_COMMAND with wParam 0 and the button's handle.
void Click(HWND mainWindow, const std::wstring& caption);

// The control of the window's program that has the keyboard focus.
HWND FocusOf(HWND mainWindow);
// Presses and releases a key at the focused control (the window when none has it).
void PressAtFocus(HWND mainWindow, WPARAM key);
// Presses Tab at the focused control until the control has the focus.
bool TabTo(HWND mainWindow, HWND control);
// Presses one of the drawn buttons as a user would: key 0 clicks it, Enter or
// Space press it once Tab has brought the focus there.
void Press(HWND mainWindow, const std::wstring& caption, WPARAM key);

// Files.
using testsupport::Exists;
using testsupport::ReadBytes;
using testsupport::RemoveTree;
using testsupport::WriteBytes;
void CopyTo(const std::wstring& source, const std::wstring& target);
std::vector<std::wstring> FilesIn(const std::wstring& dir);

// A log in the script's own format (CR LF, code page 1252 for the warning).
struct LogDescription {
    std::string programName = "Prueba Veltra";
    std::string subdirectory = "VeltraPrueba";
    std::string groupName = "Veltra Prueba";
    std::string groupFile = "prueba.grp";
    std::string count; // empty: the number of entries
    std::vector<std::pair<std::string, std::string>> entries;
};
std::string LogText(const LogDescription& description);

std::wstring StartMenuPrograms();
// The Programs folder every user sees, where a machine's installation puts its links.
std::wstring CommonStartMenuPrograms();
// Whether the system's list of installed programs (Wine's "uninstaller --list") names the product.
bool InstalledProgramsList(const std::string& product);
// A value of the product's entry in that list; empty when it has none.
std::wstring UninstallEntryValue(const std::wstring& product, const std::wstring& name);
// The number a DWORD value holds under HKLM; -1 when there is none.
long long MachineNumber(const std::wstring& key, const std::wstring& name);
void RemoveUninstallEntry(const std::wstring& product);
// A read-only file system mounted at folder (tests run as root) until the end of its scope.
class ReadOnlyMount {
public:
    explicit ReadOnlyMount(const std::wstring& folder);
    ~ReadOnlyMount();
    ReadOnlyMount(const ReadOnlyMount&) = delete;
    ReadOnlyMount& operator=(const ReadOnlyMount&) = delete;
    bool Mounted() const { return mounted_; }

private:
    std::string unixPath_;
    bool mounted_ = false;
};
// Program Manager shows each group it creates in a folder window of its own.
// Waits for the window titled with the group's name and closes it.
void CloseGroupWindow(const std::wstring& groupName, DWORD timeoutMs = 10000);
std::wstring ProgramFiles();
inline std::wstring Widen1252(const std::string& text) { return testsupport::Widen(text, 1252); }

} // namespace installer
