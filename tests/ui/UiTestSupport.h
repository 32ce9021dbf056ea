#pragma once
// Fixtures and outside checks shared by the converter's window tests.
#include "ConverterDriver.h"
#include "support/HostTool.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace uitest {

using testsupport::RunHostOrFail;
using testsupport::WorkFile;
// sox's view of a sound file: "rate channels bits samples", or empty on failure.
std::string SoxInfo(const std::wstring& file);
using testsupport::Exists;
using testsupport::FileSize;
using testsupport::ShellPath;

// Whether the program found an MP3 codec (its MP3 format list is filled).
bool HasMp3Codec(Converter& converter);

#define SKIP_WITHOUT_MP3_CODEC(converter)                                                                              \
    if (!HasMp3Codec(converter)) {                                                                                     \
        GTEST_SKIP() << "no MP3 codec is installed in this prefix (l3codecp.exe not built yet)";                       \
    }

// Selects the first entry of a format list whose text holds every part.
int SelectFormat(Converter& converter, int listId, std::initializer_list<const wchar_t*> parts);

// Fills a single-file page, clicks its Go button and waits for the run.
void RunSingle(Converter& converter, int sourceId, const std::wstring& source, int destinationId,
               const std::wstring& destination, int goId);

// Takes the MP3 codec's registration away for the scope, so that a program
// started meanwhile finds no MP3 codec; Wine's own codecs stay.
class MP3CodecHidden {
public:
    MP3CodecHidden();
    ~MP3CodecHidden();
    MP3CodecHidden(const MP3CodecHidden&) = delete;
    MP3CodecHidden& operator=(const MP3CodecHidden&) = delete;

private:
    std::vector<std::pair<std::wstring, std::wstring>> removed_;
};

} // namespace uitest
