// The codec as the converter's discovery and its stream opens see it.
#include "AcmTestSupport.h"

#include "mp3codec/CodecIdentity.h"

#include <cstring>
#include <regex>
#include <set>
#include <tuple>

using namespace acmtest;

namespace {

constexpr DWORD kMpeg1Rates[] = {32000, 44100, 48000};
constexpr DWORD kMpeg2Rates[] = {16000, 22050, 24000};
// ISO/IEC 11172-3 and 13818-3, Layer III, kbit/s.
constexpr DWORD kMpeg1Kbps[] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr DWORD kMpeg2Kbps[] = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};

using Shape = std::tuple<DWORD, WORD, DWORD>; // rate, channels, kbit/s

Shape ShapeOf(const FormatRecord& record) {
    const WAVEFORMATEX* wfx = record.wfx();
    return {wfx->nSamplesPerSec, wfx->nChannels, wfx->nAvgBytesPerSec * 8 / 1000};
}

MMRESULT QueryOpen(HACMDRIVER driver, const FormatRecord& src, const FormatRecord& dst) {
    return acmStreamOpen(nullptr, driver, const_cast<WAVEFORMATEX*>(src.wfx()), const_cast<WAVEFORMATEX*>(dst.wfx()),
                         nullptr, 0, 0, ACM_STREAMOPENF_QUERY);
}

BOOL CALLBACK CountCodec(HACMDRIVERID id, DWORD_PTR instance, DWORD) {
    ACMDRIVERDETAILSW details = {};
    details.cbStruct = sizeof(details);
    if (acmDriverDetailsW(id, &details, 0) == MMSYSERR_NOERROR &&
        std::wstring(details.szShortName) == mp3codec::kDriverShortName) {
        ++*reinterpret_cast<int*>(instance);
    }
    return TRUE;
}

} // namespace

TEST(CodecDriver, IsListedOnceAsACodecWithTwoFormatTags) {
    int count = 0;
    acmDriverEnum(CountCodec, reinterpret_cast<DWORD_PTR>(&count), ACM_DRIVERENUMF_DISABLED);
    EXPECT_EQ(count, 1);
    ACMDRIVERDETAILSW details = {};
    details.cbStruct = sizeof(details);
    ASSERT_MMRESULT(0, acmDriverDetailsW(FindCodecDriver(), &details, 0));
    EXPECT_EQ(details.fdwSupport & ACMDRIVERDETAILS_SUPPORTF_CODEC, ACMDRIVERDETAILS_SUPPORTF_CODEC);
    EXPECT_EQ(details.fdwSupport & ACMDRIVERDETAILS_SUPPORTF_CONVERTER, 0u) << "PCM to PCM is the local driver's";
    EXPECT_EQ(details.cFormatTags, 2u);
    EXPECT_EQ(std::wstring(details.szLongName), mp3codec::kDriverLongName);
}

TEST(FormatEnumeration, OffersEveryConstantBitRateOfMpeg1AndMpeg2) {
    std::set<Shape> expected;
    for (WORD channels : {1, 2}) {
        for (DWORD rate : kMpeg1Rates) {
            for (DWORD kbps : kMpeg1Kbps) {
                expected.insert({rate, channels, kbps});
            }
        }
        for (DWORD rate : kMpeg2Rates) {
            for (DWORD kbps : kMpeg2Kbps) {
                expected.insert({rate, channels, kbps});
            }
        }
    }
    std::set<Shape> offered;
    for (const EnumeratedFormat& format : EnumerateCodecFormats(WAVE_FORMAT_MPEGLAYER3)) {
        EXPECT_TRUE(offered.insert(ShapeOf(format.record)).second) << "offered twice: " << format.description;
    }
    EXPECT_EQ(offered, expected);
}

