#pragma once
// The console of the program that started the converter, when it has one:
// there a run from the command line prints its progress and messages instead
// of showing windows.

#include <windows.h>

#include <string>

namespace ui {

class TConsoleOutput {
public:
    // Attaches to the parent's console; Attached() tells whether that worked.
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
    bool isConsole_ = false;
    int shownPercent_ = -1;
};

} // namespace ui
