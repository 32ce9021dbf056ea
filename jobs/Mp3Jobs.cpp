// MP3 sources: decoded by mp3wav, raised to CD quality by wavcd when asked.
#include "JobKinds.h"

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

void ConvertMp3(const JobRequest& request, JobSink& sink) {
    const std::wstring& source = request.source;
    const std::wstring& destination = request.destination;
    const bool cdQuality = request.kind == JobKind::Mp3ToCdWav;
    if (!MayStart(sink, !request.mp3Formats.empty(), jobtext::kNoDecoder, source, destination)) {
        return;
    }
    RunJob(source, [&] {
        RunState run(sink);
        std::unique_ptr<Win32File> input = Win32File::OpenForReading(source);
        if (!input) {
            sink.ShowJobMessage(jobtext::kCannotOpen);
            return;
        }
        const std::optional<core::Mp3AudioData> audio = core::LocateMp3Audio(*input);
        if (!audio) {
            sink.ShowJobMessage(jobtext::kNotMp3);
            return;
        }
        const std::optional<core::ID3TagFields> tag = ReadMp3TagFields(*input);
        TACMConvertor mp3wav(request.streams.mp3wav);
        core::DeriveMp3DecodeFormats(audio->header, request.mp3Formats, mp3wav.ACMFormatIn, mp3wav.ACMFormatOut);
        ActiveStream decode(mp3wav, core::BlockBufferSize(mp3wav.ACMFormatIn.BlockAlign()));
        std::optional<TACMConvertor> wavcd;
        std::optional<ActiveStream> raise;
        std::vector<TACMConvertor*> stages = {&mp3wav};
        if (cdQuality) {
            wavcd.emplace(request.streams.wavcd);
            wavcd->ACMFormatIn = mp3wav.ACMFormatOut;
            raise.emplace(*wavcd, mp3wav.OutputBufferSize());
            stages.push_back(&*wavcd);
        }
        std::unique_ptr<Win32File> output = CreateDestination(sink, destination);
        if (!output) {
            return;
        }
        core::WavDestination wav(*output, cdQuality ? wavcd->ACMFormatOut : mp3wav.ACMFormatOut);
        const int64_t total = input->Size();
        ConversionChain(stages, wav).Run(sink, *input, total - audio->start, total);
        decode.Finish();
        if (raise) {
            raise->Finish();
        }
        AppendInfoList(wav, tag);
        wav.Finish();
    });
}
