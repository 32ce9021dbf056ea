#include "JobTestHost.h"

#include "StoredComponents.h"
#include "core/ConvertorState.h"
#include "support/HostTool.h"
#include "support/LocalCodec.h"

namespace {

StreamStates ShippedStreams() {
    const std::map<std::string, core::ConvertorState> stored = core::ParseConvertorStates(StoredComponentsText());
    return StreamStates{stored.at("mp3wav"), stored.at("wavcd"), stored.at("wavtowav"), stored.at("wavmp3")};
}

} // namespace

JobTestHost::JobTestHost() : streams(ShippedStreams()) {
    // What the converter lists and converts with, its own codec first.
    testsupport::AddLocalCodec(testsupport::WindowsPath(SONARIS_CODEC_UNIX_PATH));
    discovery_.Enumerate();
    mp3Formats = discovery_.MP3Formats;
    pcmFormats = discovery_.PCMFormats;
    codecMp3Count_ = mp3Formats.size();
    if (mp3Formats.empty()) {
        for (uint32_t rate : {22050u, 44100u}) {
            for (uint16_t channels : {1, 2}) {
                mp3Formats.push_back(testsupport::DerivedMp3Record(rate, channels, 128000));
            }
        }
    }
}

bool JobTestHost::CancelRequested() const { return cancelAfterBlocks >= 0 && cancelChecks++ >= cancelAfterBlocks; }

void JobTestHost::SetConverting(bool value) {
    converting = value;
    ++convertingChanges;
}

void JobTestHost::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int JobTestHost::FindPcm(uint16_t channels, uint32_t rate, uint16_t bits) const {
    for (size_t i = 0; i < pcmFormats.size(); ++i) {
        const core::WaveFormatRecord& r = pcmFormats[i];
        if (r.Channels() == channels && r.SamplesPerSec() == rate && r.BitsPerSample() == bits) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int JobTestHost::FindMp3(uint16_t channels, uint32_t rate) const {
    for (size_t i = 0; i < mp3Formats.size(); ++i) {
        if (mp3Formats[i].Channels() == channels && mp3Formats[i].SamplesPerSec() == rate) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

JobRequest JobTestHost::Request(JobKind kind, const std::wstring& source, const std::wstring& destination) const {
    return MakeRequest(kind, source, destination, streams, mp3Formats, pcmFormats, mp3Index, pcmIndex);
}
