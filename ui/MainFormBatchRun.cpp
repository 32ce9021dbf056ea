// The batch runs: every entry of a list through the page's job, inside the
// progress window, with the progress line in the status bar's text panel.
#include "MainForm.h"

#include "core/BatchRules.h"
#include "core/FolderField.h"
#include "jobs/ConvertJobs.h"
#include "resource.h"

#include <windowsx.h>

#include <vector>

namespace ui {
namespace {

constexpr int kTextPanel = 0;

// A folder typed in its short 8.3 form is used in its long form; a folder that
// does not exist stays as typed, and its jobs say they cannot create the file.
std::wstring LongFolderName(const std::wstring& folder) {
    if (folder.empty()) {
        return folder;
    }
    const DWORD needed = GetLongPathNameW(folder.c_str(), nullptr, 0);
    if (needed == 0) {
        return folder;
    }
    std::vector<wchar_t> longName(needed, L'\0');
    const DWORD length = GetLongPathNameW(folder.c_str(), longName.data(), needed);
    return length == 0 || length >= needed ? folder : std::wstring(longName.data(), length);
}

} // namespace

// A destination that names its own source is refused by the job with its
// message, and the run goes on with the next entry, as after any refusal.
void TMainForm::RunBatch(HWND list, int besideSourceId, const TFileNameEdit& folderEd, const wchar_t* extension,
                         const std::function<void(const std::wstring&, const std::wstring&)>& job) {
    const int n = ListBox_GetCount(list);
    for (int i = 0; i < n; ++i) {
        FilesDone = i;
        FileCount = ListBox_GetCount(list);
        if (cancelRequested_) {
            return;
        }
        SendMessageW(statusBar_, SB_SETTEXTW, kTextPanel,
                     reinterpret_cast<LPARAM>(core::BatchProgressLine(i, FileCount).c_str()));
        const std::wstring source = ListBoxText(list, i);
        const std::wstring folder = LongFolderName(core::FolderFieldPath(WindowText(folderEd.Edit())));
        job(source, core::BatchDestination(source, Checked(besideSourceId), folder, extension));
    }
}

void TMainForm::Gobtn2Proc() {
    RunBatch(fileList_, IDC_MAIN_QUELLCHECK, *outDirectoryEd_, L".wav",
             [this](const std::wstring& source, const std::wstring& destination) {
                 if (Checked(IDC_MAIN_CDQUAL2CHECK)) {
                     ConvertMP3CDWAV(*this, source, destination);
                 } else {
                     ConvertMP3WAV(*this, source, destination);
                 }
             });
}

void TMainForm::Gobtn4Proc() {
    RunBatch(fileList2_, IDC_MAIN_QUELLCHECK2, *outDirectory2Ed_, L".mp3",
             [this](const std::wstring& source, const std::wstring& destination) {
                 ConvertWAVMP3(*this, source, destination);
             });
}

} // namespace ui
