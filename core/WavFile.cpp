#include "WavFile.h"

#include "LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace core {
namespace {

constexpr size_t kChunkHeaderSize = 8;
constexpr int64_t kRiffPreambleSize = 12;
constexpr int64_t kListTypeSize = 4;

bool IdIs(const uint8_t* p, const char* id) { return std::memcmp(p, id, 4) == 0; }

// WAVE_FORMAT_EXTENSIBLE: the WAVEFORMATEX, then the valid bits, the channel
// mask and the sub-format GUID, whose first two bytes are the plain tag.
constexpr size_t kExtensibleBodySize = 40;
constexpr uint16_t kExtensibleExtraSize = 22;
constexpr size_t kValidBitsAt = 18;
constexpr size_t kSubFormatAt = 24;
// The rest of the KSDATAFORMAT_SUBTYPE_PCM and _IEEE_FLOAT GUIDs behind their
// first two bytes: the base GUID xxxxxxxx-0000-0010-8000-00aa00389b71.
constexpr uint8_t kSubFormatBase[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

// An extensible record of one or two channels whose samples fill their
// containers describes the same samples as a plain PCM or float record; the
// codecs know only the plain one. Any other extensible record stays as it
// is, and no codec takes it.
void MakePlain(const uint8_t* body, WaveFormatRecord& format) {
    const uint16_t subTag = GetLe16(body + kSubFormatAt);
    const bool knownSubFormat = (subTag == kWaveFormatPcm || subTag == kWaveFormatIeeeFloat) &&
                                std::memcmp(body + kSubFormatAt + 2, kSubFormatBase, sizeof kSubFormatBase) == 0;
    const bool plainShape = format.CbSize() >= kExtensibleExtraSize &&
                            (format.Channels() == 1 || format.Channels() == 2) &&
                            GetLe16(body + kValidBitsAt) == format.BitsPerSample();
    if (format.FormatTag() == kWaveFormatExtensible && knownSubFormat && plainShape) {
        format.SetFormatTag(subTag);
        format.SetCbSize(0);
    }
}

// Only the first 18 bytes of an "fmt " body reach the record, and the 40 of
// an extensible one are looked at; the rest is skipped, never buffered, so a
// declared size near 4 GiB cannot exhaust memory.
void ReadFmtBody(ByteFile& file, uint32_t size, int64_t bodyEnd, int64_t fileLength, WavHeaderInfo& info) {
    if (bodyEnd > fileLength) {
        throw FileReadError("fmt chunk runs past the end of the file");
    }
    uint8_t head[kExtensibleBodySize];
    const size_t take = std::min<size_t>(size, sizeof head);
    ReadExact(file, head, take);
    std::memcpy(info.format.bytes.data(), head, std::min(take, kWaveFormatExSize));
    if (take == kExtensibleBodySize) {
        MakePlain(head, info.format);
    }
    SeekOrThrow(file, bodyEnd);
}

// Notes where the items of the first "INFO" list lie; other lists are skipped.
void NoteInfoList(ByteFile& file, int64_t bodyStart, int64_t bodyEnd, int64_t fileLength, WavHeaderInfo& info) {
    if (info.infoOffset != 0 || bodyStart + kListTypeSize > std::min(bodyEnd, fileLength)) {
        return;
    }
    uint8_t type[kListTypeSize];
    ReadExact(file, type, sizeof type);
    if (IdIs(type, "INFO")) {
        info.infoOffset = bodyStart + kListTypeSize;
        info.infoLength = std::min(bodyEnd, fileLength) - info.infoOffset;
    }
}

} // namespace

WavHeaderInfo ReadWAVHeader(ByteFile& file) {
    WavHeaderInfo info;
    SeekOrThrow(file, 0);
    uint8_t preamble[kRiffPreambleSize];
    ReadExact(file, preamble, sizeof preamble);
    if (!IdIs(preamble, "RIFF") || !IdIs(preamble + 8, "WAVE")) {
        return info;
    }
    const int64_t fileLength = file.Size();
    int64_t position = kRiffPreambleSize;
    uint32_t declaredLength = 0;
    while (position < fileLength) {
        uint8_t header[kChunkHeaderSize];
        ReadExact(file, header, sizeof header);
        const uint32_t size = GetLe32(header + 4);
        const int64_t bodyStart = position + static_cast<int64_t>(kChunkHeaderSize);
        // Unsigned sum without wrap-around: a body past the end ends the walk.
        const int64_t bodyEnd = bodyStart + static_cast<int64_t>(size);
        // RIFF keeps every chunk at an even offset.
        const int64_t padding = size % 2;
        if (IdIs(header, "fmt ")) {
            ReadFmtBody(file, size, bodyEnd, fileLength, info);
        } else if (IdIs(header, "data")) {
            info.dataOffset = bodyStart;
            declaredLength = size;
            info.valid = true;
        } else if (IdIs(header, "LIST")) {
            NoteInfoList(file, bodyStart, bodyEnd, fileLength, info);
        }
        position = bodyEnd + padding;
        if (position < fileLength) {
            SeekOrThrow(file, position);
        }
    }
    SeekOrThrow(file, 0);
    if (info.valid) {
        const int64_t present = std::max<int64_t>(0, fileLength - info.dataOffset);
        info.dataLength = std::min<int64_t>(declaredLength, present);
    }
    return info;
}

bool WriteWAVHeader(ByteFile& file, const WaveFormatRecord& format, int64_t dataStart, int64_t behindData) {
    if (!file.Seek(0)) {
        return false;
    }
    const int64_t length = file.Size();
    uint8_t header[kWavHeaderSize];
    std::memcpy(header, "RIFF", 4);
    PutLe32(header + 4, static_cast<uint32_t>(length == 0 ? 0 : length - 8));
    std::memcpy(header + 8, "WAVEfmt ", 8);
    PutLe32(header + 16, kWavFmtChunkSize);
    std::memcpy(header + 20, format.bytes.data(), kWavFmtChunkSize);
    std::memcpy(header + 36, "data", 4);
    PutLe32(header + 40, static_cast<uint32_t>(length - dataStart - behindData));
    return file.Write(header, sizeof header);
}

} // namespace core
