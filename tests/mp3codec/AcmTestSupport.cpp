#include "AcmTestSupport.h"

#include "mp3codec/CodecIdentity.h"
#include "support/HostTool.h"
#include "support/LocalCodec.h"
#include "support/ToneLevel.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <regex>

namespace acmtest {
namespace {

constexpr size_t kGuardBytes = 64;
constexpr BYTE kGuardValue = 0xA5;
constexpr size_t kMinPreparedSource = 64;
constexpr double kPi = 3.14159265358979323846;

BOOL CALLBACK FindDriverCallback(HACMDRIVERID id, DWORD_PTR instance, DWORD support) {
    if (support & ACMDRIVERDETAILS_SUPPORTF_LOCAL) {
        return TRUE;
    }
    ACMDRIVERDETAILSW details = {};
    details.cbStruct = sizeof(details);
    if (acmDriverDetailsW(id, &details, 0) == MMSYSERR_NOERROR &&
        std::wcscmp(details.szShortName, mp3codec::kDriverShortName) == 0) {
        *reinterpret_cast<HACMDRIVERID*>(instance) = id;
        return FALSE;
    }
    return TRUE;
}

struct EnumState {
    DWORD formatTag;
    std::vector<EnumeratedFormat>* formats;
};

BOOL CALLBACK FormatCallback(HACMDRIVERID, LPACMFORMATDETAILSA details, DWORD_PTR instance, DWORD) {
    auto* state = reinterpret_cast<EnumState*>(instance);
    if (details->dwFormatTag == state->formatTag) {
        EnumeratedFormat format;
        std::memcpy(format.record.bytes, details->pwfx, std::min<DWORD>(details->cbwfx, sizeof(format.record.bytes)));
        format.cbwfx = details->cbwfx;
        format.description = details->szFormat;
        state->formats->push_back(format);
    }
    return TRUE;
}

bool GuardIntact(const Bytes& buffer, size_t dataSize) {
    return std::all_of(buffer.begin() + static_cast<std::ptrdiff_t>(dataSize), buffer.end(),
                       [](BYTE b) { return b == kGuardValue; });
}

// One stream with its prepared header; every failure of a call fails the test.
class StreamRunner {
public:
    StreamRunner(const WAVEFORMATEX* src, const WAVEFORMATEX* dst, const RunPlan& plan) : plan_(plan) {
        opened_ = acmStreamOpen(&stream_, plan.driver, const_cast<WAVEFORMATEX*>(src), const_cast<WAVEFORMATEX*>(dst),
                                nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) == MMSYSERR_NOERROR;
        EXPECT_TRUE(opened_) << "acmStreamOpen";
        if (!opened_) {
            return;
        }
        acmDriverID(reinterpret_cast<HACMOBJ>(stream_), &result_.driverId, 0);
        DWORD dstSize = plan.destinationSize;
        if (dstSize == 0) {
            EXPECT_MMRESULT(
                0, acmStreamSize(stream_, static_cast<DWORD>(plan.blockSize), &dstSize, ACM_STREAMSIZEF_SOURCE));
        }
        dstSize_ = dstSize;
        // msacm32 prepares no source buffer smaller than one block of the source
        // format; smaller blocks still go through as a shorter cbSrcLength.
        source_.assign(std::max<size_t>(plan.blockSize, kMinPreparedSource), 0);
        destination_.assign(dstSize + kGuardBytes, kGuardValue);
        header_.cbStruct = sizeof(header_);
        header_.pbSrc = source_.data();
        header_.cbSrcLength = static_cast<DWORD>(source_.size());
        header_.pbDst = destination_.data();
        header_.cbDstLength = dstSize;
        EXPECT_MMRESULT(0, acmStreamPrepareHeader(stream_, &header_, 0));
    }

    ~StreamRunner() {
        if (opened_) {
            EXPECT_MMRESULT(0, acmStreamReset(stream_, 0));
            EXPECT_MMRESULT(0, acmStreamUnprepareHeader(stream_, &header_, 0));
            EXPECT_MMRESULT(0, acmStreamClose(stream_, 0));
        }
    }

    bool Opened() const { return opened_; }

