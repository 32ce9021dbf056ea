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
#include <optional>

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

using WavConversion = std::function<void(WavSource& wav, Win32File& output, ConverterComponents& c)>;

// What both WAV-source jobs do around their conversion: the refusals that
// touch nothing, then, with the run state shown, the source read and the
// destination created.
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
        std::unique_ptr<Win32File> output = Win32File::CreateAnew(destination);
        if (!output) {
            host.ShowJobMessage(jobtext::kCannotCreate);
            return;
        }
        host.DestinationCreated(destination);
        convert(*wav, *output, host.Components());
    });
}

} // namespace

void ConvertWAVMP3(JobHost& host, const std::wstring& source, const std::wstring& destination) {
    const core::WaveFormatRecord* target =
        SelectedRecord(host.MP3Formats(), host.MP3FormatItemCount(), host.MP3FormatItemIndex());
    RunWavSourceJob(host, target, source, destination, [&](WavSource& wav, Win32File& output, ConverterComponents& c) {
        c.wavtowav.ACMFormatIn.CopyPrefix(wav.info.format, core::kWaveFormatExSize);
        c.wavmp3.ACMFormatOut = *target;
        core::DeriveEncoderInput(*target, c.wavmp3.ACMFormatIn);
        c.wavtowav.ACMFormatOut.CopyPrefix(c.wavmp3.ACMFormatIn, core::kWaveFormatExSize);
        ActiveStream shape(c.wavtowav, core::BlockBufferSize(c.wavtowav.ACMFormatIn.BlockAlign()));
        c.wavmp3.ACMFormatIn = c.wavtowav.ACMFormatOut;
        ActiveStream encode(c.wavmp3, c.wavtowav.OutputBufferSize());
        ConversionChain({&c.wavtowav, &c.wavmp3}, output)
            .Run(host, *wav.file, wav.info.dataLength, wav.info.dataLength);
        shape.Finish();
        encode.Finish();
        AppendID3Tag(output, core::ReadWavInfoList(*wav.file, wav.info));
    });
}

void ConvertWAV2WAV(JobHost& host, const std::wstring& source, const std::wstring& destination) {
    const core::WaveFormatRecord* target =
        SelectedRecord(host.PCMFormats(), host.WAVFormatsItemCount(), host.WAVFormatsItemIndex());
    RunWavSourceJob(host, target, source, destination, [&](WavSource& wav, Win32File& output, ConverterComponents& c) {
        c.wavtowav.ACMFormatIn.CopyPrefix(wav.info.format, core::kWaveFormatExSize);
        c.wavtowav.ACMFormatOut.CopyPrefix(*target, core::kWaveFormatExSize);
        core::WavDestination result(output, c.wavtowav.ACMFormatOut);
        ActiveStream convert(c.wavtowav, core::BlockBufferSize(c.wavtowav.ACMFormatIn.BlockAlign()));
        ConversionChain({&c.wavtowav}, result).Run(host, *wav.file, wav.info.dataLength, wav.info.dataLength);
        convert.Finish();
        KeepInfoList(*wav.file, wav.info, result);
        result.Finish();
    });
}
