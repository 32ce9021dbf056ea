// The main window's format lists and the conversion-stream components.
#include "MainForm.h"

#include "Application.h"
#include "core/ConvertorState.h"
#include "resource.h"

#include <windowsx.h>

namespace ui {
namespace {

std::string ComponentData() {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_MAIN_COMPONENTS), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return data ? std::string(data, SizeofResource(nullptr, found)) : std::string();
}

} // namespace

// The streams start with the formats and buffer sizes of their design-time data.
void TMainForm::LoadComponents() {
    auto states = core::ParseConvertorStates(ComponentData());
    components_.reset(new ConverterComponents{TACMConvertor(states["mp3wav"]), TACMConvertor(states["wavcd"]),
                                              TACMConvertor(states["wavtowav"]), TACMConvertor(states["wavmp3"])});
}

void TMainForm::FillFormatLists() {
    discovery_.Enumerate();
    for (HWND list : {mp3format_, mp3format2_, WAVFormats_}) {
        ComboBox_SetCurSel(list, 0);
    }
}

void TMainForm::AddMP3FormatEntry(const std::wstring& description) {
    ComboBox_AddString(mp3format_, description.c_str());
    ComboBox_AddString(mp3format2_, description.c_str());
}

void TMainForm::AddPCMFormatEntry(const std::wstring& description) {
    ComboBox_AddString(WAVFormats_, description.c_str());
}

int TMainForm::MP3FormatItemCount() const { return ComboBox_GetCount(mp3format_); }
int TMainForm::MP3FormatItemIndex() const { return ComboBox_GetCurSel(mp3format_); }
int TMainForm::WAVFormatsItemCount() const { return ComboBox_GetCount(WAVFormats_); }
int TMainForm::WAVFormatsItemIndex() const { return ComboBox_GetCurSel(WAVFormats_); }

// Keeps the single-file and the batch MP3 lists on the same entry.
void TMainForm::mp3formatChange() {
    if (SyncingFormats) {
        return;
    }
    SyncingFormats = true;
    ComboBox_SetCurSel(mp3format2_, ComboBox_GetCurSel(mp3format_));
    SyncingFormats = false;
    savesetting();
}

void TMainForm::mp3format2Change() {
    if (SyncingFormats) {
        return;
    }
    SyncingFormats = true;
    ComboBox_SetCurSel(mp3format_, ComboBox_GetCurSel(mp3format2_));
    SyncingFormats = false;
    savesetting();
}

} // namespace ui
