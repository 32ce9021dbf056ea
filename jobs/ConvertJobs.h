#pragma once
// The four single-file conversions of the converter. A job runs synchronously
// on the calling thread, with its own streams and files, reports refusals
// through the sink's messages and returns; a failure that ends a run after it
// has cleaned up leaves as a JobFailure. The destination is created, or an
// existing one emptied, only once the streams are open: a run refused before
// that leaves it as it was. The WAV sources may hold one or two channels of 8
// to 32-bit integer or of 32 and 64-bit float samples.
#include "JobRequest.h"
#include "JobSink.h"

void RunConversion(const JobRequest& request, JobSink& sink);
