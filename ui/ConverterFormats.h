#pragma once
// What every conversion request of the converter is built from, with or
// without its window: the formats the installed codecs offer, listed once,
// the conversion streams' shipped formats, and the choices kept in
// settings.dat.
#include "codec/CodecDiscovery.h"
#include "core/SettingsDat.h"
#include "jobs/JobRequest.h"

#include <string>
#include <vector>

namespace ui {

class TConverterFormats : private FormatListSink {
public:
    // The streams start with the formats and buffer sizes of their design-time data.
    TConverterFormats();

    // Lists every installed driver's formats; the queue runs between drivers.
    void Enumerate();

    const std::vector<core::WaveFormatRecord>& MP3Formats() const { return discovery_.MP3Formats; }
    const std::vector<core::WaveFormatRecord>& PCMFormats() const { return discovery_.PCMFormats; }
    // The entries of the format lists, in table order.
    const std::vector<std::wstring>& MP3Descriptions() const { return mp3Descriptions_; }
    const std::vector<std::wstring>& PCMDescriptions() const { return pcmDescriptions_; }
    // Both lists, numbered from 0, as the command line lists them.
    std::wstring Listing() const;

    // The request of one job; mp3Entry and pcmEntry are the chosen entries of
    // the MP3 and PCM lists (-1 for none).
    JobRequest Request(JobKind kind, const std::wstring& source, const std::wstring& destination, int mp3Entry,
                       int pcmEntry) const;
    // One request per source, in order, each with the destination it gets
    // unless an earlier entry of the run has written that file.
    std::vector<JobRequest> BatchRequests(JobKind kind, const std::vector<std::wstring>& sources, bool besideSource,
                                          const std::wstring& folderField, int mp3Entry) const;

    // The stored entry of each list, entry 0 where settings.dat has none for
    // it. Opened for reading and writing where the program writes it: a
    // settings.dat that could not be written back counts as missing. The old
    // place in programDir is only read.
    core::FormatSelections StoredSelections(const std::wstring& programDir) const;

private:
    void AddMP3FormatEntry(const std::wstring& description) override { mp3Descriptions_.push_back(description); }
    void AddPCMFormatEntry(const std::wstring& description) override { pcmDescriptions_.push_back(description); }
    void ProcessMessages() override;

    StreamStates streams_;
    CodecDiscovery discovery_{*this};
    std::vector<std::wstring> mp3Descriptions_;
    std::vector<std::wstring> pcmDescriptions_;
};

} // namespace ui
