// Fuzz target for locating the MPEG audio of an MP3 file: a result must point
// inside the file at a nonzero byte (a frame header when junk comes first),
// carry exactly what the four header bytes it was read from say, and leave the
// file positioned at the audio.
#include "FuzzSupport.h"

#include "support/MemoryByteFile.h"
#include "core/Mp3Audio.h"

#include <cstring>

namespace {

constexpr uint32_t kRates[] = {44100, 48000, 32000, 22050, 24000, 16000};
constexpr int64_t kResyncWindow = 64 * 1024;

bool SameHeader(const core::Mp3FrameHeader& a, const core::Mp3FrameHeader& b) {
    return a.mpeg1 == b.mpeg1 && a.layer == b.layer && a.bitRateKbps == b.bitRateKbps &&
           a.samplesPerSec == b.samplesPerSec && a.channels == b.channels;
}

void CheckHeader(const uint8_t* bytes, const core::Mp3FrameHeader& header) {
    uint8_t four[core::kMp3FrameHeaderSize];
    std::memcpy(four, bytes, sizeof four);
    const auto again = core::ParseMp3FrameHeader(four);
    FUZZ_CHECK(again && SameHeader(*again, header));
    FUZZ_CHECK(header.layer >= 1 && header.layer <= 3);
    FUZZ_CHECK(header.bitRateKbps >= 8 && header.bitRateKbps <= 448);
    FUZZ_CHECK(std::find(std::begin(kRates), std::end(kRates), header.samplesPerSec) != std::end(kRates));
    FUZZ_CHECK(header.channels == 1 || header.channels == 2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size >= core::kMp3FrameHeaderSize) {
        uint8_t four[core::kMp3FrameHeaderSize];
        std::memcpy(four, data, sizeof four);
        const bool reserved = (data[1] & 0x06) == 0 || (data[2] >> 4) == 0 || (data[2] >> 4) == 15 ||
                              (data[2] & 0x0C) == 0x0C;
        const auto header = core::ParseMp3FrameHeader(four);
        FUZZ_CHECK(header.has_value() != reserved);
        if (header) {
            CheckHeader(data, *header);
        }
    }
    testsupport::MemoryByteFile file(std::vector<uint8_t>(data, data + size));
    std::optional<core::Mp3AudioData> audio;
    try {
        audio = core::LocateMp3Audio(file);
    } catch (const core::FileReadError&) {
        return 0;
    }
    if (!audio) {
        return 0;
    }
    const int64_t start = audio->start;
    FUZZ_CHECK(start >= 0 && start + static_cast<int64_t>(core::kMp3FrameHeaderSize) <= static_cast<int64_t>(size));
    FUZZ_CHECK(file.Position() == start);
    const uint8_t* first = std::find_if(data, data + size, [](uint8_t b) { return b != 0; });
    const bool tagged = data + size - first >= 3 && std::memcmp(first, "ID3", 3) == 0 &&
                        (first == data || first - data >= static_cast<std::ptrdiff_t>(core::kMp3FrameHeaderSize));
    if (tagged) {
        FUZZ_CHECK(start >= first - data + static_cast<int64_t>(core::kId3v2HeaderSize) && data[start] != 0);
        CheckHeader(data + start, audio->header);
    } else if (start == 0) {
        const bool zeroHead = std::all_of(data, data + core::kMp3FrameHeaderSize, [](uint8_t b) { return b == 0; });
        CheckHeader(zeroHead ? first : data, audio->header);
    } else {
        // Behind junk, the audio begins at a frame header not far behind the first nonzero byte.
        FUZZ_CHECK(data[start] == 0xFF && start - (first - data) < kResyncWindow);
        CheckHeader(data + start, audio->header);
    }
    return 0;
}
