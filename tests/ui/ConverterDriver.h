#pragma once
// Drives a running converter.exe from outside through window messages, as a
// user would: controls are found by their stable identifiers, and every wait
// is for a condition (a window appears, a run returns, the process ends).
#include "support/Process.h"
#include "support/WindowWaits.h"

#include <windows.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace uitest {

constexpr DWORD kWaitMs = 60000;

using testsupport::Answer;
using testsupport::MessageBoxSeen;
using testsupport::WaitUntil;

// How a test starts the program with arguments, which run one job without the
// main window.
struct CommandLineStart {
    std::wstring arguments;
    // Through a console program that has a console of its own, with the
    // program's standard output in outputFile; else started straight from the
    // test, with no console to attach to, and its standard output and error
    // in outputFile when one is named.
    bool withConsole;
    std::wstring outputFile;
    // Another copy of the program; empty for this tree's converter.exe.
    std::wstring programFile = L"";
};

class Converter {
public:
    // Starts the program (this tree's converter.exe unless another copy is
    // named) and waits for its main window.
    Converter();
    explicit Converter(const std::wstring& programFile);
    // Starts it with arguments and does not wait for any window.
    explicit Converter(const CommandLineStart& start);
    ~Converter(); // ends it if it still runs
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    HWND Main() const { return main_; }
    HWND Control(int id) const;
    // The first visible top-level window of the program with this class.
    HWND TopLevel(const wchar_t* className) const;
    std::wstring Text(int id) const;
    void SetText(int id, const std::wstring& text) const;
    std::vector<std::wstring> ComboItems(int id) const;
    std::vector<std::wstring> ListItems(int id) const;
    // The text of one panel of the main window's status bar.
    std::wstring StatusText(int part) const;
    // A click on a push button, check box or radio button, handled before it
    // returns; PostClick leaves it queued, for buttons that open a modal window.
    void Click(int id) const;
    void PostClick(int id) const;
    // Files dropped onto a control as Explorer drops them; handled on return.
    void DropFiles(int id, const std::vector<std::wstring>& names) const;
    // The control that has the program's keyboard focus; null when none has.
    HWND Focused() const;
    int FocusedId() const { return GetDlgCtrlID(Focused()); }
    // A key pressed and released at the focused control (the main window when
    // none has the focus), handled before it returns; PostKey leaves it
    // queued, for keys that start a run.
    void PressKey(WPARAM key) const;
    void PostKey(WPARAM key) const;
    // Presses Tab and waits until the focus has moved; false when it never does.
    bool PressTab() const;
    // Presses Tab until the control has the focus; false when Tab never gets there.
    bool TabTo(int id) const;
    // Ctrl (and Shift) with a key, typed at the keyboard of the program's
    // window in front, as only typed keys change what Ctrl and Shift read.
    void TypeWithControl(WORD key, bool shift) const;
    // Moves the selection of a drop-down list down by steps with the keyboard,
    // as a user picks an entry (the list reports the change itself).
    void PickDown(int id, int steps) const;

    // Waits for a file dialog of the program; null when none came.
    HWND WaitForFileDialog(DWORD timeoutMs = kWaitMs) const;
    // Types text into the dialog's file name field and presses its OK button.
    static void ChooseInFileDialog(HWND dialog, const std::wstring& text);
    // The same with a folder's name, which the dialog opens; returns when it has.
    static void OpenFolderInFileDialog(HWND dialog, const std::wstring& folder);
    std::vector<std::wstring> TabCaptions(int id) const;
    // Clicks a tab of a tab control with the mouse, as the user switches pages.
    void SelectTab(int tabsId, int index) const;

    // Starts a run with a click on an image button; the run ends when the
    // click's handler returns (RunReturned).
    void StartClick(int imageButtonId);
    bool RunReturned(DWORD timeoutMs = kWaitMs);

    // Waits for a message box of the program (not a file dialog); empty
    // window when none came.
    MessageBoxSeen WaitForMessageBox(DWORD timeoutMs = kWaitMs) const;

    // Until the program waits for input with nothing left to paint.
    void WaitIdle() const;
    // Until the program has handled what was queued for it before, or waits in
    // a message box that this brought up.
    void Settle() const;
    // Until the program has handled that many messages posted to it before.
    void SettlePosted(int posted) const;
    bool WaitForExit(DWORD timeoutMs = kWaitMs);
    bool Running() const;
    // The exit code once the process has ended.
    DWORD ExitCode() const;

private:
    std::unique_ptr<testsupport::Process> process_;
    HWND main_ = nullptr;
    std::unique_ptr<std::thread> click_;
    HANDLE clickDone_ = nullptr;
    // Holds the program and whatever it starts; closing it ends them all.
    HANDLE job_ = nullptr;
};

// This tree's converter.exe (Windows path).
std::wstring ConverterPath();

// Saves a picture of the whole display under the build tree's screenshot folder.
void SaveScreenshot(const std::string& name);

} // namespace uitest