TEST(FormatEnumeration, FirstMp3FormatIsAnEverydayOne) {
    const std::vector<EnumeratedFormat> formats = EnumerateCodecFormats(WAVE_FORMAT_MPEGLAYER3);
    ASSERT_FALSE(formats.empty());
    EXPECT_EQ(formats[0].description, Ansi("128 kBit/s, 44.100 Hz, Estéreo"));
    EXPECT_EQ(ShapeOf(formats[0].record), Shape(44100, 2, 128));
}

TEST(FormatEnumeration, Mp3RecordsAreThePlatformsLayer3Records) {
    for (const EnumeratedFormat& format : EnumerateCodecFormats(WAVE_FORMAT_MPEGLAYER3)) {
        SCOPED_TRACE(format.description);
        const MPEGLAYER3WAVEFORMAT* mp3 = format.record.mp3();
        const DWORD rate = mp3->wfx.nSamplesPerSec;
        const DWORD bitRate = mp3->wfx.nAvgBytesPerSec * 8;
        const DWORD samplesPerFrame = rate >= 32000 ? 1152 : 576;
        EXPECT_EQ(mp3->wfx.nBlockAlign, 1);
        EXPECT_EQ(mp3->wfx.wBitsPerSample, 0);
        EXPECT_EQ(mp3->wfx.cbSize, 12);
        EXPECT_EQ(mp3->wID, MPEGLAYER3_ID_MPEG);
        EXPECT_EQ(mp3->fdwFlags, static_cast<DWORD>(MPEGLAYER3_FLAG_PADDING_OFF));
        EXPECT_EQ(mp3->nBlockSize, samplesPerFrame / 8 * bitRate / rate);
        EXPECT_EQ(mp3->nFramesPerBlock, 1);
        EXPECT_GT(mp3->nCodecDelay, 0);
    }
}

TEST(FormatEnumeration, DescriptionsNameBitRateRateAndChannels) {
    const std::regex pattern(Ansi(R"((\d+) kBit/s, (\d+)\.(\d{3}) Hz, (Estéreo|Mono))"));
    std::set<std::string> seen;
    for (const EnumeratedFormat& format : EnumerateCodecFormats(WAVE_FORMAT_MPEGLAYER3)) {
        std::smatch parts;
        ASSERT_TRUE(std::regex_match(format.description, parts, pattern)) << format.description;
        const auto [rate, channels, kbps] = ShapeOf(format.record);
        EXPECT_EQ(std::stoul(parts[1]), kbps) << format.description;
        EXPECT_EQ(std::stoul(parts[2].str() + parts[3].str()), rate) << format.description;
        EXPECT_EQ(parts[4] == "Mono", channels == 1) << format.description;
        EXPECT_TRUE(seen.insert(format.description).second) << format.description;
    }
}

TEST(FormatEnumeration, OffersSixteenBitPcmAtTheEncoderRates) {
    std::set<std::pair<DWORD, WORD>> offered;
    for (const EnumeratedFormat& format : EnumerateCodecFormats(WAVE_FORMAT_PCM)) {
        const WAVEFORMATEX* wfx = format.record.wfx();
        EXPECT_EQ(wfx->wBitsPerSample, 16);
        EXPECT_EQ(wfx->nBlockAlign, wfx->nChannels * 2);
        EXPECT_EQ(wfx->nAvgBytesPerSec, wfx->nSamplesPerSec * wfx->nBlockAlign);
        offered.insert({wfx->nSamplesPerSec, wfx->nChannels});
    }
    std::set<std::pair<DWORD, WORD>> expected;
    for (DWORD rate : {16000, 22050, 24000, 32000, 44100, 48000}) {
        expected.insert({rate, 1});
        expected.insert({rate, 2});
    }
    EXPECT_EQ(offered, expected);
    const std::vector<EnumeratedFormat> pcm = EnumerateCodecFormats(WAVE_FORMAT_PCM);
    ASSERT_FALSE(pcm.empty());
    EXPECT_EQ(pcm[0].description, Ansi("44.100 Hz, 16 Bit, Estéreo"));
}

