#include "Mp3Audio.h"

#include <algorithm>
#include <cstring>

namespace core {
namespace {

constexpr int kBitRateSlots = 16; // index 0 (free format) and 15 are reserved

// kbit/s by layer (I, II, III), from ISO/IEC 11172-3 and 13818-3.
constexpr uint16_t kMpeg1BitRates[3][kBitRateSlots] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
};
constexpr uint16_t kMpeg2BitRates[3][kBitRateSlots] = {
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
};
constexpr uint32_t kMpeg1Rates[3] = {44100, 48000, 32000};
constexpr uint32_t kMpeg2Rates[3] = {22050, 24000, 16000};
constexpr int kSingleChannelMode = 3;
constexpr size_t kScanChunk = 4096;

bool ReadAt(ByteFile& file, int64_t position, uint8_t* buffer, size_t count) {
    SeekOrThrow(file, position);
    return file.Read(buffer, count) == count;
}

// Offset of the first nonzero byte at or after from; -1 when the file ends first.
int64_t FindNonZero(ByteFile& file, int64_t from) {
    SeekOrThrow(file, from);
    uint8_t chunk[kScanChunk];
    int64_t position = from;
    while (true) {
        const size_t got = file.Read(chunk, sizeof chunk);
        if (got == 0) {
            return -1;
        }
        const uint8_t* hit = std::find_if(chunk, chunk + got, [](uint8_t b) { return b != 0; });
        if (hit != chunk + got) {
            return position + (hit - chunk);
        }
        position += static_cast<int64_t>(got);
    }
}

uint32_t SynchsafeSize(const uint8_t* p) {
    return static_cast<uint32_t>(p[0] & 0x7F) << 21 | static_cast<uint32_t>(p[1] & 0x7F) << 14 |
           static_cast<uint32_t>(p[2] & 0x7F) << 7 | static_cast<uint32_t>(p[3] & 0x7F);
}

} // namespace

std::optional<Mp3FrameHeader> ParseMp3FrameHeader(const uint8_t (&bytes)[kMp3FrameHeaderSize]) {
    const int layerCode = (bytes[1] >> 1) & 0x3;
    const int bitRateIndex = bytes[2] >> 4;
    const int rateIndex = (bytes[2] >> 2) & 0x3;
    if (layerCode == 0 || bitRateIndex == 0 || bitRateIndex == 15 || rateIndex == 3) {
        return std::nullopt;
    }
    Mp3FrameHeader header;
    header.mpeg1 = (bytes[1] & 0x08) != 0;
    header.layer = 4 - layerCode;
    const auto& bitRates = header.mpeg1 ? kMpeg1BitRates : kMpeg2BitRates;
    header.bitRateKbps = bitRates[header.layer - 1][bitRateIndex];
    header.samplesPerSec = header.mpeg1 ? kMpeg1Rates[rateIndex] : kMpeg2Rates[rateIndex];
    header.channels = (bytes[3] >> 6) == kSingleChannelMode ? 1 : 2;
    return header;
}

std::optional<Mp3AudioData> LocateMp3Audio(ByteFile& file) {
    uint8_t head[kMp3FrameHeaderSize];
    if (!ReadAt(file, 0, head, sizeof head)) {
        return std::nullopt;
    }
    int64_t headerAt = 0;
    if (std::all_of(head, head + sizeof head, [](uint8_t b) { return b == 0; })) {
        headerAt = FindNonZero(file, sizeof head);
        if (headerAt < 0 || !ReadAt(file, headerAt, head, sizeof head)) {
            return std::nullopt;
        }
    }
    Mp3AudioData audio;
    if (std::memcmp(head, "ID3", 3) == 0) {
        uint8_t tag[kId3v2HeaderSize];
        if (!ReadAt(file, headerAt, tag, sizeof tag)) {
            return std::nullopt;
        }
        // The tag ends relative to its own header, also behind leading zeros.
        const int64_t tagEnd = headerAt + static_cast<int64_t>(kId3v2HeaderSize) + SynchsafeSize(tag + 6);
        audio.start = FindNonZero(file, tagEnd);
        if (audio.start < 0 || !ReadAt(file, audio.start, head, sizeof head)) {
            return std::nullopt;
        }
    }
    std::optional<Mp3FrameHeader> header = ParseMp3FrameHeader(head);
    if (!header) {
        return std::nullopt;
    }
    audio.header = *header;
    SeekOrThrow(file, audio.start);
    return audio;
}

} // namespace core
