#include "JobOutcome.h"

#include "AudioFiles.h"
#include "jobs/ConvertJobs.h"
#include "jobs/JobFailure.h"

std::wstring RunOn(JobTestHost& host, Job job, const std::string& source, const std::string& destination) {
    try {
        RunConversion(host.Request(job, WorkFile(source), WorkFile(destination)), host);
    } catch (const JobFailure& failure) {
        return failure.Message();
    }
    return {};
}

bool EndedClean(JobTestHost& host) { return !host.converting && !host.progress.empty() && host.progress.back() == 0; }