TEST(StreamOpen, QueryAcceptsEveryOfferedMp3FormatBothWays) {
    for (const EnumeratedFormat& format : EnumerateCodecFormats(WAVE_FORMAT_MPEGLAYER3)) {
        const FormatRecord pcm = PcmRecord(format.record.wfx()->nSamplesPerSec, format.record.wfx()->nChannels);
        EXPECT_MMRESULT(0, QueryOpen(nullptr, pcm, format.record)) << format.description;
        EXPECT_MMRESULT(0, QueryOpen(nullptr, format.record, pcm)) << format.description;
    }
}

TEST(StreamOpen, SetsUpAnEncoderForEveryOfferedFormat) {
    for (const EnumeratedFormat& format : EnumerateCodecFormats(WAVE_FORMAT_MPEGLAYER3)) {
        FormatRecord pcm = PcmRecord(format.record.wfx()->nSamplesPerSec, format.record.wfx()->nChannels);
        FormatRecord mp3 = format.record;
        testsupport::ScopedAcmStream stream;
        EXPECT_MMRESULT(0, acmStreamOpen(stream.Receive(), nullptr, pcm.wfx(), mp3.wfx(), nullptr, 0, 0, 0))
            << format.description;
    }
}

TEST(StreamOpen, PicksTheCodecForBothDirectionsWhenAnyDriverWillDo) {
    FormatRecord pcm = PcmRecord(44100, 2);
    FormatRecord mp3 = DerivedMp3Record(44100, 2, 128000);
    testsupport::ScopedAcmStream encoder, decoder;
    ASSERT_MMRESULT(0, acmStreamOpen(encoder.Receive(), nullptr, pcm.wfx(), mp3.wfx(), nullptr, 0, 0, 0));
    ASSERT_MMRESULT(0, acmStreamOpen(decoder.Receive(), nullptr, mp3.wfx(), pcm.wfx(), nullptr, 0, 0, 0));
    HACMDRIVERID encoderDriver = nullptr, decoderDriver = nullptr;
    acmDriverID(reinterpret_cast<HACMOBJ>(encoder.get()), &encoderDriver, 0);
    acmDriverID(reinterpret_cast<HACMOBJ>(decoder.get()), &decoderDriver, 0);
    EXPECT_EQ(encoderDriver, FindCodecDriver());
    EXPECT_EQ(decoderDriver, FindCodecDriver());
}

TEST(StreamOpen, DecodesFromRecordsDerivedFromAnyFrameHeader) {
    const win::ScopedAcmDriver driver = OpenDriver(FindCodecDriver());
    for (DWORD rate : {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000}) {
        for (WORD channels : {1, 2}) {
            // Bit rate and frame size of the first frame only; a VBR stream varies.
            FormatRecord mp3 = DerivedMp3Record(rate, channels, 56000);
            FormatRecord shortRecord = mp3, noMpegId = mp3;
            shortRecord.wfx()->cbSize = 0;
            noMpegId.mp3()->wID = MPEGLAYER3_ID_UNKNOWN;
            const FormatRecord pcm = PcmRecord(rate, channels);
            EXPECT_MMRESULT(0, QueryOpen(driver.get(), mp3, pcm)) << rate << " Hz, " << channels;
            // As Windows' own codec answers: the record ends before wID, or wID names no MPEG audio.
            EXPECT_MMRESULT(ACMERR_NOTPOSSIBLE, QueryOpen(driver.get(), shortRecord, pcm)) << rate << " Hz";
            EXPECT_MMRESULT(ACMERR_NOTPOSSIBLE, QueryOpen(driver.get(), noMpegId, pcm)) << rate << " Hz";
        }
    }
}

