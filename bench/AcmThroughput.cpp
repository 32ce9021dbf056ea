// Converts one file through an ACM stream the converter's way and prints the
// seconds it took, reading and writing included:
//   acm-throughput encode PIECE.wav OUT.mp3 KBPS BLOCK
//   acm-throughput decode PIECE.mp3 OUT.raw RATE CHANNELS BLOCK
//   acm-throughput resample PIECE.wav OUT.raw RATE CHANNELS BITS BLOCK
// or prints the level of one frequency in dB of full scale:
//   acm-throughput level SOUND.raw RATE CHANNELS BITS FREQUENCY
// With SONARIS_LOCAL_CODEC naming a sonarmp3.acm, that driver is added first as
// the process's own, as the converter adds the one beside it: PCM rate changes
// are its local entry's alone.
#include "codec/LocalCodec.h"
#include "core/StdioByteFile.h"
#include "core/WavFile.h"
#include "support/ToneLevel.h"
#include "win/TextConversion.h"

#include <windows.h>

#include <mmreg.h>
#include <msacm.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Stream {
    HACMSTREAM handle = nullptr;
    ~Stream() {
        if (handle) {
            acmStreamClose(handle, 0);
        }
    }
};

struct File {
    HANDLE handle = INVALID_HANDLE_VALUE;
    ~File() {
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
};

bool Fail(const char* what, MMRESULT result = 0) {
    std::fprintf(stderr, "acm-throughput: %s (%u)\n", what, result);
    return false;
}

// The sample data's format, read the converter's way; the handle is left at
// the first sample byte.
bool ReadWavHeader(const char* path, HANDLE file, WAVEFORMATEX& format) {
    core::StdioByteFile wav(path, "rb");
    core::WavHeaderInfo info;
    try {
        info = core::ReadWAVHeader(wav);
    } catch (const core::FileReadError&) {
        return false;
    }
    if (!info.valid) {
        return false;
    }
    std::memcpy(&format, info.format.bytes.data(), sizeof(PCMWAVEFORMAT));
    format.cbSize = 0;
    return SetFilePointer(file, info.dataOffset, nullptr, FILE_BEGIN) == static_cast<DWORD>(info.dataOffset);
}

bool Convert(HANDLE in, HANDLE out, WAVEFORMATEX* src, WAVEFORMATEX* dst, DWORD block) {
    Stream stream;
    MMRESULT result = acmStreamOpen(&stream.handle, nullptr, src, dst, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME);
    if (result != MMSYSERR_NOERROR) {
        return Fail("acmStreamOpen", result);
    }
    DWORD dstSize = 0;
    if ((result = acmStreamSize(stream.handle, block, &dstSize, ACM_STREAMSIZEF_SOURCE)) != MMSYSERR_NOERROR) {
        return Fail("acmStreamSize", result);
    }
    std::vector<BYTE> source(block), destination(dstSize);
    ACMSTREAMHEADER header = {};
    header.cbStruct = sizeof(header);
    header.pbSrc = source.data();
    header.cbSrcLength = block;
    header.pbDst = destination.data();
    header.cbDstLength = dstSize;
    if ((result = acmStreamPrepareHeader(stream.handle, &header, 0)) != MMSYSERR_NOERROR) {
        return Fail("acmStreamPrepareHeader", result);
    }
    DWORD kept = 0; // unconsumed bytes carried to the next block
    for (DWORD flags = ACM_STREAMCONVERTF_START;; flags = 0) {
        DWORD read = 0;
        ReadFile(in, source.data() + kept, block - kept, &read, nullptr);
        const DWORD length = kept + read;
        const bool last = length < block;
        header.cbSrcLength = length;
        if ((result = acmStreamConvert(stream.handle, &header, flags | (last ? ACM_STREAMCONVERTF_END : 0))) !=
            MMSYSERR_NOERROR) {
            return Fail("acmStreamConvert", result);
        }
        DWORD written = 0;
        WriteFile(out, destination.data(), header.cbDstLengthUsed, &written, nullptr);
        kept = length - header.cbSrcLengthUsed;
        std::memmove(source.data(), source.data() + header.cbSrcLengthUsed, kept);
        if (last) {
            break;
        }
    }
    header.cbSrcLength = block;
    acmStreamReset(stream.handle, 0);
    acmStreamUnprepareHeader(stream.handle, &header, 0);
    return true;
}

void SetPcm(WAVEFORMATEX& pcm, const char* rate, const char* channels, WORD bits) {
    pcm.wFormatTag = WAVE_FORMAT_PCM;
    pcm.nSamplesPerSec = std::strtoul(rate, nullptr, 10);
    pcm.nChannels = static_cast<WORD>(std::strtoul(channels, nullptr, 10));
    pcm.wBitsPerSample = bits;
    pcm.nBlockAlign = static_cast<WORD>(pcm.nChannels * bits / 8);
    pcm.nAvgBytesPerSec = pcm.nSamplesPerSec * pcm.nBlockAlign;
}

int PrintLevel(char** argv) {
    std::vector<uint8_t> pcm;
    if (FILE* file = std::fopen(argv[2], "rb")) {
        uint8_t chunk[65536];
        for (size_t n; (n = std::fread(chunk, 1, sizeof(chunk), file)) > 0;) {
            pcm.insert(pcm.end(), chunk, chunk + n);
        }
        std::fclose(file);
    }
    const unsigned rate = std::strtoul(argv[3], nullptr, 10), channels = std::strtoul(argv[4], nullptr, 10),
                   bits = std::strtoul(argv[5], nullptr, 10);
    const size_t frames = channels * bits / 8 ? pcm.size() / (channels * bits / 8) : 0;
    if (frames < rate || rate == 0) {
        Fail("less than a second of sound");
        return 1;
    }
    std::printf("%.2f\n", testsupport::ToneLevel(pcm.data(), frames, rate, channels, bits, std::atof(argv[6])));
    return 0;
}

// False when the variable is set and the driver cannot be added.
bool AddLocalCodec() {
    const char* path = std::getenv("SONARIS_LOCAL_CODEC");
    if (!path || !*path) {
        return true;
    }
    const std::string file(path);
    static const codec::LocalCodec added(win::WidenAnsi(file.substr(0, file.find_last_of('\\') + 1)));
    if (!added.Added()) {
        Fail("cannot add the local codec");
        return false;
    }
    return true;
}

int Resample(char** argv) {
    File in, out;
    in.handle = CreateFileA(argv[2], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    out.handle = CreateFileA(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    WAVEFORMATEX src = {}, dst = {};
    if (in.handle == INVALID_HANDLE_VALUE || out.handle == INVALID_HANDLE_VALUE ||
        !ReadWavHeader(argv[2], in.handle, src)) {
        Fail("cannot open the files");
        return 1;
    }
    SetPcm(dst, argv[4], argv[5], static_cast<WORD>(std::strtoul(argv[6], nullptr, 10)));
    return Convert(in.handle, out.handle, &src, &dst, std::strtoul(argv[7], nullptr, 10)) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const bool encode = argc == 6 && std::strcmp(argv[1], "encode") == 0;
    const bool decode = argc == 7 && std::strcmp(argv[1], "decode") == 0;
    const bool resample = argc == 8 && std::strcmp(argv[1], "resample") == 0;
    if (argc == 7 && std::strcmp(argv[1], "level") == 0) {
        return PrintLevel(argv);
    }
    if (!encode && !decode && !resample) {
        std::fprintf(stderr, "usage: acm-throughput encode IN.wav OUT.mp3 KBPS BLOCK\n"
                             "       acm-throughput decode IN.mp3 OUT.raw RATE CHANNELS BLOCK\n"
                             "       acm-throughput resample IN.wav OUT.raw RATE CHANNELS BITS BLOCK\n"
                             "       acm-throughput level IN.raw RATE CHANNELS BITS FREQUENCY\n");
        return 2;
    }
    if (!AddLocalCodec()) {
        return 1;
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (resample) {
        const int failed = Resample(argv);
        QueryPerformanceCounter(&end);
        if (!failed) {
            std::printf("%.3f\n",
                        static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
        }
        return failed;
    }
    File in, out;
    in.handle = CreateFileA(argv[2], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    out.handle = CreateFileA(argv[3], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (in.handle == INVALID_HANDLE_VALUE || out.handle == INVALID_HANDLE_VALUE) {
        Fail("cannot open the files");
        return 1;
    }
    WAVEFORMATEX pcm = {};
    MPEGLAYER3WAVEFORMAT mp3 = {};
    DWORD block = 0;
    if (encode) {
        if (!ReadWavHeader(argv[2], in.handle, pcm)) {
            Fail("not a WAV file");
            return 1;
        }
        mp3.wfx.nAvgBytesPerSec = std::strtoul(argv[4], nullptr, 10) * 1000 / 8;
        block = std::strtoul(argv[5], nullptr, 10);
    } else {
        SetPcm(pcm, argv[4], argv[5], 16);
        mp3.wfx.nAvgBytesPerSec = 128000 / 8;
        block = std::strtoul(argv[6], nullptr, 10);
    }
    mp3.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    mp3.wfx.nChannels = pcm.nChannels;
    mp3.wfx.nSamplesPerSec = pcm.nSamplesPerSec;
    mp3.wfx.nBlockAlign = 1;
    mp3.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    mp3.wID = MPEGLAYER3_ID_MPEG;
    mp3.fdwFlags = MPEGLAYER3_FLAG_PADDING_OFF;
    mp3.nFramesPerBlock = 1;
    mp3.nBlockSize =
        static_cast<WORD>((pcm.nSamplesPerSec >= 32000 ? 144 : 72) * mp3.wfx.nAvgBytesPerSec * 8 / pcm.nSamplesPerSec);
    const bool done = encode ? Convert(in.handle, out.handle, &pcm, &mp3.wfx, block)
                             : Convert(in.handle, out.handle, &mp3.wfx, &pcm, block);
    CloseHandle(out.handle);
    out.handle = INVALID_HANDLE_VALUE;
    QueryPerformanceCounter(&end);
    if (!done) {
        return 1;
    }
    std::printf("%.3f\n", static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    return 0;
}
