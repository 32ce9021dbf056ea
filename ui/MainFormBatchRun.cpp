// The batch runs: every entry of a list through the page's job, inside the
// progress window, with the progress line in the status bar's text panel.
#include "MainForm.h"

#include "core/BatchRules.h"
#include "core/FolderField.h"
#include "jobs/ConvertJobs.h"
#include "jobs/JobFailure.h"
#include "jobs/SameFile.h"
#include "resource.h"

#include <windowsx.h>

#include <algorithm>
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

// The entry's name is added to messages only while its job runs.
class EntryNamed {
public:
    EntryNamed(std::wstring& slot, const std::wstring& entry) : slot_(slot) { slot_ = entry; }
    ~EntryNamed() { slot_.clear(); }
    EntryNamed(const EntryNamed&) = delete;
    EntryNamed& operator=(const EntryNamed&) = delete;

private:
    std::wstring& slot_;
};

} // namespace

bool TMainForm::WrittenByRun(const std::wstring& name) const {
    return std::any_of(writtenByRun_.begin(), writtenByRun_.end(),
                       [&](const std::wstring& written) { return NamesSameFile(name, written); });
}

// A destination that names its own source is refused by the job with its
// message, and the run goes on with the next entry, as after any refusal. A
// failure that ends the run names its entry like the job's own messages.
void TMainForm::RunBatch(HWND list, int besideSourceId, const TFileNameEdit& folderEd, const wchar_t* extension,
                         const std::function<void(const std::wstring&, const std::wstring&)>& job) {
    writtenByRun_.clear();
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
        const std::wstring destination =
            core::DestinationNotWrittenByRun(core::BatchDestination(source, Checked(besideSourceId), folder, extension),
                                             [this](const std::wstring& name) { return WrittenByRun(name); });
        const EntryNamed named(batchEntry_, source);
        try {
            job(source, destination);
        } catch (const JobFailure& failure) {
            throw JobFailure(core::MessageNamingEntry(failure.Message(), source));
        }
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
