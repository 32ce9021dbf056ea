#pragma once
// The jobs by their source: MP3 (to WAV, plain or CD quality) and WAV (to
// MP3 or to WAV).
#include "JobRequest.h"
#include "JobSink.h"

void ConvertMp3(const JobRequest& request, JobSink& sink);
void ConvertWav(const JobRequest& request, JobSink& sink);
