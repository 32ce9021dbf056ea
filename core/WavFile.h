#pragma once
// The WAV container: a reader that walks the RIFF chunks of a whole file, and
// the fixed 44-byte header that the converter writes before its sample data.
#include "ByteFile.h"
#include "WaveFormatRecord.h"

#include <cstdint>

namespace core {

constexpr int64_t kWavHeaderSize = 44;
// The 32-bit RIFF sizes describe no longer file.
constexpr int64_t kMaxWavFileLength = 0xFFFFFFFF;

struct WavHeaderInfo {
    bool valid = false; // "RIFF"/"WAVE" with a "data" chunk somewhere
    // First 18 bytes from the last "fmt " body, rest zero; an extensible
    // record of one or two channels of plain PCM or float samples that fill
    // their containers is given as its plain equivalent (tag 1 or 3, cbSize 0).
    WaveFormatRecord format;
    int64_t dataOffset = 0; // file position of the first sample byte
    int64_t dataLength = 0; // data chunk size (up to 4 GiB - 1), cut to what the file holds
    int64_t infoOffset = 0; // first item of the first "LIST" chunk of type "INFO"; 0 without one
    int64_t infoLength = 0; // bytes of its items, cut to what the file holds
};

// Reads from position 0. The pad byte behind an odd-sized chunk is skipped,
// also when a file ends without it. Throws FileReadError where a read or seek
// that the walk needs fails: a file shorter than 12 bytes, 1 to 7 bytes behind
// the last chunk, an "fmt " body that runs past the end. On return the position is 0 for a RIFF
// WAVE file and 12 otherwise.
WavHeaderInfo ReadWAVHeader(ByteFile& file);

// Writes the 44-byte header at position 0 for the file as it now is and leaves
// the position at 44. The sizes follow from the file length and dataStart; the
// last behindData bytes (chunks behind the samples) count in the RIFF size only.
// False when a write or seek failed.
bool WriteWAVHeader(ByteFile& file, const WaveFormatRecord& format, int64_t dataStart, int64_t behindData = 0);

} // namespace core
