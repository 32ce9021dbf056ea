#include "TagEditorPage.h"

#include "Application.h"
#include "PageParts.h"
#include "Texts.h"
#include "core/ID3Tag.h"
#include "jobs/ID3TagFile.h"
#include "resource.h"

#include <windowsx.h>

namespace ui {
namespace {

void SetText(HWND control, const std::wstring& text) { SetWindowTextW(control, text.c_str()); }

struct TagField {
    int id;
    std::wstring ID3TagTexts::*text;
};

// In the order the fields are filled.
const TagField kTagFields[] = {
    {IDC_MAIN_EDTITLE, &ID3TagTexts::title},  {IDC_MAIN_EDARTIST, &ID3TagTexts::artist},
    {IDC_MAIN_EDALBUM, &ID3TagTexts::album},  {IDC_MAIN_EDYEAR, &ID3TagTexts::year},
    {IDC_MAIN_EDGENRE, &ID3TagTexts::genre},  {IDC_MAIN_EDCOMMENT, &ID3TagTexts::comment},
    {IDC_MAIN_EDLIEDNR, &ID3TagTexts::track},
};

} // namespace

TTagEditorPage::TTagEditorPage(TPanel& area, HWND owner)
    : area_(area.Handle()), owner_(owner), Mp3SelectDialog({texts::FilterMp3Only, L"mp3", false}),
      MP3SaveDialog({texts::FilterMp3Only, L"mp3", true}) {
    CreateControls(area);
}

void TTagEditorPage::CreateControls(TPanel& area) {
    struct Field {
        const wchar_t* label;
        int labelId, editId, limit, width;
    };
    const Field fields[] = {
        {texts::TagTitle, IDC_MAIN_LABEL_TITLE, IDC_MAIN_EDTITLE, 30, 0},
        {texts::TagArtist, IDC_MAIN_LABEL_ARTIST, IDC_MAIN_EDARTIST, 30, 0},
        {texts::TagAlbum, IDC_MAIN_LABEL_ALBUM, IDC_MAIN_EDALBUM, 30, 0},
        {texts::TagYear, IDC_MAIN_LABEL_YEAR, IDC_MAIN_EDYEAR, 4, 60},
        {texts::TagGenre, IDC_MAIN_LABEL_GENRE, IDC_MAIN_EDGENRE, 0, 220},
        {texts::TagComment, IDC_MAIN_LABEL_COMMENT, IDC_MAIN_EDCOMMENT, 30, 0},
        {texts::TagTrack, IDC_MAIN_LABEL_TRACK, IDC_MAIN_EDLIEDNR, 30, 60},
    };
    const SIZE size = ClientSize(area.Handle());
    constexpr int kLabelWidth = 90, kRow = 30, kTop = 14;
    const int editLeft = kPageMargin + kLabelWidth, fullWidth = size.cx - editLeft - kPageMargin;
    int y = kTop;
    for (const Field& f : fields) {
        area.AddControl(L"STATIC", f.label, 0, Rect(kPageMargin, y + 4, kLabelWidth, kPageLabelHeight), f.labelId);
        const bool wide = f.width == 0;
        const unsigned anchors = wide ? kLeft | kTop | kRight : kTopLeft;
        if (f.editId == IDC_MAIN_EDGENRE) {
            area.AddControl(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                            Rect(editLeft, y, f.width, kPageDropDownHeight), f.editId, anchors);
        } else {
            HWND edit = area.AddControl(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL,
                                        Rect(editLeft, y, wide ? fullWidth : f.width, kPageEditHeight), f.editId,
                                        anchors, WS_EX_CLIENTEDGE);
            SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(f.limit), 0);
        }
        y += kRow;
    }
    area.AddControl(L"STATIC", L"", 0, Rect(kPageMargin, y, size.cx - 2 * kPageMargin, 2 * kPageLabelHeight),
                    IDC_MAIN_TRACKINFO, kLeft | kTop | kRight);
    const int buttonWidth = (size.cx - 3 * kPageMargin) / 2;
    area.AddControl(L"BUTTON", texts::TagOpen, WS_TABSTOP,
                    Rect(kPageMargin, size.cy - 25 - kPageMargin, buttonWidth, 25), IDC_MAIN_OPENBTN, kLeft | kBottom);
    area.AddControl(L"BUTTON", texts::TagSave, WS_TABSTOP,
                    Rect(2 * kPageMargin + buttonWidth, size.cy - 25 - kPageMargin, buttonWidth, 25), IDC_MAIN_SAVEBTN,
                    kLeft | kBottom);
}

HWND TTagEditorPage::Item(int id) const { return GetDlgItem(area_, id); }

bool TTagEditorPage::OnCommand(int id, int code, HWND control) {
    if (code == BN_CLICKED && id == IDC_MAIN_OPENBTN) {
        OpenBtnClick();
        return true;
    }
    if (code == BN_CLICKED && id == IDC_MAIN_SAVEBTN) {
        SaveBtnClick();
        return true;
    }
    return TagFieldCommand(id, code, control);
}

void TTagEditorPage::FillGenreList() {
    HWND genre = Item(IDC_MAIN_EDGENRE);
    for (const char* name : core::ID3Genres) {
        ComboBox_AddString(genre, FromTagText(name).c_str());
    }
}

void TTagEditorPage::FillID3TagInformation(const std::wstring& fileName) {
    ID3TagTexts tag;
    const ID3TagFileResult result = ReadID3TagFile(fileName, tag);
    if (result != ID3TagFileResult::Done) {
        ShowErrorMessage(owner_, ID3TagFileMessage(result));
        return;
    }
    for (const TagField& field : kTagFields) {
        SetText(Item(field.id), tag.*field.text);
    }
}

void TTagEditorPage::ChangeID3Tag(const std::wstring& fileName) {
    ID3TagTexts tag;
    for (const TagField& field : kTagFields) {
        tag.*field.text = WindowText(Item(field.id));
    }
    const ID3TagFileResult result = WriteID3TagFile(fileName, tag);
    if (result != ID3TagFileResult::Done) {
        ShowErrorMessage(owner_, ID3TagFileMessage(result));
    }
}

void TTagEditorPage::OpenBtnClick() {
    if (Mp3SelectDialog.Execute(owner_)) {
        FillID3TagInformation(Mp3SelectDialog.FileName());
    }
}

// The editor remembers no file, so the user names the file to write into.
void TTagEditorPage::SaveBtnClick() {
    if (MP3SaveDialog.Execute(owner_)) {
        ChangeID3Tag(MP3SaveDialog.FileName());
    }
}

// The genre is a combo box, which never sends EN_CHANGE.
bool TTagEditorPage::TagFieldCommand(int id, int code, HWND control) {
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

void TTagEditorPage::edCommentChange() {
    SetText(Item(IDC_MAIN_TRACKINFO), TrackInfoText(WindowText(Item(IDC_MAIN_EDCOMMENT))));
}

// The edits limit characters, but the tag's fields hold bytes of the ANSI code
// page, where one character may take two. A change that no longer fits is
// taken back, with the caret where the input went in.
void TTagEditorPage::TagFieldChange(HWND edit) {
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