    // Converts `length` bytes; returns the source bytes used.
    DWORD Convert(const BYTE* data, size_t length, DWORD flags) {
        if (length > 0) {
            std::memcpy(source_.data(), data, length);
        }
        header_.cbSrcLength = static_cast<DWORD>(length);
        const MMRESULT converted = acmStreamConvert(stream_, &header_, flags);
        EXPECT_MMRESULT(0, converted);
        if (converted != MMSYSERR_NOERROR) {
            return 0;
        }
        result_.guardIntact = result_.guardIntact && GuardIntact(destination_, dstSize_);
        result_.withinDestination = result_.withinDestination && header_.cbDstLengthUsed <= dstSize_;
        const DWORD produced = std::min(header_.cbDstLengthUsed, dstSize_);
        result_.output.insert(result_.output.end(), destination_.begin(), destination_.begin() + produced);
        return header_.cbSrcLengthUsed;
    }

    void Reset() { EXPECT_MMRESULT(0, acmStreamReset(stream_, 0)); }

    RunResult& Result() { return result_; }

private:
    RunPlan plan_;
    bool opened_ = false;
    HACMSTREAM stream_ = nullptr;
    ACMSTREAMHEADER header_ = {};
    Bytes source_, destination_;
    DWORD dstSize_ = 0;
    RunResult result_;
};

} // namespace

HACMDRIVERID FindCodecDriver() {
    HACMDRIVERID found = nullptr;
    acmDriverEnum(FindDriverCallback, reinterpret_cast<DWORD_PTR>(&found), ACM_DRIVERENUMF_DISABLED);
    return found;
}

HACMDRIVERID AddLocalCodec() {
    const HACMDRIVERID added = testsupport::AddLocalCodec(testsupport::WindowsPath(SONARMP3_UNIX_PATH));
    EXPECT_NE(added, nullptr) << "the build's sonarmp3.acm could not be added as a local driver";
    return added;
}

win::ScopedAcmDriver OpenDriver(HACMDRIVERID id) {
    win::ScopedAcmDriver driver;
    EXPECT_MMRESULT(0, acmDriverOpen(driver.Receive(), id, 0));
    return driver;
}

FormatRecord PcmRecord(DWORD rate, WORD channels, WORD bits, WORD tag) {
    FormatRecord record;
    WAVEFORMATEX* wfx = record.wfx();
    wfx->wFormatTag = tag;
    wfx->nChannels = channels;
    wfx->nSamplesPerSec = rate;
    wfx->wBitsPerSample = bits;
    wfx->nBlockAlign = static_cast<WORD>(channels * bits / 8);
    wfx->nAvgBytesPerSec = rate * wfx->nBlockAlign;
    return record;
}

std::vector<EnumeratedFormat> EnumerateCodecFormats(DWORD formatTag) {
    std::vector<EnumeratedFormat> formats;
    const HACMDRIVERID id = FindCodecDriver();
    EXPECT_NE(id, nullptr) << "the MP3 codec is not installed";
    if (!id) {
        return formats;
    }
    const win::ScopedAcmDriver driver = OpenDriver(id);
    // The converter's call: a zeroed 129-byte record of tag 85, every tag listed.
    FormatRecord scratch;
    scratch.wfx()->wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    scratch.wfx()->cbSize = sizeof(scratch.bytes);
    ACMFORMATDETAILSA details = {};
    details.cbStruct = sizeof(details);
    details.dwFormatTag = WAVE_FORMAT_MPEGLAYER3;
    details.pwfx = scratch.wfx();
    details.cbwfx = sizeof(scratch.bytes);
    EnumState state{formatTag, &formats};
    EXPECT_MMRESULT(0, acmFormatEnumA(driver.get(), &details, FormatCallback, reinterpret_cast<DWORD_PTR>(&state), 0));
    return formats;
}

std::string Ansi(const std::string& utf8) {
    const std::wstring wide = testsupport::Widen(utf8);
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.data(), size, nullptr, nullptr);
    text.resize(static_cast<size_t>(size - 1));
    return text;
}

FormatRecord OfferedMp3Record(const std::string& description) {
    for (const EnumeratedFormat& format : EnumerateCodecFormats(WAVE_FORMAT_MPEGLAYER3)) {
        if (format.description == Ansi(description)) {
            return format.record;
        }
    }
    ADD_FAILURE() << "no MP3 format \"" << description << "\" offered";
    return {};
}

