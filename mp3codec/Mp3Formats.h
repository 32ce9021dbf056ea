#pragma once
// The formats the codec offers and accepts, and the MPEG audio arithmetic behind
// them. The offered formats are fixed tables: what the encoder writes (every
// constant bit rate of MPEG-1 and MPEG-2 at their six sampling rates, mono and
// stereo) and the 16-bit PCM it reads. The decoder also takes MPEG-2.5.
#include <windows.h>

#include <mmreg.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace mp3codec {

struct Mp3Format {
    uint32_t sampleRate;
    uint16_t channels;
    uint32_t bitRate; // bit/s
};

struct PcmFormat {
    uint32_t sampleRate;
    uint16_t channels;
};

constexpr uint16_t kPcmBits = 16;
// Samples that enter the encoder before the first one leaves a decoder: LAME's
// encoder delay (576) and the decoder's own delay (529).
constexpr uint16_t kCodecDelay = 576 + 529;

size_t Mp3FormatCount();
Mp3Format Mp3FormatAt(size_t index);
size_t PcmFormatCount();
PcmFormat PcmFormatAt(size_t index);

// A bit rate that suits everyday listening at that rate and channel count.
uint32_t EverydayBitRate(uint32_t sampleRate, uint16_t channels);

uint32_t SamplesPerFrame(uint32_t sampleRate);
// Frame length in bytes without the padding byte.
uint32_t FrameBytes(uint32_t sampleRate, uint32_t bitRate);
// Shortest frame of any legal bit rate at this sampling rate.
uint32_t MinFrameBytes(uint32_t sampleRate);

// A Layer III frame header (4 bytes) of that rate and channel count, without CRC.
void WriteFrameHeader(uint32_t sampleRate, uint16_t channels, BYTE header[4]);

// The platform records, as far as cbwfx bytes allow. False when the record does
// not fit.
bool FillMp3Record(const Mp3Format& format, WAVEFORMATEX* record, DWORD cbwfx);
bool FillPcmRecord(const PcmFormat& format, WAVEFORMATEX* record, DWORD cbwfx);

// Spanish descriptions for the format lists, e.g. "128 kBit/s, 44.100 Hz, Estéreo".
std::wstring Describe(const Mp3Format& format);
std::wstring Describe(const PcmFormat& format);

// What the streams accept: a record with a tag, a rate and a channel count the
// codec handles. The MP3 record's extension is not looked at, since callers
// derive it themselves from a frame header.
bool IsPcmRecord(const WAVEFORMATEX& record, bool forEncoder);
bool IsMp3Record(const WAVEFORMATEX& record, bool forEncoder);
// An MPEG layer-3 record of size bytes whose extension is all there and names
// MPEG audio; the extension's other fields stay unread.
bool IsCompleteMp3Record(const WAVEFORMATEX& record, DWORD size);

} // namespace mp3codec
