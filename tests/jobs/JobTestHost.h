#pragma once
// The jobs' side of the converter, for tests and benchmarks: requests with
// the streams' design-time formats and the format tables of the codecs really
// installed and of the suite's own codec, added to the process as the
// converter adds it, and a sink that records what a job showed and reported.
#include "codec/CodecDiscovery.h"
#include "jobs/JobRequest.h"
#include "jobs/JobSink.h"

#include <string>
#include <vector>

class JobTestHost : public JobSink, private FormatListSink {
public:
    JobTestHost();

    // The request of a job with the tables and entries chosen here, as the
    // window makes it from its lists.
    JobRequest Request(JobKind kind, const std::wstring& source, const std::wstring& destination) const;

    bool CancelRequested() const override;
    void SetConverting(bool converting) override;
    void SetProStatus(int percent) override { progress.push_back(percent); }
    void ProcessMessages() override;
    void ShowJobMessage(const std::wstring& text) override { messages.push_back(text); }

    // Entry numbers of the first listed record with this shape; -1 when none.
    int FindPcm(uint16_t channels, uint32_t rate, uint16_t bits) const;
    int FindMp3(uint16_t channels, uint32_t rate) const;
    // Whether an installed codec offered any layer-3 format.
    bool CodecListsMp3() const { return codecMp3Count_ > 0; }

    std::vector<core::WaveFormatRecord> mp3Formats;
    std::vector<core::WaveFormatRecord> pcmFormats;
    int mp3Index = 0;
    int pcmIndex = 0;
    int cancelAfterBlocks = -1; // CancelRequested once this many blocks are done (the jobs ask once a block)
    std::vector<int> progress;
    std::vector<std::wstring> messages;
    StreamStates streams;
    bool converting = false;
    int convertingChanges = 0;
    mutable int cancelChecks = 0;

private:
    void AddMP3FormatEntry(const std::wstring&) override {}
    void AddPCMFormatEntry(const std::wstring&) override {}

    CodecDiscovery discovery_{*this}; // keeps the codecs loaded, as the main window does
    size_t codecMp3Count_ = 0;
};