TEST(StreamOpen, RefusesConversionsItCannotDo) {
    struct Case {
        const char* what;
        FormatRecord src;
        FormatRecord dst;
    };
    FormatRecord eightBit = PcmRecord(44100, 2);
    eightBit.wfx()->wBitsPerSample = 8;
    eightBit.wfx()->nBlockAlign = 2;
    FormatRecord threeChannels = PcmRecord(44100, 3);
    FormatRecord oddBitRate = DerivedMp3Record(44100, 2, 130000);
    const Case cases[] = {
        {"8-bit source", eightBit, DerivedMp3Record(44100, 2, 128000)},
        {"rate change", PcmRecord(44100, 2), DerivedMp3Record(48000, 2, 128000)},
        {"stereo to mono", PcmRecord(44100, 2), DerivedMp3Record(44100, 1, 128000)},
        {"MPEG-2.5 encoding", PcmRecord(11025, 1), DerivedMp3Record(11025, 1, 32000)},
        {"320 kbit/s at 22050 Hz", PcmRecord(22050, 2), DerivedMp3Record(22050, 2, 320000)},
        {"130 kbit/s", PcmRecord(44100, 2), oddBitRate},
        {"three channels", threeChannels, DerivedMp3Record(44100, 3, 128000)},
        {"decoding to another rate", DerivedMp3Record(44100, 2, 128000), PcmRecord(22050, 2)},
        {"decoding to 8 bits", DerivedMp3Record(44100, 2, 128000), eightBit},
        {"PCM at 96000 Hz", PcmRecord(96000, 2), PcmRecord(44100, 2)},
        {"PCM to 8-bit with a wrong block", PcmRecord(44100, 2), eightBit},
        {"PCM rate change, the local driver's", PcmRecord(44100, 2), PcmRecord(22050, 2)},
        {"PCM identity, the local driver's", PcmRecord(44100, 2), PcmRecord(44100, 2)},
        {"24-bit PCM, the local driver's", PcmRecord(44100, 2, 24), PcmRecord(44100, 2)},
    };
    const win::ScopedAcmDriver driver = OpenDriver(FindCodecDriver());
    for (const Case& c : cases) {
        EXPECT_MMRESULT(ACMERR_NOTPOSSIBLE, QueryOpen(driver.get(), c.src, c.dst)) << c.what;
    }
}

TEST(StreamSize, BySourceAndByDestinationAgree) {
    const win::ScopedAcmDriver driver = OpenDriver(AddLocalCodec());
    FormatRecord pcm = PcmRecord(44100, 2);
    FormatRecord mp3 = DerivedMp3Record(44100, 2, 128000);
    FormatRecord low = PcmRecord(8000, 1, 8);
    for (const auto& [src, dst] :
         {std::pair(&pcm, &mp3), std::pair(&mp3, &pcm), std::pair(&pcm, &low), std::pair(&low, &pcm)}) {
        testsupport::ScopedAcmStream stream;
        ASSERT_MMRESULT(0, acmStreamOpen(stream.Receive(), driver.get(), src->wfx(), dst->wfx(), nullptr, 0, 0, 0));
        for (DWORD source : {4u, 1024u, 4096u, 65536u}) {
            DWORD bound = 0, fitting = 0;
            ASSERT_MMRESULT(0, acmStreamSize(stream.get(), source, &bound, ACM_STREAMSIZEF_SOURCE));
            ASSERT_MMRESULT(0, acmStreamSize(stream.get(), bound, &fitting, ACM_STREAMSIZEF_DESTINATION));
            EXPECT_GE(fitting, source) << "a buffer as large as the bound takes the source it was made for";
        }
        DWORD tooSmall = 0;
        EXPECT_MMRESULT(ACMERR_NOTPOSSIBLE, acmStreamSize(stream.get(), 1, &tooSmall, ACM_STREAMSIZEF_DESTINATION));
    }
}

