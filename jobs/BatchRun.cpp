#include "BatchRun.h"

#include "ConvertJobs.h"
#include "JobSink.h"
#include "SameFile.h"
#include "core/BatchRules.h"
#include "core/ProgressMeter.h"
#include "win/SlimLock.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

namespace {

// How often the batch's thread looks for a cancel that came without a window
// message (Ctrl+C on the console comes on a thread of its own).
constexpr DWORD kCancelPollMs = 50;

struct EntryState {
    std::atomic<int> percent{0};
    std::atomic<bool> stop{false}; // a failure before it ended the run
    // Guarded by the batch's lock:
    bool started = false;
    // The entry has created its destination or ended without: the next entry
    // may choose its name.
    bool decided = false;
    bool ended = false;
    bool cutShort = false;
    std::vector<std::wstring> messages;
    std::exception_ptr failure;
};

class Batch;

// Where an entry's job reports, on its worker's thread.
class EntrySink : public JobSink {
public:
    EntrySink(Batch& batch, size_t index) : batch_(batch), index_(index) {}
    bool CancelRequested() const override;
    void SetProStatus(int percent) override;
    void ShowJobMessage(const std::wstring& text) override;
    void DestinationCreated(const std::wstring& name) override;

private:
    Batch& batch_;
    size_t index_;
};

class Batch {
public:
    Batch(const std::vector<JobRequest>& requests, BatchDisplay& display)
        : requests_(requests), display_(display), entries_(requests.size()),
          changed_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

    ~Batch() {
        StopAll();
        for (std::thread& worker : workers_) {
            worker.join();
        }
        CloseHandle(changed_);
    }

    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    void Run(int workers);

private:
    friend class EntrySink;

    void Work();
    // The next entry to run, once the entry before it has decided its name;
    // false when no entry is to start any more.
    bool TakeNext(size_t& index, std::wstring& destination);
    void End(size_t index, std::exception_ptr failure);
    void StopAll();
    void Changed() { SetEvent(changed_); }
    // Hands on, in list order, what the entries have said and how they ended;
    // false once nothing more can come.
    bool ReportInOrder();
    void ShowProgress();
    // "Entry started" for every entry before the given one not shown so far.
    void ShowStarts(size_t before);

    const std::vector<JobRequest>& requests_;
    BatchDisplay& display_;
    std::vector<EntryState> entries_;
    std::vector<std::thread> workers_;
    HANDLE changed_;
    std::atomic<bool> cancel_{false};

    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE decided_ = CONDITION_VARIABLE_INIT;
    // Guarded by lock_:
    size_t next_ = 0;
    bool noMoreStarts_ = false;
    int runningWorkers_ = 0;
    std::vector<std::wstring> written_;

