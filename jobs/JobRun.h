#pragma once
// The frame every job runs in: the run state shown to the user and the streams
// it opens, each put right again on every way out, and the failures that end
// a job turned into a JobFailure.
#include "JobSink.h"
#include "codec/ACMConvertor.h"
#include "Win32File.h"
#include "core/ByteFile.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// Converting set and progress 0 for the life of the object, and again 0 and
// cleared at its end.
class RunState {
public:
    explicit RunState(JobSink& sink);
    ~RunState();
    RunState(const RunState&) = delete;
    RunState& operator=(const RunState&) = delete;

private:
    JobSink& sink_;
};

// One stream opened with the given source buffer size. Finish resets and
// closes it and raises what fails; on any other way out it is reset and
// closed with its errors ignored.
class ActiveStream {
public:
    ActiveStream(TACMConvertor& convertor, uint32_t inputBufferSize);
    ~ActiveStream();
    ActiveStream(const ActiveStream&) = delete;
    ActiveStream& operator=(const ActiveStream&) = delete;
    void Finish();

private:
    TACMConvertor& convertor_;
};

// The refusals that come before a job touches anything: no codec for it
// (shown with noCodecText) and a destination that is the source itself. True
// when the job may start.
bool MayStart(JobSink& sink, bool haveCodec, const wchar_t* noCodecText, const std::wstring& source,
              const std::wstring& destination);

// Creates the destination, or empties an existing one, once the job's streams
// are open: a job refused before that leaves a file the user chose to replace
// as it was. Null after telling the user why it could not be created.
std::unique_ptr<Win32File> CreateDestination(JobSink& sink, const std::wstring& destination);

// Runs a job's body; a stream failure, a read error of sourceName, a write
// failure or exhausted memory leave it as a JobFailure once the body's
// objects have cleaned up.
void RunJob(const std::wstring& sourceName, const std::function<void()>& body);
