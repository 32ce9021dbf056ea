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

// The four header bytes as the converter reads them: the sync word is not
// checked. Layer code 0, bit-rate index 0 or 15 and sampling-rate index 3 are
// reserved and give no header.
std::optional<Mp3FrameHeader> ParseMp3FrameHeader(const uint8_t (&bytes)[kMp3FrameHeaderSize]);

struct Mp3AudioData {
    int64_t start = 0; // first byte handed to the decoder
    Mp3FrameHeader header;
};

// Skips four or more leading zero bytes to find the frame header, and an ID3v2
// tag with its zero padding to find the audio. Without a tag the decoder gets
// the file from its first byte, leading zeros included. No result for a file
// without a usable header: shorter than 4 bytes, nothing but zeros where a
// header is looked for, or reserved values. Throws FileReadError when a seek fails.
std::optional<Mp3AudioData> LocateMp3Audio(ByteFile& file);

} // namespace core
