#pragma once
// A batch of conversions, several at the same time: each entry runs on a
// worker thread of its own with its own streams and files, up to one worker
// per logical processor. What the user sees is that of a run one entry after
// another: every entry gets the name it would get then, its messages come in
// the order of the list, one at a time, and a failure that ends an entry's job
// ends the run there.
#include "JobRequest.h"

#include <string>
#include <vector>

// What a batch run shows. Called only on the thread that runs the batch,
// never while it holds a lock, so a call may take as long as the user does.
class BatchDisplay {
public:
    virtual ~BatchDisplay() = default;

    // Asked between pieces of work; once true, no entry starts any more and
    // the running ones stop as a cancelled job stops.
    virtual bool CancelRequested() const = 0;
    // Lets the thread's window messages run.
    virtual void ProcessMessages() = 0;
    // Entry index (from 0) has started; entries start in list order.
    virtual void EntryStarted(int index) = 0;
    // The meter of the oldest entry still running (0 first whenever that entry
    // changes) and of all the work done.
    virtual void ShowProgress(int filePercent, int totalPercent) = 0;
    // What the job of entry index said; entries in list order.
    virtual void ShowEntryMessage(int index, const std::wstring& text) = 0;
    // The job of entry index has returned, after its messages; cutShort when a
    // cancel stopped it.
    virtual void EntryEnded(int index, bool cutShort) = 0;
    // The job of entry index failed in a way that ends the run; the failure
    // leaves RunBatch next.
    virtual void EntryFailed(int index) = 0;
};

// Runs the entries, at most workers at a time. An entry's destination is its
// request's, unless an entry before it has written that file; then it is
// "Lied (2).wav", "Lied (3).wav", ... as for a run one entry after another.
// Returns once every started entry has ended and been shown. A failure that
// ended a job (JobFailure or any other exception) leaves here, after the
// entries before it have ended and been shown; the entries after it that
// were running stop as on a cancel and are not shown.
void RunBatch(const std::vector<JobRequest>& entries, int workers, BatchDisplay& display);

// The logical processors the system runs this process on.
int LogicalProcessors();
