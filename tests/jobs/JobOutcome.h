#pragma once
// Running a job on work files and judging how it ended.
#include "JobTestHost.h"

#include <string>

using Job = void (*)(JobHost&, const std::wstring&, const std::wstring&);

// Runs a job on two work files; the text of the JobFailure that left it, or
// "" when none did.
std::wstring RunOn(JobTestHost& host, Job job, const std::string& source, const std::string& destination);

// Converting cleared, the progress back at 0 and every stream closed.
bool EndedClean(JobTestHost& host);
