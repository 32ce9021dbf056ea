#pragma once
// Where a conversion job reports: its run state, its progress, its messages
// and the destination it created, and where it learns that the user wants it
// to stop. A job calls its sink on the thread the job runs on.
#include <string>

class JobSink {
public:
    virtual ~JobSink() = default;

    virtual bool CancelRequested() const = 0;
    virtual void SetConverting(bool /*converting*/) {}
    virtual void SetProStatus(int percent) = 0;
    // Lets pending messages run between blocks: repaints, cancel, close
    // requests. A job on a thread without windows has none to run.
    virtual void ProcessMessages() {}
    // A message for the user: the job goes on or returns after it, as the
    // message says, whenever the user reads it.
    virtual void ShowJobMessage(const std::wstring& text) = 0;
    // The job has created (or emptied) this destination; a batch run keeps
    // track so that it never overwrites its own results.
    virtual void DestinationCreated(const std::wstring& /*name*/) {}
};
