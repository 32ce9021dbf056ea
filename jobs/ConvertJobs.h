#pragma once
// The four single-file conversions of the converter. Each runs synchronously,
// reports refusals through the host's message box and returns; a failure that
// ends a run after it has cleaned up leaves as a JobFailure. The destination
// is created, or an existing one emptied, only once the streams are open: a
// run refused before that leaves it as it was.
#include "JobHost.h"

#include <string>

// MP3 to a 16-bit PCM WAV with the MP3's channels and rate.
void ConvertMP3WAV(JobHost& host, const std::wstring& source, const std::wstring& destination);
// MP3 to a CD-quality WAV (2 channels, 44100 Hz, 16 bits) through a second stream.
void ConvertMP3CDWAV(JobHost& host, const std::wstring& source, const std::wstring& destination);
// WAV to bare MPEG audio in the format selected in the MP3 list. The WAV
// sources of both may hold one or two channels of 8 to 32-bit integer or of
// 32 and 64-bit float samples.
void ConvertWAVMP3(JobHost& host, const std::wstring& source, const std::wstring& destination);
// WAV to WAV in the PCM format selected in the WAV format list.
void ConvertWAV2WAV(JobHost& host, const std::wstring& source, const std::wstring& destination);
