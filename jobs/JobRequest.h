#pragma once
// What one conversion is asked to do: the kind of job, the two files and the
// formats, each request holding its own copies, so that jobs running at the
// same time share nothing.
#include "core/ConvertorState.h"
#include "core/WaveFormatRecord.h"

#include <optional>
#include <string>
#include <vector>

enum class JobKind {
    Mp3ToWav,   // MP3 to a 16-bit PCM WAV with the MP3's channels and rate
    Mp3ToCdWav, // MP3 to a CD-quality WAV (2 channels, 44100 Hz, 16 bits) through a second stream
    WavToMp3,   // WAV to bare MPEG audio in the target format
    WavToWav,   // WAV to WAV in the target PCM format
};

// The formats and buffer sizes the four conversion streams start from, as
// the converter ships them.
struct StreamStates {
    core::ConvertorState mp3wav;   // MPEG layer 3 to PCM
    core::ConvertorState wavcd;    // PCM to CD-quality PCM
    core::ConvertorState wavtowav; // PCM to PCM
    core::ConvertorState wavmp3;   // PCM to MPEG layer 3
};

struct JobRequest {
    JobKind kind = JobKind::Mp3ToWav;
    std::wstring source;
    std::wstring destination;
    // The layer-3 formats the installed codecs offer; the decoder takes its
    // source format from them, and an empty table means there is no decoder.
    std::vector<core::WaveFormatRecord> mp3Formats;
    // The chosen MPEG or PCM format of the two WAV-source jobs; none when the
    // codecs offer none or none is chosen.
    std::optional<core::WaveFormatRecord> target;
    StreamStates streams;
};

// The request of a job whose formats come from the codecs' tables and the
// entries chosen in the format lists (-1 for none): the MP3 jobs get the
// whole layer-3 table, the WAV jobs the chosen record, none when the entry
// is beyond the table.
JobRequest MakeRequest(JobKind kind, const std::wstring& source, const std::wstring& destination,
                       const StreamStates& streams, const std::vector<core::WaveFormatRecord>& mp3Formats,
                       const std::vector<core::WaveFormatRecord>& pcmFormats, int mp3Entry, int pcmEntry);
