// The ID3 v1.1 tag editor tab. The edit fields are the only record of the tag
// between opening and saving; the file side lives with the jobs.
#include "MainForm.h"

#include "Application.h"
#include "core/ID3Tag.h"
#include "jobs/ID3TagFile.h"
#include "resource.h"

#include <windowsx.h>

namespace ui {
namespace {

void SetText(HWND control, const std::wstring& text) {
    SetWindowTextW(control, text.c_str());
}

struct TagField {
    int id;
    std::wstring ID3TagTexts::*text;
};

// In the order the fields are filled.
const TagField kTagFields[] = {
    {IDC_MAIN_EDTITLE, &ID3TagTexts::title},     {IDC_MAIN_EDARTIST, &ID3TagTexts::artist},
    {IDC_MAIN_EDALBUM, &ID3TagTexts::album},     {IDC_MAIN_EDYEAR, &ID3TagTexts::year},
    {IDC_MAIN_EDGENRE, &ID3TagTexts::genre},     {IDC_MAIN_EDCOMMENT, &ID3TagTexts::comment},
    {IDC_MAIN_EDLIEDNR, &ID3TagTexts::track},
};

} // namespace

void TMainForm::FillGenreList() {
    HWND genre = Item(IDC_MAIN_EDGENRE);
    for (const char* name : core::ID3Genres) {
        ComboBox_AddString(genre, FromTagText(name).c_str());
    }
}

void TMainForm::FillID3TagInformation(const std::wstring& fileName) {
    ID3TagTexts tag;
    const ID3TagFileResult result = ReadID3TagFile(fileName, tag);
    if (result != ID3TagFileResult::Done) {
        ShowErrorMessage(Handle(), ID3TagFileMessage(result));
        return;
    }
    for (const TagField& field : kTagFields) {
        SetText(Item(field.id), tag.*field.text);
    }
}

void TMainForm::ChangeID3Tag(const std::wstring& fileName) {
    ID3TagTexts tag;
    for (const TagField& field : kTagFields) {
        tag.*field.text = WindowText(Item(field.id));
    }
    const ID3TagFileResult result = WriteID3TagFile(fileName, tag);
    if (result != ID3TagFileResult::Done) {
        ShowErrorMessage(Handle(), ID3TagFileMessage(result));
    }
}

void TMainForm::OpenBtnClick() {
    if (Mp3SelectDialog.Execute(Handle())) {
        FillID3TagInformation(Mp3SelectDialog.FileName());
    }
}

// The editor remembers no file, so the user names the file to write into.
void TMainForm::SaveBtnClick() {
    if (MP3SaveDialog.Execute(Handle())) {
        ChangeID3Tag(MP3SaveDialog.FileName());
    }
}

// The genre is a combo box, which never sends EN_CHANGE.
bool TMainForm::TagFieldCommand(int id, int code, HWND control) {
    for (const TagField& field : kTagFields) {
        if (field.id != id) {
            continue;
        }
        if (code == EN_CHANGE) {
            TagFieldChange(control);
            if (id == IDC_MAIN_EDCOMMENT) {
                edCommentChange();
            }
        }
        return true;
    }
    return false;
}

void TMainForm::edCommentChange() {
    SetText(Item(IDC_MAIN_TRACKINFO), TrackInfoText(WindowText(Item(IDC_MAIN_EDCOMMENT))));
}

// The edits limit characters, but the tag's fields hold bytes of the ANSI code
// page, where one character may take two. A change that no longer fits is
// taken back, with the caret where the input went in.
void TMainForm::TagFieldChange(HWND edit) {
    const std::wstring text = WindowText(edit);
    const auto limit = static_cast<size_t>(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
    if (ToTagText(text).size() <= limit) {
        tagFieldTexts_[edit] = text;
        return;
    }
    const std::wstring& previous = tagFieldTexts_[edit];
    DWORD caret = 0;
    SendMessageW(edit, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    const size_t grown = text.size() > previous.size() ? text.size() - previous.size() : 0;
    const auto at = static_cast<LPARAM>(caret > grown ? caret - grown : 0);
    SetText(edit, previous);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(at), at);
    MessageBeep(MB_OK);
}

} // namespace ui
