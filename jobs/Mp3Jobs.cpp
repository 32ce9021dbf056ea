// MP3 sources: decoded by mp3wav, raised to CD quality by wavcd when asked.
#include "ConvertJobs.h"

#include "ConversionChain.h"
#include "JobRun.h"
#include "JobTexts.h"
#include "TagTransfer.h"
#include "Win32File.h"
#include "core/BlockProgress.h"
#include "core/FormatDerivation.h"
#include "core/Mp3Audio.h"
#include "core/WavDestination.h"

#include <optional>

namespace {

void ConvertMP3(JobHost& host, const std::wstring& source, const std::wstring& destination, bool cdQuality) {
    if (!MayStart(host, host.MP3FormatItemCount() > 0, jobtext::kNoDecoder, source, destination)) {
        return;
    }
    RunJob(source, [&] {
        RunState run(host);
        std::unique_ptr<Win32File> input = Win32File::OpenForReading(source);
        if (!input) {
            host.ShowJobMessage(jobtext::kCannotOpen);
            return;
        }
        const std::optional<core::Mp3AudioData> audio = core::LocateMp3Audio(*input);
        if (!audio) {
            host.ShowJobMessage(jobtext::kNotMp3);
            return;
        }
        const std::optional<core::ID3TagFields> tag = ReadMp3TagFields(*input);
        ConverterComponents& c = host.Components();
        core::DeriveMp3DecodeFormats(audio->header, host.MP3Formats(), c.mp3wav.ACMFormatIn, c.mp3wav.ACMFormatOut);
        ActiveStream decode(c.mp3wav, core::BlockBufferSize(c.mp3wav.ACMFormatIn.BlockAlign()));
        std::optional<ActiveStream> raise;
        std::vector<TACMConvertor*> stages = {&c.mp3wav};
        if (cdQuality) {
            c.wavcd.ACMFormatIn = c.mp3wav.ACMFormatOut;
            raise.emplace(c.wavcd, c.mp3wav.OutputBufferSize());
            stages.push_back(&c.wavcd);
        }
        std::unique_ptr<Win32File> output = CreateDestination(host, destination);
        if (!output) {
            return;
        }
        core::WavDestination wav(*output, cdQuality ? c.wavcd.ACMFormatOut : c.mp3wav.ACMFormatOut);
        const int64_t total = input->Size();
        ConversionChain(stages, wav).Run(host, *input, total - audio->start, total);
        decode.Finish();
        if (raise) {
            raise->Finish();
        }
        AppendInfoList(wav, tag);
        wav.Finish();
    });
}

} // namespace

void ConvertMP3WAV(JobHost& host, const std::wstring& source, const std::wstring& destination) {
    ConvertMP3(host, source, destination, false);
}

void ConvertMP3CDWAV(JobHost& host, const std::wstring& source, const std::wstring& destination) {
    ConvertMP3(host, source, destination, true);
}
