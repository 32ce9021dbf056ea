#include "LocalCodec.h"

#include "codec/LocalCodec.h"
#include "Mp3Fields.h"

namespace testsupport {

HACMDRIVERID AddLocalCodec(const std::wstring& path) {
    static const codec::LocalCodec added(path.substr(0, path.find_last_of(L'\\') + 1));
    static const HACMDRIVERID id = added.Added() ? codec::LocalCodec::Current() : nullptr;
    return id;
}

core::WaveFormatRecord DerivedMp3Record(uint32_t rate, uint16_t channels, uint32_t bitsPerSecond) {
    constexpr uint16_t kOtherCodecDelay = 1393;
    core::WaveFormatRecord r;
    r.SetFormatTag(WAVE_FORMAT_MPEGLAYER3);
    r.SetChannels(channels);
    r.SetSamplesPerSec(rate);
    r.SetAvgBytesPerSec(bitsPerSecond / 8);
    r.SetBlockAlign(1);
    r.SetCbSize(MPEGLAYER3_WFX_EXTRA_BYTES);
    SetMp3Id(r, MPEGLAYER3_ID_MPEG);
    SetMp3Flags(r, MPEGLAYER3_FLAG_PADDING_OFF);
    SetMp3BlockSize(r, static_cast<uint16_t>(bitsPerSecond * 144 / rate));
    SetMp3FramesPerBlock(r, 1);
    SetMp3CodecDelay(r, kOtherCodecDelay);
    return r;
}

} // namespace testsupport
