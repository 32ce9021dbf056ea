#pragma once
// Drives the installed MP3 codec through msacm32 the way the converter does, and
// makes and checks fixtures with the host's sox, lame and mpg123.
#include "support/HostTool.h"
#include "support/LocalCodec.h"
#include "support/ScopedAcmStream.h"
#include "support/TestFiles.h"
#include "win/ScopedAcm.h"

#include <windows.h>

#include <mmreg.h>
#include <msacm.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace acmtest {

using Bytes = std::vector<BYTE>;

// The installed codec's driver id, or null when it is not installed.
HACMDRIVERID FindCodecDriver();
// The build's sonarmp3.acm added as this process's own driver through
// LocalDriverProc, as the converter adds the one beside it; added once, then
// the same id. Null (and a failed test) when that fails.
HACMDRIVERID AddLocalCodec();

// The driver opened; a failure to open fails the test.
win::ScopedAcmDriver OpenDriver(HACMDRIVERID id);

// A wave format record as the converter keeps it: 129 bytes, platform layout.
struct FormatRecord {
    FormatRecord() = default;
    FormatRecord(const core::WaveFormatRecord& record) { std::memcpy(bytes, record.bytes.data(), sizeof bytes); }

    BYTE bytes[129] = {};
    WAVEFORMATEX* wfx() { return reinterpret_cast<WAVEFORMATEX*>(bytes); }
    const WAVEFORMATEX* wfx() const { return reinterpret_cast<const WAVEFORMATEX*>(bytes); }
    MPEGLAYER3WAVEFORMAT* mp3() { return reinterpret_cast<MPEGLAYER3WAVEFORMAT*>(bytes); }
    const MPEGLAYER3WAVEFORMAT* mp3() const { return reinterpret_cast<const MPEGLAYER3WAVEFORMAT*>(bytes); }
};

FormatRecord PcmRecord(DWORD rate, WORD channels, WORD bits = 16, WORD tag = WAVE_FORMAT_PCM);
using testsupport::DerivedMp3Record;

struct EnumeratedFormat {
    FormatRecord record;
    DWORD cbwfx = 0;
    std::string description; // as acmFormatEnumA hands it out
};

// Every format the codec offers, as the converter's enumeration sees them.
std::vector<EnumeratedFormat> EnumerateCodecFormats(DWORD formatTag);
// The enumerated MP3 record with that description (UTF-8); fails the test when
// missing.
FormatRecord OfferedMp3Record(const std::string& description);
// A UTF-8 text in the ANSI code page, as acmFormatEnumA hands descriptions out.
std::string Ansi(const std::string& utf8);

// How one stream run is cut into conversions.
struct RunPlan {
    size_t blockSize = 1024;
    // Convert calls with no source bytes between the blocks.
    bool zeroLengthBlocks = false;
    // acmStreamReset after this many blocks (0: never).
    size_t resetAfterBlocks = 0;
    // Destination buffer size; 0 takes acmStreamSize for blockSize.
    DWORD destinationSize = 0;
    // Null: any driver, like the converter.
    HACMDRIVER driver = nullptr;
    // Further conversions with the end flag and no source until no output comes.
    bool drainAfterEnd = false;
    // The end flag after every that many bytes too, not only after the last.
    size_t endFlagEvery = 0;
};

struct RunResult {
    Bytes output;
    HACMDRIVERID driverId = nullptr;
    bool guardIntact = true;       // nothing written behind the destination buffer
    bool withinDestination = true; // cbDstLengthUsed never above cbDstLength
    size_t drained = 0;            // output bytes of the calls after the last block
};

// Converts input block by block the converter's way: cbSrcLength the valid
// bytes, start flag on the first block, end flag on the last, unconsumed bytes
// handed over again; then reset, unprepare and close. Asserts on failures of
// the calls themselves.
RunResult RunStream(const WAVEFORMATEX* src, const WAVEFORMATEX* dst, const Bytes& input, const RunPlan& plan);

// Files and host tools.
using testsupport::ReadByteVector;
using testsupport::RunHostOrFail;
using testsupport::ShellPath;
using testsupport::WorkFile;
using testsupport::WriteBytes;

// 16-bit samples of raw little-endian PCM.
std::vector<int16_t> Samples(const Bytes& pcm);

struct SignalStats {
    double rmsAmplitude = 0;
    double roughFrequency = 0;
};
// sox stat of raw 16-bit PCM at that rate and channel count.
SignalStats StatOfRaw(const std::string& name, DWORD rate, WORD channels);

// A sine of that frequency and peak (1 is full scale) in the record's PCM shape:
// 8, 16, 24 or 32-bit integers, or 32 or 64-bit floats.
Bytes Tone(const WAVEFORMATEX& format, double frequency, double seconds, double peak);
// The peak of one frequency in dB of full scale, taken from the middle second of
// the first channel through a Blackman window.
double ToneLevel(const WAVEFORMATEX& format, const Bytes& pcm, double frequency);

} // namespace acmtest

#define EXPECT_MMRESULT(expected, call) EXPECT_EQ(static_cast<MMRESULT>(expected), static_cast<MMRESULT>(call))
#define ASSERT_MMRESULT(expected, call) ASSERT_EQ(static_cast<MMRESULT>(expected), static_cast<MMRESULT>(call))
