#pragma once
// Running a job on work files and judging how it ended.
#include "JobTestHost.h"

#include <string>

using Job = JobKind;

// Runs a job on two work files; the text of the JobFailure that left it, or
// "" when none did.
std::wstring RunOn(JobTestHost& host, Job job, const std::string& source, const std::string& destination);

// Converting cleared and the progress back at 0.
bool EndedClean(JobTestHost& host);