RunResult RunStream(const WAVEFORMATEX* src, const WAVEFORMATEX* dst, const Bytes& input, const RunPlan& plan) {
    StreamRunner runner(src, dst, plan);
    if (!runner.Opened()) {
        return {};
    }
    const size_t part = plan.endFlagEvery != 0 ? plan.endFlagEvery : input.size();
    size_t offset = 0, blocks = 0;
    int stalls = 0;
    do {
        const size_t partEnd = std::min(input.size(), (offset / std::max<size_t>(part, 1) + 1) * part);
        const size_t length = std::min(plan.blockSize, partEnd - offset);
        const bool last = offset + length == partEnd;
        const DWORD flags = (blocks == 0 ? ACM_STREAMCONVERTF_START : 0) | (last ? ACM_STREAMCONVERTF_END : 0);
        const DWORD used = runner.Convert(input.data() + offset, length, flags);
        EXPECT_LE(used, length);
        offset += std::min<size_t>(used, length);
        stalls = used == 0 && length > 0 ? stalls + 1 : 0;
        if (stalls > 3) {
            ADD_FAILURE() << "the codec takes no more input at offset " << offset;
            break;
        }
        ++blocks;
        if (plan.zeroLengthBlocks && offset < input.size()) {
            runner.Convert(nullptr, 0, 0);
        }
        if (plan.resetAfterBlocks != 0 && blocks == plan.resetAfterBlocks) {
            runner.Reset();
        }
    } while (offset < input.size());
    const size_t lastBlockEnd = runner.Result().output.size();
    for (size_t before = 0; plan.drainAfterEnd && before != runner.Result().output.size();) {
        before = runner.Result().output.size();
        runner.Convert(nullptr, 0, ACM_STREAMCONVERTF_END);
    }
    runner.Result().drained = runner.Result().output.size() - lastBlockEnd;
    return runner.Result();
}

std::vector<int16_t> Samples(const Bytes& pcm) {
    std::vector<int16_t> samples(pcm.size() / 2);
    std::memcpy(samples.data(), pcm.data(), samples.size() * 2);
    return samples;
}

SignalStats StatOfRaw(const std::string& name, DWORD rate, WORD channels) {
    // stat reads one channel; the signals carry the same tone on both.
    const std::string output =
        RunHostOrFail("sox -t raw -e signed-integer -b 16 -r " + std::to_string(rate) + " -c " +
                      std::to_string(channels) + " " + ShellPath(WorkFile(name)) + " -n remix 1 stat");
    SignalStats stats;
    std::smatch match;
    if (std::regex_search(output, match, std::regex(R"(RMS\s+amplitude:\s+([0-9.]+))"))) {
        stats.rmsAmplitude = std::stod(match[1]);
    }
    if (std::regex_search(output, match, std::regex(R"(Rough\s+frequency:\s+([0-9.]+))"))) {
        stats.roughFrequency = std::stod(match[1]);
    }
    return stats;
}

Bytes Tone(const WAVEFORMATEX& format, double frequency, double seconds, double peak) {
    const size_t frames = static_cast<size_t>(seconds * format.nSamplesPerSec);
    const WORD bytes = format.wBitsPerSample / 8;
    Bytes pcm;
    for (size_t i = 0; i < frames; ++i) {
        const double value = peak * std::sin(2 * kPi * frequency * static_cast<double>(i) / format.nSamplesPerSec);
        for (WORD c = 0; c < format.nChannels; ++c) {
            BYTE sample[8] = {};
            if (format.wFormatTag == WAVE_FORMAT_IEEE_FLOAT && bytes == 8) {
                std::memcpy(sample, &value, 8);
            } else if (format.wFormatTag == WAVE_FORMAT_IEEE_FLOAT) {
                const auto single = static_cast<float>(value);
                std::memcpy(sample, &single, 4);
            } else if (bytes == 1) {
                sample[0] = static_cast<BYTE>(std::lround(value * 127) + 128);
            } else {
                // Little-endian integers of 16, 24 or 32 bits, each rounded at its own width.
                const double top = bytes == 2 ? 32767 : bytes == 3 ? 8388607 : 2147483647;
                const auto full = static_cast<uint32_t>(std::llround(value * top));
                for (WORD b = 0; b < bytes; ++b) {
                    sample[b] = static_cast<BYTE>(full >> (8 * b));
                }
            }
            pcm.insert(pcm.end(), sample, sample + bytes);
        }
    }
    return pcm;
}

double ToneLevel(const WAVEFORMATEX& format, const Bytes& pcm, double frequency) {
    const size_t frames = pcm.size() / format.nBlockAlign;
    EXPECT_GE(frames, 2u * format.nSamplesPerSec) << "less than two seconds of sound";
    return frames < format.nSamplesPerSec ? 0
                                          : testsupport::ToneLevel(pcm.data(), frames, format.nSamplesPerSec,
                                                                   format.nChannels, format.wBitsPerSample, frequency);
}

} // namespace acmtest
