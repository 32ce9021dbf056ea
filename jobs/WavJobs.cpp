// WAV sources: wavtowav brings the samples into the target PCM shape, and for
// MP3 output wavmp3 encodes them.
#include "JobKinds.h"

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

#include <initializer_list>
#include <optional>
#include <vector>

namespace {

struct WavSource {
    std::unique_ptr<Win32File> file;
    core::WavHeaderInfo info;
};

// Opens and reads the source, reporting why when it cannot be used.
std::optional<WavSource> OpenWavSource(JobSink& sink, const std::wstring& source) {
    WavSource wav;
    wav.file = Win32File::OpenForReading(source);
    if (!wav.file) {
        sink.ShowJobMessage(jobtext::kCannotOpenBefore + source + jobtext::kCannotOpenAfter);
        return std::nullopt;
    }
    wav.info = core::ReadWAVHeader(*wav.file);
    // A record without channels or block align (no "fmt " chunk) describes no samples.
    if (!wav.info.valid || wav.info.format.Channels() == 0 || wav.info.format.BlockAlign() == 0) {
        sink.ShowJobMessage(jobtext::kNotWav);
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

// Encodes to MPEG: wavtowav brings the samples to the encoder's input shape.
void EncodeMp3(JobSink& sink, const JobRequest& request, WavSource& wav) {
    const core::WaveFormatRecord& target = *request.target;
    // The stage that shapes the encoder's input may fall to any PCM
    // converter of the machine, and those take 8 and 16 bits only.
    PcmEntry entry(wav.info.format, core::IsWidePcmSource(wav.info.format));
    TACMConvertor wavtowav(request.streams.wavtowav);
    TACMConvertor wavmp3(request.streams.wavmp3);
    wavtowav.ACMFormatIn.CopyPrefix(entry.Format(), core::kWaveFormatExSize);
    wavmp3.ACMFormatOut = target;
    core::DeriveEncoderInput(target, wavmp3.ACMFormatIn);
    wavtowav.ACMFormatOut.CopyPrefix(wavmp3.ACMFormatIn, core::kWaveFormatExSize);
    ActiveStream shape(wavtowav, entry.BufferSize());
    wavmp3.ACMFormatIn = wavtowav.ACMFormatOut;
    ActiveStream encode(wavmp3, wavtowav.OutputBufferSize());
    std::unique_ptr<Win32File> output = CreateDestination(sink, request.destination);
    if (!output) {
        return;
    }
    ConversionChain(entry.Before({&wavtowav, &wavmp3}), *output)
        .Run(sink, *wav.file, wav.info.dataLength, wav.info.dataLength);
    entry.Finish();
    shape.Finish();
    encode.Finish();
    AppendID3Tag(*output, core::ReadWavInfoList(*wav.file, wav.info));
}

// Converts to the target PCM shape.
void ConvertPcm(JobSink& sink, const JobRequest& request, WavSource& wav) {
    const core::WaveFormatRecord& target = *request.target;
    // A wide source goes straight to a 16-bit target, so that a rate
    // change works on all its bits; to another target it goes by 16 bits.
    PcmEntry entry(wav.info.format,
                   core::IsWidePcmSource(wav.info.format) && target.BitsPerSample() != core::kJobPcmBits);
    TACMConvertor wavtowav(request.streams.wavtowav);
    wavtowav.ACMFormatIn.CopyPrefix(entry.Format(), core::kWaveFormatExSize);
    wavtowav.ACMFormatOut.CopyPrefix(target, core::kWaveFormatExSize);
    ActiveStream convert(wavtowav, entry.BufferSize());
    std::unique_ptr<Win32File> output = CreateDestination(sink, request.destination);
    if (!output) {
        return;
    }
    core::WavDestination result(*output, wavtowav.ACMFormatOut);
    ConversionChain(entry.Before({&wavtowav}), result).Run(sink, *wav.file, wav.info.dataLength, wav.info.dataLength);
    entry.Finish();
    convert.Finish();
    KeepInfoList(*wav.file, wav.info, result);
    result.Finish();
}

} // namespace

// What both WAV-source jobs do around their conversion: the refusals that
// touch nothing, then, with the run state shown, the source read. The
// conversion creates the destination once its streams are open.
void ConvertWav(const JobRequest& request, JobSink& sink) {
    if (!MayStart(sink, request.target.has_value(), jobtext::kNoEncoder, request.source, request.destination)) {
        return;
    }
    RunJob(request.source, [&] {
        RunState run(sink);
        std::optional<WavSource> wav = OpenWavSource(sink, request.source);
        if (!wav) {
            return;
        }
        if (request.kind == JobKind::WavToMp3) {
            EncodeMp3(sink, request, *wav);
        } else {
            ConvertPcm(sink, request, *wav);
        }
    });
}
