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
    for (HWND list : {mp3format(), mp3format2(), WAVFormats()}) {
        ComboBox_SetCurSel(list, 0);
    }
}

void TMainForm::AddMP3FormatEntry(const std::wstring& description) {
    ComboBox_AddString(mp3format(), description.c_str());
    ComboBox_AddString(mp3format2(), description.c_str());
}

void TMainForm::AddPCMFormatEntry(const std::wstring& description) {
    ComboBox_AddString(WAVFormats(), description.c_str());
}

int TMainForm::MP3FormatItemCount() const { return ComboBox_GetCount(mp3format()); }
int TMainForm::MP3FormatItemIndex() const { return ComboBox_GetCurSel(mp3format()); }
int TMainForm::WAVFormatsItemCount() const { return ComboBox_GetCount(WAVFormats()); }
int TMainForm::WAVFormatsItemIndex() const { return ComboBox_GetCurSel(WAVFormats()); }

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
