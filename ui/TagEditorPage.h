#pragma once
// The ID3 v1.1 tag editor page. The edit fields are the only record of the
// tag between opening and saving; the file side lives with the jobs.
#include "Controls.h"
#include "FileDialogs.h"

#include <map>
#include <string>

namespace ui {

class TTagEditorPage {
public:
    // owner: the window that owns the dialogs and message boxes.
    TTagEditorPage(TPanel& area, HWND owner);

    void FillGenreList();
    // Handles a command from one of the page's controls; false for any other.
    bool OnCommand(int id, int code, HWND control);

private:
    void CreateControls(TPanel& area);
    HWND Item(int id) const;
    void FillID3TagInformation(const std::wstring& fileName);
    void ChangeID3Tag(const std::wstring& fileName);
    void OpenBtnClick();
    void SaveBtnClick();
    void edCommentChange();
    void TagFieldChange(HWND edit);
    bool TagFieldCommand(int id, int code, HWND control);

    HWND area_;
    HWND owner_;
    TFileDialog Mp3SelectDialog;
    TFileDialog MP3SaveDialog;
    // The last text of each tag field that fitted its width in bytes.
    std::map<HWND, std::wstring> tagFieldTexts_;
};

} // namespace ui
