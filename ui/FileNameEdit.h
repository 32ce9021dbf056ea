#pragma once
// An edit for one file or folder name with a browse button beside it. The
// edit hands its name out and takes names in by the converter's file-name
// rules; the browse button opens an open-file, save-file or folder dialog.
#include "Controls.h"

#include <functional>
#include <string>

namespace ui {

enum class BrowseKind { Open, Save, Folder };

struct FileNameEditDescription {
    int boxId;
    int editId;
    int browseId;
    BrowseKind kind;
    const wchar_t* defaultExtension; // without the full stop
    const wchar_t* filter;           // pairs of NUL-terminated texts
    // Runs when the dialog has closed, confirmed or not, with the dialog's
    // name or else the edit's own, before the edit takes a confirmed name.
    std::function<void(std::wstring& fileName, bool& action)> afterDialog;
};

class TFileNameEdit : public TPanel {
public:
    TFileNameEdit(HWND parent, RECT rect, FileNameEditDescription description, HICON browseGlyph);

    // The name as the edit hands it out.
    std::wstring FileName() const;
    // Shows name in the edit, quoted where it holds a blank.
    void SetFileName(const std::wstring& name);
    // As SetFileName, for names the program derives: a name the converter
    // cannot take is refused with the application's error box.
    bool PutFileName(const std::wstring& name);
    HWND Edit() const { return edit_; }

    void BrowseClick();

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool RunFileDialog(std::wstring& name);
    bool RunFolderDialog(std::wstring& name);

    FileNameEditDescription description_;
    HICON glyph_;
    HWND edit_;
};

} // namespace ui
