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
    SetText(Item(IDC_MAIN_EDTITLE), tag.title);
    SetText(Item(IDC_MAIN_EDARTIST), tag.artist);
    SetText(Item(IDC_MAIN_EDALBUM), tag.album);
    SetText(Item(IDC_MAIN_EDYEAR), tag.year);
    SetText(Item(IDC_MAIN_EDGENRE), tag.genre);
    SetText(Item(IDC_MAIN_EDCOMMENT), tag.comment);
    SetText(Item(IDC_MAIN_EDLIEDNR), tag.track);
}

void TMainForm::ChangeID3Tag(const std::wstring& fileName) {
    ID3TagTexts tag;
    tag.title = WindowText(Item(IDC_MAIN_EDTITLE));
    tag.artist = WindowText(Item(IDC_MAIN_EDARTIST));
    tag.album = WindowText(Item(IDC_MAIN_EDALBUM));
    tag.year = WindowText(Item(IDC_MAIN_EDYEAR));
    tag.comment = WindowText(Item(IDC_MAIN_EDCOMMENT));
    tag.track = WindowText(Item(IDC_MAIN_EDLIEDNR));
    tag.genre = WindowText(Item(IDC_MAIN_EDGENRE));
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
