#include "JobRun.h"

#include "ConvertJobs.h"
#include "JobFailure.h"
#include "JobKinds.h"
#include "JobTexts.h"
#include "SameFile.h"
#include "win/TextConversion.h"

#include <new>

RunState::RunState(JobSink& sink) : sink_(sink) {
    sink_.SetConverting(true);
    sink_.SetProStatus(0);
}

RunState::~RunState() {
    sink_.SetProStatus(0);
    sink_.SetConverting(false);
}

ActiveStream::ActiveStream(TACMConvertor& convertor, uint32_t inputBufferSize) : convertor_(convertor) {
    convertor_.SetInputBufferSize(inputBufferSize);
    convertor_.SetActive(true);
}

ActiveStream::~ActiveStream() {
    if (!convertor_.Active()) {
        return;
    }
    // The failure that brought us here is the one to report; the component
    // must still end inactive, or its next job could not set it up.
    acmStreamReset(convertor_.StreamHandle(), 0);
    convertor_.Deactivate();
}

void ActiveStream::Finish() {
    TACMConvertor::CheckACMResult("acmStreamReset", acmStreamReset(convertor_.StreamHandle(), 0));
    convertor_.SetActive(false);
}

bool MayStart(JobSink& sink, bool haveCodec, const wchar_t* noCodecText, const std::wstring& source,
              const std::wstring& destination) {
    if (!haveCodec) {
        sink.ShowJobMessage(noCodecText);
        return false;
    }
    if (NamesSameFile(source, destination)) {
        sink.ShowJobMessage(jobtext::kSameFile);
        return false;
    }
    return true;
}

std::unique_ptr<Win32File> CreateDestination(JobSink& sink, const std::wstring& destination) {
    std::unique_ptr<Win32File> output = Win32File::CreateAnew(destination);
    if (!output) {
        sink.ShowJobMessage(jobtext::kCannotCreate);
        return nullptr;
    }
    sink.DestinationCreated(destination);
    return output;
}

void RunJob(const std::wstring& sourceName, const std::function<void()>& body) {
    try {
        body();
    } catch (const EACMConvertor& failure) {
        throw JobFailure(win::WidenUtf8(failure.what()));
    } catch (const core::FileReadError&) {
        throw JobFailure(std::wstring(jobtext::kCannotRead) + L" " + sourceName);
    } catch (const core::FileWriteError&) {
        throw JobFailure(jobtext::kCannotWrite);
    } catch (const std::bad_alloc&) {
        throw JobFailure(jobtext::kOutOfMemory);
    }
}

namespace {

std::optional<core::WaveFormatRecord> SelectedRecord(const std::vector<core::WaveFormatRecord>& table, int entry) {
    if (entry < 0 || static_cast<size_t>(entry) >= table.size()) {
        return std::nullopt;
    }
    return table[static_cast<size_t>(entry)];
}

} // namespace

JobRequest MakeRequest(JobKind kind, const std::wstring& source, const std::wstring& destination,
                       const StreamStates& streams, const std::vector<core::WaveFormatRecord>& mp3Formats,
                       const std::vector<core::WaveFormatRecord>& pcmFormats, int mp3Entry, int pcmEntry) {
    JobRequest request;
    request.kind = kind;
    request.source = source;
    request.destination = destination;
    request.streams = streams;
    if (kind == JobKind::Mp3ToWav || kind == JobKind::Mp3ToCdWav) {
        request.mp3Formats = mp3Formats;
    } else if (kind == JobKind::WavToMp3) {
        request.target = SelectedRecord(mp3Formats, mp3Entry);
    } else {
        request.target = SelectedRecord(pcmFormats, pcmEntry);
    }
    return request;
}

void RunConversion(const JobRequest& request, JobSink& sink) {
    if (request.kind == JobKind::Mp3ToWav || request.kind == JobKind::Mp3ToCdWav) {
        ConvertMp3(request, sink);
    } else {
        ConvertWav(request, sink);
    }
}
