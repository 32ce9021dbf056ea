#pragma once
// Where a run from the command line prints its progress and messages instead
// of showing windows: the standard output (or error) the caller handed down,
// else the console of the program that started the converter.

#include <windows.h>

#include <string>

namespace ui {

class TConsoleOutput {
public:
    // Takes the handed-down output and attaches to the parent's console;
    // Attached() tells whether there is anywhere to print.
    TConsoleOutput();
    ~TConsoleOutput();
    TConsoleOutput(const TConsoleOutput&) = delete;
    TConsoleOutput& operator=(const TConsoleOutput&) = delete;

    bool Attached() const { return output_ != nullptr; }
    // One line of text.
    void Line(const std::wstring& text);
    // The current file's percentage, printed when it has grown; 0 starts a new file.
    void Progress(int percent);
    // Ctrl+C or Ctrl+Break was pressed on the console: the run stops at its
    // next block, as the progress window's cancel button stops it.
    bool Interrupted() const;

private:
    void Write(const std::wstring& text);
    void EndProgress();

    HANDLE output_ = nullptr;
    bool ownsOutput_ = false;
    bool attachedConsole_ = false;
    bool isConsole_ = false;
    int shownPercent_ = -1;
};

} // namespace ui