    // The batch thread's own:
    size_t reported_ = 0;      // entries handed on whole
    size_t messagesShown_ = 0; // of entry reported_
    size_t startsShown_ = 0;
    size_t oldestShown_ = SIZE_MAX;
    int fileShown_ = -1;
    int totalShown_ = -1;
};

bool EntrySink::CancelRequested() const { return batch_.cancel_ || batch_.entries_[index_].stop; }

// A job reports 0 once more as it ends; the entry's share of the total
// stays where it got to, so that the total never falls back.
void EntrySink::SetProStatus(int percent) {
    std::atomic<int>& shown = batch_.entries_[index_].percent;
    if (percent > shown) {
        shown = percent;
        batch_.Changed();
    }
}

void EntrySink::ShowJobMessage(const std::wstring& text) {
    {
        win::ExclusiveLock guard(batch_.lock_);
        batch_.entries_[index_].messages.push_back(text);
    }
    batch_.Changed();
}

void EntrySink::DestinationCreated(const std::wstring& name) {
    {
        win::ExclusiveLock guard(batch_.lock_);
        batch_.written_.push_back(name);
        batch_.entries_[index_].decided = true;
    }
    WakeAllConditionVariable(&batch_.decided_);
    batch_.Changed();
}

void Batch::Run(int workers) {
    const size_t count = std::min(requests_.size(), static_cast<size_t>(std::max(workers, 1)));
    {
        win::ExclusiveLock guard(lock_);
        runningWorkers_ = static_cast<int>(count);
    }
    for (size_t i = 0; i < count; ++i) {
        workers_.emplace_back(&Batch::Work, this);
    }
    while (true) {
        display_.ProcessMessages();
        if (display_.CancelRequested() && !cancel_) {
            cancel_ = true;
            WakeAllConditionVariable(&decided_);
        }
        if (!ReportInOrder()) {
            break;
        }
        ShowProgress();
        MsgWaitForMultipleObjects(1, &changed_, FALSE, kCancelPollMs, QS_ALLINPUT);
    }
    ShowProgress();
}

void Batch::Work() {
    size_t index = 0;
    std::wstring destination;
    while (TakeNext(index, destination)) {
        JobRequest request = requests_[index];
        request.destination = destination;
        EntrySink sink(*this, index);
        std::exception_ptr failure;
        try {
            RunConversion(request, sink);
        } catch (...) {
            failure = std::current_exception();
        }
        End(index, failure);
    }
    {
        win::ExclusiveLock guard(lock_);
        --runningWorkers_;
    }
    Changed();
}

bool Batch::TakeNext(size_t& index, std::wstring& destination) {
    win::ExclusiveLock guard(lock_);
    if (noMoreStarts_ || cancel_ || next_ >= entries_.size()) {
        return false;
    }
    index = next_++;
    // An entry taken but never started (the run ended first) never decides.
    while (index > 0 && !entries_[index - 1].decided && !cancel_ && !noMoreStarts_) {
        SleepConditionVariableSRW(&decided_, &lock_, INFINITE, 0);
    }
    if (noMoreStarts_ || cancel_) {
        return false;
    }
    destination = core::DestinationNotWrittenByRun(requests_[index].destination, [this](const std::wstring& name) {
        return std::any_of(written_.begin(), written_.end(),
                           [&](const std::wstring& written) { return NamesSameFile(name, written); });
    });
    entries_[index].started = true;
    Changed();
    return true;
}

void Batch::End(size_t index, std::exception_ptr failure) {
    {
        win::ExclusiveLock guard(lock_);
        EntryState& entry = entries_[index];
        entry.decided = true;
        entry.ended = true;
        entry.cutShort = cancel_ || entry.stop;
        entry.failure = failure;
        if (failure) {
            // A run one entry after another would have ended here: no entry
            // after this one starts, and those running stop.
            noMoreStarts_ = true;
            for (size_t later = index + 1; later < entries_.size(); ++later) {
                entries_[later].stop = true;
            }
        }
    }
    WakeAllConditionVariable(&decided_);
    Changed();
}

void Batch::StopAll() {
    cancel_ = true;
    WakeAllConditionVariable(&decided_);
}

bool Batch::ReportInOrder() {
    while (reported_ < entries_.size()) {
        std::vector<std::wstring> news;
        bool started = false, ended = false, cutShort = false, workersLeft = false;
        std::exception_ptr failure;
        {
            win::ExclusiveLock guard(lock_);
            const EntryState& entry = entries_[reported_];
            news.assign(entry.messages.begin() + static_cast<std::ptrdiff_t>(messagesShown_), entry.messages.end());
            started = entry.started;
            ended = entry.ended;
            cutShort = entry.cutShort;
            failure = entry.failure;
            workersLeft = runningWorkers_ > 0;
        }
        if (started) {
            // Its start comes before its messages.
            ShowStarts(reported_ + 1);
        }
        for (const std::wstring& text : news) {
            display_.ShowEntryMessage(static_cast<int>(reported_), text);
            ++messagesShown_;
        }
        if (!ended) {
            // An entry that never started will not start once the workers are gone.
            return started || workersLeft;
        }
        if (failure) {
            StopAll();
            display_.EntryFailed(static_cast<int>(reported_));
            std::rethrow_exception(failure);
        }
        display_.EntryEnded(static_cast<int>(reported_), cutShort);
        ++reported_;
        messagesShown_ = 0;
    }
    return false;
}

// The file meter follows the oldest entry still running; the total counts
// every ended entry whole and the running ones by their share.
void Batch::ShowProgress() {
    size_t oldest = SIZE_MAX;
    int ended = 0, running = 0;
    size_t started = 0;
    {
        win::ExclusiveLock guard(lock_);
        for (size_t i = 0; i < entries_.size(); ++i) {
            const EntryState& entry = entries_[i];
            if (entry.ended) {
                ++ended;
            } else if (entry.started) {
                running += entry.percent;
                oldest = std::min(oldest, i);
            }
            started += entry.started ? 1 : 0;
        }
    }
    ShowStarts(started);
    const int total = core::TotalPercent(ended, static_cast<int>(entries_.size()), running);
    const int file = oldest == SIZE_MAX ? fileShown_ : entries_[oldest].percent.load();
    if (oldest != SIZE_MAX && oldest != oldestShown_) {
        oldestShown_ = oldest;
        display_.ShowProgress(0, total);
        fileShown_ = 0;
        totalShown_ = total;
    }
    if (file != fileShown_ || total != totalShown_) {
        display_.ShowProgress(std::max(file, 0), total);
        fileShown_ = file;
        totalShown_ = total;
    }
}

void Batch::ShowStarts(size_t before) {
    for (; startsShown_ < before; ++startsShown_) {
        display_.EntryStarted(static_cast<int>(startsShown_));
    }
}

} // namespace

void RunBatch(const std::vector<JobRequest>& entries, int workers, BatchDisplay& display) {
    if (entries.empty()) {
        return;
    }
    Batch(entries, display).Run(workers);
}

int LogicalProcessors() {
    SYSTEM_INFO info = {};
    GetSystemInfo(&info);
    return std::max(1, static_cast<int>(info.dwNumberOfProcessors));
}
