#include "JobOutcome.h"

#include "AudioFiles.h"
#include "jobs/JobFailure.h"

std::wstring RunOn(JobTestHost& host, Job job, const std::string& source, const std::string& destination) {
    try {
        job(host, WorkFile(source), WorkFile(destination));
    } catch (const JobFailure& failure) {
        return failure.Message();
    }
    return {};
}

bool EndedClean(JobTestHost& host) {
    return !host.converting && !host.progress.empty() && host.progress.back() == 0 && !host.AnyStreamActive();
}
