#pragma once
// The main window's file dialogs that are components of their own rather than
// part of a file-name edit: the multi-select open dialogs of the batch lists
// and the tag editor, and the tag editor's save dialog.
#include <windows.h>

#include <string>
#include <vector>

namespace ui {

// The longest path the platform's file functions take, in characters.
inline constexpr size_t kLongestPath = 32768;

struct FileDialogDescription {
    const wchar_t* filter;           // pairs of NUL-terminated texts
    const wchar_t* defaultExtension; // without the full stop
    bool save;                       // a save dialog that asks before overwriting
};

class TFileDialog {
public:
    explicit TFileDialog(FileDialogDescription description) : description_(description) {}

    // Runs the dialog; false when it was cancelled or failed.
    bool Execute(HWND owner);
    // The chosen files, full paths, in the order the dialog gave them.
    const std::vector<std::wstring>& Files() const { return files_; }
    std::wstring FileName() const { return files_.empty() ? std::wstring() : files_.front(); }

private:
    FileDialogDescription description_;
    std::vector<std::wstring> files_;
};

// Runs the platform's open or save dialog with the converter's options over
// buffer, which brings the initial name and takes the chosen one(s); false
// when it was cancelled. extraFlags adds to the options every dialog has. A
// choice that does not fit is asked for again with more room; one that fits in
// no room is reported to the user and counts as cancelled.
bool RunFileDialog(HWND owner, const wchar_t* filter, const wchar_t* defaultExtension, bool save, DWORD extraFlags,
                   std::vector<wchar_t>& buffer);

// The names in an Explorer-style multi-select result: either one full path, or
// a folder followed by names in it, each ending in a NUL, the list in two.
std::vector<std::wstring> SplitDialogSelection(const std::vector<wchar_t>& buffer);

} // namespace ui
