#pragma once
// Fixtures made by the host's sox and lame, and the facts that sox, soxi and
// mpg123 report about results, for the job tests.
#include "support/HostTool.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using testsupport::WorkFile;

// Runs a host command line in which every {name} stands for the host path of WorkFile(name).
testing::AssertionResult HostOnWorkFiles(const std::string& commandLine);
// Its standard output, or "" when it failed.
std::string HostOutput(const std::string& commandLine);

struct AudioFacts {
    int rate = 0;
    int channels = 0;
    int bits = 0;
    long long samples = -1; // sample frames; -1 when soxi could not read the file
    double seconds = 0;
    double rms = 0; // RMS amplitude of all channels, 0 to 1
};
// What sox reads from a WAV or MP3 work file.
AudioFacts Inspect(const std::string& name);

bool WorkFileExists(const std::string& name);
using testsupport::ReadByteVector;
using testsupport::WriteBytes;

// Checks that a WAV work file has the 44-byte header whose sizes match the
// file with behindData bytes of chunks behind the samples, and gives its data
// size (-1 when the header is wrong).
testing::AssertionResult HasExactWavHeader(const std::string& name, int64_t* dataSize = nullptr,
                                           int64_t behindData = 0);
