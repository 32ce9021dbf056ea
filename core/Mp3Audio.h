#pragma once
// Where the MPEG audio of an MP3 file begins and what its first frame header
// says. The converter derives its decoder formats from that one header.
#include "ByteFile.h"

#include <cstdint>
#include <optional>

namespace core {

constexpr size_t kMp3FrameHeaderSize = 4;
constexpr size_t kId3v2HeaderSize = 10;

struct Mp3FrameHeader {
    bool mpeg1 = true; // false: the MPEG-2 low sampling frequency tables (MPEG-2.5 reads as MPEG-2)
    int layer = 3;     // 1, 2 or 3
    uint32_t bitRateKbps = 0;
    uint32_t samplesPerSec = 0;
    uint16_t channels = 0; // 1 for single channel, 2 for every other mode
};

// The fields of four header bytes as the decoder formats use them; the sync
// word is not looked at here. Layer code 0, bit-rate index 0 or 15 and
// sampling-rate index 3 are reserved and give no header.
std::optional<Mp3FrameHeader> ParseMp3FrameHeader(const uint8_t (&bytes)[kMp3FrameHeaderSize]);

// Bytes from the start of the frame that these header bytes begin to the next
// frame header: the frame sync (11 high bits set) and usable fields are needed,
// and MPEG-2.5 counts with its own, halved, sampling rates.
std::optional<uint32_t> Mp3FrameLength(const uint8_t (&bytes)[kMp3FrameHeaderSize]);

struct Mp3AudioData {
    int64_t start = 0; // first byte handed to the decoder
    Mp3FrameHeader header;
};

// Skips four or more leading zero bytes to find the frame header, and every
// ID3v2 tag (with its footer and zero padding) to find the audio. Without a
// tag the decoder gets the file from its first byte, leading zeros included.
// The header counts only when it carries the frame sync and is followed, at
// its frame length, by a second frame header, an ID3v1 tag or the end of the
// file: any four bytes would otherwise pass for one. When it does not count,
// the first frame within 64 KiB behind it whose header a second header of the
// same stream follows is taken, and the decoder gets the data from that frame
// on. No result for a file without such a header: shorter than 4 bytes,
// nothing but zeros where a header is looked for, reserved values, or
// arbitrary bytes. Throws FileReadError when a seek fails.
std::optional<Mp3AudioData> LocateMp3Audio(ByteFile& file);

} // namespace core
