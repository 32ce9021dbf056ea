#include "RunSession.h"

#include "Application.h"
#include "ConsoleOutput.h"
#include "StatusForm.h"
#include "Texts.h"

#include "core/ProgressMeter.h"
#include "jobs/JobFailure.h"
#include "win/TextConversion.h"

namespace ui {

void TRunSession::Run(PageJob job) {
    cancelRequested_ = false;
    runFailed_ = false;
    tally_ = core::BatchTally();
    runJob_ = std::move(job);
    if (statusForm_) {
        statusForm_->ResetProgressBars();
    }
    if (console_) {
        if (runJob_ && !RunCurrentJob()) {
            console_->Line(texts::MissingFileNames);
        }
    } else if (statusForm_) {
        statusForm_->ShowModal();
    }
}

bool TRunSession::RunCurrentJob() {
    try {
        if (!runJob_()) {
            runFailed_ = true;
            return false;
        }
    } catch (const JobFailure& failure) {
        ShowJobMessage(failure.Message());
    } catch (const std::exception& failure) {
        ShowJobMessage(win::WidenUtf8(failure.what()));
    } catch (...) {
        ShowJobMessage(texts::UnexpectedFailure);
    }
    return true;
}

void TRunSession::RunEntries(const std::vector<JobRequest>& entries) {
    struct Running {
        TRunSession& session;
        Running(TRunSession& s, const std::vector<JobRequest>& entries) : session(s) {
            session.entries_ = &entries;
            session.SetConverting(true);
        }
        ~Running() {
            session.SetConverting(false);
            session.entries_ = nullptr;
        }
    } running(*this, entries);
    try {
        RunBatch(entries, LogicalProcessors(), *this);
    } catch (const JobFailure& failure) {
        throw JobFailure(core::MessageNamingEntry(failure.Message(), failedEntry_));
    }
}

void TRunSession::ShowBatchSummary() {
    const std::wstring summary = core::BatchSummary(tally_);
    if (summary.empty()) {
        return;
    }
    if (console_) {
        console_->Line(summary);
    } else {
        MessageBoxW(MessageOwner(), summary.c_str(), texts::ApplicationTitle, MB_OK | MB_ICONWARNING);
    }
}

bool TRunSession::CancelRequested() const { return cancelRequested_ || (console_ && console_->Interrupted()); }

void TRunSession::SetProStatus(int percent) {
    if (core::IsProgressPercent(percent)) {
        ShowProgress(percent, percent);
    }
}

void TRunSession::ProcessMessages() { ui::ProcessMessages(); }

void TRunSession::ShowJobMessage(const std::wstring& text) {
    runFailed_ = true;
    Show(text);
}

void TRunSession::EntryStarted(int index) {
    ShowProgressLine(core::BatchProgressLine(index, static_cast<int>(entries_->size())));
}

void TRunSession::ShowProgress(int filePercent, int totalPercent) {
    if (statusForm_) {
        statusForm_->SetProgress(filePercent, totalPercent);
    }
    if (console_) {
        console_->Progress(filePercent);
    }
    ShowMeter(filePercent);
}

void TRunSession::ShowEntryMessage(int index, const std::wstring& text) {
    const std::wstring& entry = (*entries_)[static_cast<size_t>(index)].source;
    runFailed_ = true;
    tally_.NoteFailure(entry);
    Show(core::MessageNamingEntry(text, entry));
}

void TRunSession::EntryEnded(int index, bool cutShort) {
    tally_.NoteEnded((*entries_)[static_cast<size_t>(index)].source, cutShort);
}

void TRunSession::EntryFailed(int index) {
    const std::wstring& entry = (*entries_)[static_cast<size_t>(index)].source;
    tally_.NoteFailure(entry);
    tally_.NoteEnded(entry, false);
    failedEntry_ = entry;
}

void TRunSession::ShowProgressLine(const std::wstring& line) {
    if (console_) {
        console_->Line(line);
    }
}

// Owned by the window the user sees of the converter, even while another
// program is active, so that the box comes up in front of it.
void TRunSession::Show(const std::wstring& message) {
    if (console_) {
        console_->Line(message);
        return;
    }
    const HWND owner = statusForm_ && IsWindowVisible(statusForm_->Handle()) ? statusForm_->Handle() : MessageOwner();
    ShowErrorMessage(owner, message);
}

} // namespace ui
