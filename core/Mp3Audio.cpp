#include "Mp3Audio.h"

#include "MpegRates.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace core {
namespace {

constexpr int kSingleChannelMode = 3;
constexpr size_t kScanChunk = 4096;
constexpr int kReservedVersion = 1; // version field 01
constexpr int kMpeg25Version = 0;   // version field 00: MPEG-2 rates halved
constexpr uint8_t kId3v2FooterFlag = 0x10;
constexpr int64_t kId3v2FooterSize = 10;
constexpr char kId3v1Marker[] = "TAG";
constexpr size_t kId3v1MarkerSize = 3;
// Bytes of one frame per bit/s of bit rate and Hz of sampling rate, by layer:
// 384 samples per layer I frame in 4-byte slots, 1152 (576 for MPEG-2 layer
// III) samples per frame for the others, 8 bits a byte.
constexpr uint32_t kLayer1SlotFactor = 12;
constexpr uint32_t kLayer1SlotBytes = 4;
constexpr uint32_t kFullFrameFactor = 144;
constexpr uint32_t kHalfFrameFactor = 72;
// How far past the first nonzero byte a frame may begin, as decoders look for
// one behind junk.
constexpr int64_t kResyncWindow = 64 * 1024;
// Longer than any frame: MPEG-2.5 layer II at 160 kbit/s and 8000 Hz has 2881 bytes.
constexpr int64_t kMaxFrameLength = 4096;
// Version and layer bits, and the sampling-rate index, which every frame of one stream shares.
constexpr uint8_t kStreamBits1 = 0x1E;
constexpr uint8_t kStreamBits2 = 0x0C;

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

bool HasFrameSync(const uint8_t (&bytes)[kMp3FrameHeaderSize]) { return bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0; }

// What may follow the first frame of real MPEG audio: another frame header,
// an ID3v1 tag, or nothing at all.
bool FrameIsFollowed(ByteFile& file, int64_t next) {
    if (next == file.Size()) {
        return true;
    }
    uint8_t following[kMp3FrameHeaderSize] = {};
    SeekOrThrow(file, next);
    const size_t got = file.Read(following, sizeof following);
    if (got >= kId3v1MarkerSize && std::memcmp(following, kId3v1Marker, kId3v1MarkerSize) == 0) {
        return true;
    }
    return got == sizeof following && Mp3FrameLength(following).has_value();
}

bool SameStream(const uint8_t* a, const uint8_t* b) {
    return (a[1] & kStreamBits1) == (b[1] & kStreamBits1) && (a[2] & kStreamBits2) == (b[2] & kStreamBits2);
}

std::optional<uint32_t> FrameLengthAt(const uint8_t* p) {
    uint8_t bytes[kMp3FrameHeaderSize];
    std::memcpy(bytes, p, sizeof bytes);
    return Mp3FrameLength(bytes);
}

// The first frame at or after from, within the resync window, whose header
// is followed at its frame length by the header of a frame of the same
// stream; -1 when there is none.
int64_t FindConfirmedFrame(ByteFile& file, int64_t from) {
    std::vector<uint8_t> window(static_cast<size_t>(kResyncWindow + kMaxFrameLength + kMp3FrameHeaderSize));
    SeekOrThrow(file, from);
    size_t held = 0;
    while (held < window.size()) {
        const size_t got = file.Read(window.data() + held, window.size() - held);
        if (got == 0) {
            break;
        }
        held += got;
    }
    const size_t candidates = std::min<size_t>(static_cast<size_t>(kResyncWindow), held);
    for (size_t at = 0; at < candidates && at + kMp3FrameHeaderSize <= held; ++at) {
        if (window[at] != 0xFF) {
            continue;
        }
        const std::optional<uint32_t> length = FrameLengthAt(&window[at]);
        if (!length || at + *length + kMp3FrameHeaderSize > held) {
            continue;
        }
        const uint8_t* next = &window[at + *length];
        if (FrameLengthAt(next) && SameStream(&window[at], next)) {
            return from + static_cast<int64_t>(at);
        }
    }
    return -1;
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
    header.samplesPerSec = header.mpeg1 ? kMpeg1SampleRates[rateIndex] : kMpeg2SampleRates[rateIndex];
    header.channels = (bytes[3] >> 6) == kSingleChannelMode ? 1 : 2;
    return header;
}

std::optional<uint32_t> Mp3FrameLength(const uint8_t (&bytes)[kMp3FrameHeaderSize]) {
    const int version = (bytes[1] >> 3) & 0x3;
    const std::optional<Mp3FrameHeader> header = ParseMp3FrameHeader(bytes);
    if (!HasFrameSync(bytes) || version == kReservedVersion || !header) {
        return std::nullopt;
    }
    const uint32_t rate = version == kMpeg25Version ? header->samplesPerSec / 2 : header->samplesPerSec;
    const uint32_t bitRate = header->bitRateKbps * 1000;
    const uint32_t padding = (bytes[2] >> 1) & 0x1;
    if (header->layer == 1) {
        return (kLayer1SlotFactor * bitRate / rate + padding) * kLayer1SlotBytes;
    }
    const uint32_t factor = header->layer == 3 && !header->mpeg1 ? kHalfFrameFactor : kFullFrameFactor;
    return factor * bitRate / rate + padding;
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
    // Taggers stack tags, and a v2.4 tag may carry a footer; the audio follows the last.
    while (std::memcmp(head, "ID3", 3) == 0) {
        uint8_t tag[kId3v2HeaderSize];
        if (!ReadAt(file, headerAt, tag, sizeof tag)) {
            return std::nullopt;
        }
        // The tag ends relative to its own header, also behind leading zeros.
        const int64_t footer = (tag[5] & kId3v2FooterFlag) != 0 ? kId3v2FooterSize : 0;
        const int64_t tagEnd = headerAt + static_cast<int64_t>(kId3v2HeaderSize) + SynchsafeSize(tag + 6) + footer;
        headerAt = FindNonZero(file, tagEnd);
        if (headerAt < 0 || !ReadAt(file, headerAt, head, sizeof head)) {
            return std::nullopt;
        }
        audio.start = headerAt;
    }
    const std::optional<uint32_t> frameLength = Mp3FrameLength(head);
    if (!frameLength || !FrameIsFollowed(file, headerAt + *frameLength)) {
        // Junk before the first frame: the decoder gets the data from the frame on.
        headerAt = FindConfirmedFrame(file, headerAt);
        if (headerAt < 0 || !ReadAt(file, headerAt, head, sizeof head)) {
            return std::nullopt;
        }
        audio.start = headerAt;
    }
    audio.header = *ParseMp3FrameHeader(head);
    SeekOrThrow(file, audio.start);
    return audio;
}

} // namespace core
