// What the main window keeps between runs: the three format choices in
// settings.dat, and the placement and eight option controls in the profile,
// both in the user's settings folder.
#include "MainForm.h"
#include "SettingsPlace.h"

#include "core/SettingsDat.h"
#include "jobs/Win32File.h"
#include "resource.h"

#include <windowsx.h>

namespace ui {

// The lists are filled and on entry 0 already; a position that does not fit
// its list leaves it there.
void TMainForm::ReadSettings() {
    const core::FormatSelections selected = formats_.StoredSelections(ProgramDir);
    HWND lists[] = {mp3format(), mp3format2(), WAVFormats()};
    for (size_t i = 0; i < core::kStoredFormatLists; ++i) {
        ComboBox_SetCurSel(lists[i], selected[i]);
    }
}

// Runs on the user's change of a format list only: the program's own
// selections send no change notification. A failure leaves the choice in the
// window only, without a word.
void TMainForm::savesetting() {
    MakeSettingsFolder();
    auto file = Win32File::CreateAnew(SettingsFile(core::kSettingsFileName, ProgramDir + core::kSettingsFileName));
    if (file) {
        core::WriteSettingsDat(*file, {ComboBox_GetCurSel(mp3format()), ComboBox_GetCurSel(mp3format2()),
                                       ComboBox_GetCurSel(WAVFormats())});
    }
}

core::StoredControls TMainForm::ReadStoredControls() const {
    core::StoredControls controls;
    controls.cdqual2check = Checked(IDC_MAIN_CDQUAL2CHECK);
    controls.cdqualcheck = Checked(IDC_MAIN_CDQUALCHECK);
    controls.QuellCheck = Checked(IDC_MAIN_QUELLCHECK);
    controls.OwnfolderCheck = Checked(IDC_MAIN_OWNFOLDERCHECK);
    controls.OutDirectoryEd = WindowText(mp3WavBatch_->OutDirectoryEd().Edit());
    controls.OutDirectory2Ed = WindowText(wavMp3Batch_->OutDirectoryEd().Edit());
    controls.OwnFolderCheck2 = Checked(IDC_MAIN_OWNFOLDERCHECK2);
    controls.QuellCheck2 = Checked(IDC_MAIN_QUELLCHECK2);
    return controls;
}

void TMainForm::ApplyStoredControls(const core::StoredControls& controls) {
    const std::pair<int, bool> checks[] = {
        {IDC_MAIN_CDQUAL2CHECK, controls.cdqual2check},       {IDC_MAIN_CDQUALCHECK, controls.cdqualcheck},
        {IDC_MAIN_QUELLCHECK, controls.QuellCheck},           {IDC_MAIN_OWNFOLDERCHECK, controls.OwnfolderCheck},
        {IDC_MAIN_OWNFOLDERCHECK2, controls.OwnFolderCheck2}, {IDC_MAIN_QUELLCHECK2, controls.QuellCheck2},
    };
    for (const auto& [id, checked] : checks) {
        Button_SetCheck(Item(id), checked ? BST_CHECKED : BST_UNCHECKED);
    }
    SetWindowTextW(mp3WavBatch_->OutDirectoryEd().Edit(), controls.OutDirectoryEd.c_str());
    SetWindowTextW(wavMp3Batch_->OutDirectoryEd().Edit(), controls.OutDirectory2Ed.c_str());
}

// The first showing: the stored position is in place before the window
// appears, in the stored state.
void TMainForm::FormShow(int& showCommand, bool& minimizeAfterShow) {
    const auto restored = FormStorage1.RestoreFormPlacement(Handle(), ReadStoredControls());
    if (!restored) {
        return;
    }
    switch (restored->state) {
    case core::StoredWindowState::Maximized:
        showCommand = SW_SHOWMAXIMIZED;
        break;
    case core::StoredWindowState::Minimized:
        showCommand = SW_SHOWNORMAL;
        minimizeAfterShow = true;
        break;
    case core::StoredWindowState::Normal:
        break;
    }
    ApplyStoredControls(restored->controls);
}

} // namespace ui