TEST(FormatSuggest, ProposesAnOfferedFormatEachWay) {
    const win::ScopedAcmDriver driver = OpenDriver(FindCodecDriver());
    FormatRecord pcm = PcmRecord(44100, 2);
    FormatRecord suggested;
    ASSERT_MMRESULT(0, acmFormatSuggest(driver.get(), pcm.wfx(), suggested.wfx(), sizeof(suggested.bytes), 0));
    EXPECT_EQ(suggested.wfx()->wFormatTag, WAVE_FORMAT_MPEGLAYER3);
    EXPECT_EQ(ShapeOf(suggested), Shape(44100, 2, 128));

    FormatRecord mp3 = DerivedMp3Record(22050, 1, 32000);
    FormatRecord decoded;
    ASSERT_MMRESULT(0, acmFormatSuggest(driver.get(), mp3.wfx(), decoded.wfx(), sizeof(decoded.bytes), 0));
    EXPECT_EQ(decoded.wfx()->wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(decoded.wfx()->nSamplesPerSec, 22050u);
    EXPECT_EQ(decoded.wfx()->nChannels, 1);
    EXPECT_EQ(decoded.wfx()->wBitsPerSample, 16);

    FormatRecord fixedMono;
    fixedMono.wfx()->nChannels = 1;
    EXPECT_MMRESULT(ACMERR_NOTPOSSIBLE, acmFormatSuggest(driver.get(), pcm.wfx(), fixedMono.wfx(),
                                                         sizeof(fixedMono.bytes), ACM_FORMATSUGGESTF_NCHANNELS));

    // Same tag: what a driver without converter support answers.
    FormatRecord samePcm;
    samePcm.wfx()->wFormatTag = WAVE_FORMAT_PCM;
    EXPECT_MMRESULT(ACMERR_NOTPOSSIBLE, acmFormatSuggest(driver.get(), pcm.wfx(), samePcm.wfx(), sizeof(samePcm.bytes),
                                                         ACM_FORMATSUGGESTF_WFORMATTAG));
}

TEST(FormatSuggest, TheLocalDriverProposesPcmForPcmAndWideSources) {
    const win::ScopedAcmDriver driver = OpenDriver(AddLocalCodec());
    FormatRecord pcm = PcmRecord(8000, 1), float64 = PcmRecord(96000, 2, 64, WAVE_FORMAT_IEEE_FLOAT);
    FormatRecord samePcm;
    samePcm.wfx()->wFormatTag = WAVE_FORMAT_PCM;
    ASSERT_MMRESULT(0, acmFormatSuggest(driver.get(), pcm.wfx(), samePcm.wfx(), sizeof(samePcm.bytes),
                                        ACM_FORMATSUGGESTF_WFORMATTAG));
    EXPECT_EQ(std::memcmp(samePcm.bytes, pcm.bytes, sizeof(PCMWAVEFORMAT)), 0);
    FormatRecord sixteen;
    ASSERT_MMRESULT(0, acmFormatSuggest(driver.get(), float64.wfx(), sixteen.wfx(), sizeof(sixteen.bytes), 0));
    EXPECT_EQ(std::memcmp(sixteen.bytes, PcmRecord(96000, 2).bytes, sizeof(PCMWAVEFORMAT)), 0);
}

TEST(FormatDetails, DescribesAFormatItIsGiven) {
    const win::ScopedAcmDriver driver = OpenDriver(FindCodecDriver());
    FormatRecord mp3 = DerivedMp3Record(44100, 2, 128000);
    ACMFORMATDETAILSA details = {};
    details.cbStruct = sizeof(details);
    details.dwFormatTag = WAVE_FORMAT_MPEGLAYER3;
    details.pwfx = mp3.wfx();
    details.cbwfx = sizeof(mp3.bytes);
    ASSERT_MMRESULT(0, acmFormatDetailsA(driver.get(), &details, ACM_FORMATDETAILSF_FORMAT));
    EXPECT_EQ(std::string(details.szFormat), Ansi("128 kBit/s, 44.100 Hz, Estéreo"));
}
