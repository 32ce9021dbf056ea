#pragma once
// The formats the jobs write into their conversion streams before opening them.
#include "Mp3Audio.h"
#include "WaveFormatRecord.h"

#include <vector>

namespace core {

constexpr uint16_t kJobPcmBits = 16;

// Decoding an MP3: the PCM output gets the frame's channels and rate at 16 bits
// (tag kept); the MPEG input gets channels, rate, 0 bits and the byte rate of
// the frame's bit rate, every other field kept. Then each listed format with
// the same channels, rate, bits and byte rate replaces the input whole; the
// walk does not stop, so the last match wins.
void DeriveMp3DecodeFormats(const Mp3FrameHeader& header, const std::vector<WaveFormatRecord>& mp3Formats,
                            WaveFormatRecord& mpegIn, WaveFormatRecord& pcmOut);

// Encoding to MP3: the encoder's PCM input takes the channels and rate of the
// chosen MPEG format at 16 bits and cbSize 0; its tag is kept.
void DeriveEncoderInput(const WaveFormatRecord& mpegFormat, WaveFormatRecord& pcmIn);

// A mono or stereo WAV source of 24 or 32-bit integer PCM or of 32 or 64-bit
// float: the jobs take it to 16 bits at its own rate and channels before a
// stage that expects 8 or 16-bit PCM.
bool IsWidePcmSource(const WaveFormatRecord& source);

// 16-bit PCM with the source's channels and rate, cbSize 0.
WaveFormatRecord SixteenBitEquivalent(const WaveFormatRecord& source);

} // namespace core
