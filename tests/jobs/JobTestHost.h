#pragma once
// A main window as the jobs see it, for tests and benchmarks: the four streams
// with their design-time formats, the format tables of the codecs really
// installed and of the suite's own codec, added to the process as the
// converter adds it, and a record of what the job showed and reported.
#include "codec/CodecDiscovery.h"
#include "jobs/JobHost.h"

#include <string>
#include <vector>

class JobTestHost : public JobHost, private FormatListSink {
public:
    JobTestHost();

    ConverterComponents& Components() override { return components_; }
    const std::vector<core::WaveFormatRecord>& MP3Formats() const override { return mp3Formats; }
    const std::vector<core::WaveFormatRecord>& PCMFormats() const override { return pcmFormats; }
    int MP3FormatItemCount() const override { return static_cast<int>(mp3Formats.size()); }
    int MP3FormatItemIndex() const override { return mp3Index; }
    int WAVFormatsItemCount() const override { return static_cast<int>(pcmFormats.size()); }
    int WAVFormatsItemIndex() const override { return pcmIndex; }
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
    bool AnyStreamActive();

    std::vector<core::WaveFormatRecord> mp3Formats;
    std::vector<core::WaveFormatRecord> pcmFormats;
    int mp3Index = 0;
    int pcmIndex = 0;
    int cancelAfterBlocks = -1; // CancelRequested once this many blocks are done (the jobs ask once a block)
    std::vector<int> progress;
    std::vector<std::wstring> messages;
    bool converting = false;
    int convertingChanges = 0;
    mutable int cancelChecks = 0;

private:
    void AddMP3FormatEntry(const std::wstring&) override {}
    void AddPCMFormatEntry(const std::wstring&) override {}

    ConverterComponents components_;
    CodecDiscovery discovery_{*this}; // keeps the codecs loaded, as the main window does
    size_t codecMp3Count_ = 0;
};
