#include "JobRun.h"

#include "JobFailure.h"
#include "JobTexts.h"
#include "SameFile.h"
#include "win/TextConversion.h"

#include <new>

RunState::RunState(JobHost& host) : host_(host) {
    host_.SetConverting(true);
    host_.SetProStatus(0);
}

RunState::~RunState() {
    host_.SetProStatus(0);
    host_.SetConverting(false);
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

bool MayStart(JobHost& host, bool haveCodec, const wchar_t* noCodecText, const std::wstring& source,
              const std::wstring& destination) {
    if (!haveCodec) {
        host.ShowJobMessage(noCodecText);
        return false;
    }
    if (NamesSameFile(source, destination)) {
        host.ShowJobMessage(jobtext::kSameFile);
        return false;
    }
    return true;
}

std::unique_ptr<Win32File> CreateDestination(JobHost& host, const std::wstring& destination) {
    std::unique_ptr<Win32File> output = Win32File::CreateAnew(destination);
    if (!output) {
        host.ShowJobMessage(jobtext::kCannotCreate);
        return nullptr;
    }
    host.DestinationCreated(destination);
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
