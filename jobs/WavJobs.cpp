// WAV sources: wavtowav brings the samples into the target PCM shape, and for
// MP3 output wavmp3 encodes them.
#include "ConvertJobs.h"

#include "ConversionChain.h"
#include "JobRun.h"
#include "JobTexts.h"
#include "TagTransfer.h"
#include "Win32File.h"
#include "core/BlockProgress.h"
#include "core/FormatDerivation.h"
#include "core/WavDestination.h"
#include "core/WavFile.h"
#include "core/WavInfoList.h"

#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

namespace {

// The record the list's selection names, or none for an empty list, no
// selection or a selection beyond the table.
const core::WaveFormatRecord* SelectedRecord(const std::vector<core::WaveFormatRecord>& table, int itemCount,
                                             int itemIndex) {
    if (itemCount <= 0 || itemIndex < 0 || static_cast<size_t>(itemIndex) >= table.size()) {
        return nullptr;
    }
    return &table[static_cast<size_t>(itemIndex)];
}

struct WavSource {
    std::unique_ptr<Win32File> file;
    core::WavHeaderInfo info;
};

// Opens and reads the source, reporting why when it cannot be used.
std::optional<WavSource> OpenWavSource(JobHost& host, const std::wstring& source) {
    WavSource wav;
    wav.file = Win32File::OpenForReading(source);
    if (!wav.file) {
        host.ShowJobMessage(jobtext::kCannotOpenBefore + source + jobtext::kCannotOpenAfter);
        return std::nullopt;
    }
    wav.info = core::ReadWAVHeader(*wav.file);
    // A record without channels or block align (no "fmt " chunk) describes no samples.
    if (!wav.info.valid || wav.info.format.Channels() == 0 || wav.info.format.BlockAlign() == 0) {
        host.ShowJobMessage(jobtext::kNotWav);
        return std::nullopt;
    }
    core::SeekOrThrow(*wav.file, wav.info.dataOffset);
    return wav;
}

// 24 and 32-bit and float sources first go to 16 bits at their own rate and
// channels, where the stage behind takes only 8 and 16-bit PCM; every other
// source goes to that stage as it is.
class PcmEntry {
public:
    PcmEntry(const core::WaveFormatRecord& source, bool narrow)
        : format_(source), bufferSize_(core::BlockBufferSize(source.BlockAlign())) {
        if (!narrow) {
            return;
        }
        narrow_.ACMFormatIn.CopyPrefix(source, core::kWaveFormatExSize);
        narrow_.ACMFormatOut = core::SixteenBitEquivalent(source);
        stream_.emplace(narrow_, bufferSize_);
        format_ = narrow_.ACMFormatOut;
        bufferSize_ = narrow_.OutputBufferSize();
    }

    // The format and input buffer size of the stage behind.
    const core::WaveFormatRecord& Format() const { return format_; }
    uint32_t BufferSize() const { return bufferSize_; }
    // The entry's own stage, if any, then the others.
    std::vector<TACMConvertor*> Before(std::initializer_list<TACMConvertor*> behind) {
        std::vector<TACMConvertor*> stages;
        if (stream_) {
            stages.push_back(&narrow_);
        }
        for (TACMConvertor* stage : behind) {
            stages.push_back(stage);
        }
        return stages;
    }
    void Finish() {
        if (stream_) {
            stream_->Finish();
        }
    }

private:
    TACMConvertor narrow_;
    std::optional<ActiveStream> stream_;
    core::WaveFormatRecord format_;
    uint32_t bufferSize_;
};

using WavConversion = std::function<void(WavSource& wav, ConverterComponents& c)>;

// What both WAV-source jobs do around their conversion: the refusals that
// touch nothing, then, with the run state shown, the source read. The
// conversion creates the destination once its streams are open.
void RunWavSourceJob(JobHost& host, const core::WaveFormatRecord* target, const std::wstring& source,
                     const std::wstring& destination, const WavConversion& convert) {
    if (!MayStart(host, target != nullptr, jobtext::kNoEncoder, source, destination)) {
        return;
    }
    RunJob(source, [&] {
        RunState run(host);
        std::optional<WavSource> wav = OpenWavSource(host, source);
        if (!wav) {
            return;
        }
        convert(*wav, host.Components());
    });
}

} // namespace

void ConvertWAVMP3(JobHost& host, const std::wstring& source, const std::wstring& destination) {
    const core::WaveFormatRecord* target =
        SelectedRecord(host.MP3Formats(), host.MP3FormatItemCount(), host.MP3FormatItemIndex());
    RunWavSourceJob(host, target, source, destination, [&](WavSource& wav, ConverterComponents& c) {
        // The stage that shapes the encoder's input may fall to any PCM
        // converter of the machine, and those take 8 and 16 bits only.
        PcmEntry entry(wav.info.format, core::IsWidePcmSource(wav.info.format));
        c.wavtowav.ACMFormatIn.CopyPrefix(entry.Format(), core::kWaveFormatExSize);
        c.wavmp3.ACMFormatOut = *target;
        core::DeriveEncoderInput(*target, c.wavmp3.ACMFormatIn);
        c.wavtowav.ACMFormatOut.CopyPrefix(c.wavmp3.ACMFormatIn, core::kWaveFormatExSize);
        ActiveStream shape(c.wavtowav, entry.BufferSize());
        c.wavmp3.ACMFormatIn = c.wavtowav.ACMFormatOut;
        ActiveStream encode(c.wavmp3, c.wavtowav.OutputBufferSize());
        std::unique_ptr<Win32File> output = CreateDestination(host, destination);
        if (!output) {
            return;
        }
        ConversionChain(entry.Before({&c.wavtowav, &c.wavmp3}), *output)
            .Run(host, *wav.file, wav.info.dataLength, wav.info.dataLength);
        entry.Finish();
        shape.Finish();
        encode.Finish();
        AppendID3Tag(*output, core::ReadWavInfoList(*wav.file, wav.info));
    });
}

void ConvertWAV2WAV(JobHost& host, const std::wstring& source, const std::wstring& destination) {
    const core::WaveFormatRecord* target =
        SelectedRecord(host.PCMFormats(), host.WAVFormatsItemCount(), host.WAVFormatsItemIndex());
    RunWavSourceJob(host, target, source, destination, [&](WavSource& wav, ConverterComponents& c) {
        // A wide source goes straight to a 16-bit target, so that a rate
        // change works on all its bits; to another target it goes by 16 bits.
        PcmEntry entry(wav.info.format,
                       core::IsWidePcmSource(wav.info.format) && target->BitsPerSample() != core::kJobPcmBits);
        c.wavtowav.ACMFormatIn.CopyPrefix(entry.Format(), core::kWaveFormatExSize);
        c.wavtowav.ACMFormatOut.CopyPrefix(*target, core::kWaveFormatExSize);
        ActiveStream convert(c.wavtowav, entry.BufferSize());
        std::unique_ptr<Win32File> output = CreateDestination(host, destination);
        if (!output) {
            return;
        }
        core::WavDestination result(*output, c.wavtowav.ACMFormatOut);
        ConversionChain(entry.Before({&c.wavtowav}), result)
            .Run(host, *wav.file, wav.info.dataLength, wav.info.dataLength);
        entry.Finish();
        convert.Finish();
        KeepInfoList(*wav.file, wav.info, result);
        result.Finish();
    });
}
