#pragma once
// One run of a command, from the window's Go button or from the command line:
// the progress window or the console it shows in, the cancel the user asks
// for, the messages of its jobs and, for a batch, what became of each entry.
#include "PageJob.h"
#include "core/BatchRules.h"
#include "jobs/BatchRun.h"
#include "jobs/JobSink.h"

#include <windows.h>

#include <string>
#include <vector>

namespace ui {

class TStatusForm;
class TConsoleOutput;

class TRunSession : public JobSink, public BatchDisplay {
public:
    void AttachStatusForm(TStatusForm* statusForm) { statusForm_ = statusForm; }
    // Where the next runs print instead of showing the progress window and
    // message boxes; null for none.
    void SetConsole(TConsoleOutput* console) { console_ = console; }

    // Runs job in the progress window or, with a console, printing to it.
    void Run(PageJob job);
    // The job the progress window runs once it has appeared.
    const PageJob& RunJob() const { return runJob_; }
    // Runs the job of the current run. A failure that ended it is shown as the
    // job's own messages are; false when the page lacked what the run needs.
    bool RunCurrentJob();
    void RequestCancel() { cancelRequested_ = true; }
    // Nothing was refused, failed or cancelled.
    bool Succeeded() const { return !runFailed_ && !CancelRequested(); }

    // Converts the entries of a batch, several at a time. The entries' names
    // (their requests' sources) go into their messages.
    void RunEntries(const std::vector<JobRequest>& entries);
    // A run with failures ends with one box that names them all, after the
    // boxes of the single failures; a run without failures ends silently.
    void ShowBatchSummary();

    // JobSink, for a job on this thread, and BatchDisplay.
    bool CancelRequested() const override;
    void SetProStatus(int percent) override;
    void ProcessMessages() override;
    void ShowJobMessage(const std::wstring& text) override;
    void EntryStarted(int index) override;
    void ShowProgress(int filePercent, int totalPercent) override;
    void ShowEntryMessage(int index, const std::wstring& text) override;
    void EntryEnded(int index, bool cutShort) override;
    void EntryFailed(int index) override;

protected:
    // Owns the boxes shown while the progress window is hidden.
    virtual HWND MessageOwner() const { return nullptr; }
    // The current file's share, which the main window shows again in its meter.
    virtual void ShowMeter(int /*percent*/) {}
    // "Proceso fichero i de n", printed on the console.
    virtual void ShowProgressLine(const std::wstring& line);

private:
    void Show(const std::wstring& message);

    PageJob runJob_;
    bool cancelRequested_ = false;
    // The current run showed a message or ended early.
    bool runFailed_ = false;
    TStatusForm* statusForm_ = nullptr;
    TConsoleOutput* console_ = nullptr;
    // The batch being run, and what it has done with its entries.
    const std::vector<JobRequest>* entries_ = nullptr;
    core::BatchTally tally_;
    std::wstring failedEntry_; // whose failure ended the batch
};

} // namespace ui
