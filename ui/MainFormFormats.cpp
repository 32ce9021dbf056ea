// The main window's format lists.
#include "MainForm.h"

#include <windowsx.h>

namespace ui {

void TMainForm::FillFormatLists() {
    formats_.Enumerate();
    for (const std::wstring& description : formats_.MP3Descriptions()) {
        ComboBox_AddString(mp3format(), description.c_str());
        ComboBox_AddString(mp3format2(), description.c_str());
    }
    for (const std::wstring& description : formats_.PCMDescriptions()) {
        ComboBox_AddString(WAVFormats(), description.c_str());
    }
    for (HWND list : {mp3format(), mp3format2(), WAVFormats()}) {
        ComboBox_SetCurSel(list, 0);
    }
}

// Keeps the single-file and the batch MP3 lists on the same entry.
void TMainForm::mp3formatChange() {
    if (SyncingFormats) {
        return;
    }
    SyncingFormats = true;
    ComboBox_SetCurSel(mp3format2(), ComboBox_GetCurSel(mp3format()));
    SyncingFormats = false;
    savesetting();
}

void TMainForm::mp3format2Change() {
    if (SyncingFormats) {
        return;
    }
    SyncingFormats = true;
    ComboBox_SetCurSel(mp3format(), ComboBox_GetCurSel(mp3format2()));
    SyncingFormats = false;
    savesetting();
}

} // namespace ui
