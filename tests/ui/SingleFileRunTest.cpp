#include "UiTestSupport.h"
#include "support/ToneLevel.h"
#include "ui/resource.h"

#include <commctrl.h>

#include <memory>
#include <sstream>

namespace uitest {
namespace {

// The level of one frequency in a sound file, at the file's rate.
double LevelOf(const std::wstring& file, double frequency) {
    unsigned rate = 0, channels = 0;
    std::istringstream(SoxInfo(file)) >> rate >> channels;
    RunHostOrFail("sox " + ShellPath(file) + " -t raw -e signed-integer -b 16 " + ShellPath(file + L".raw"));
    const std::string bytes = testsupport::ReadBytes(file + L".raw");
    const size_t frames = channels ? bytes.size() / (2 * channels) : 0;
    EXPECT_GE(frames, rate) << "less than a second of sound";
    return frames < rate || rate == 0 ? 0
                                      : testsupport::ToneLevel(reinterpret_cast<const uint8_t*>(bytes.data()), frames,
                                                               rate, channels, 16, frequency);
}

// A folder whose path is longer than longerThan characters, made level by level.
std::wstring DeepFolder(const std::wstring& name, size_t longerThan) {
    std::wstring folder = WorkFile(name);
    for (int level = 1; folder.size() <= longerThan; ++level) {
        CreateDirectoryW(folder.c_str(), nullptr);
        folder += L"\\nivel " + std::to_wstring(level) + L" de una carpeta honda";
    }
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// Also between paths longer than 300 characters, past the 260 of MAX_PATH.
TEST(SingleFileRun, WavToWavConvertsIntoTheChosenFormat) {
    Converter converter;
    ASSERT_GE(SelectFormat(converter, IDC_MAIN_WAVFORMATS, {L"44100 Hz; 16 bits; Stereo"}), 0);
    for (const std::wstring& folder : {WorkFile(L"llano"), DeepFolder(L"honda", 300)}) {
        SCOPED_TRACE(testing::Message() << folder.size() << " characters");
        CreateDirectoryW(folder.c_str(), nullptr);
        const std::wstring source = folder + L"\\ocho bits.wav", destination = folder + L"\\cd calidad.wav";
        RunHostOrFail("sox -n -r 22050 -c 1 -b 8 " + ShellPath(source) + " synth 2 sine 440");
        RunSingle(converter, IDC_MAIN_INPUT3ED, L"\"" + source + L"\"", IDC_MAIN_OUTPUT3ED, L"\"" + destination + L"\"",
                  IDC_MAIN_GOBTN5);
        const std::string info = SoxInfo(destination);
        EXPECT_EQ(info.substr(0, info.rfind(' ')), "44100 2 16");
        EXPECT_NEAR(std::stod(info.substr(info.rfind(' '))), 2 * 44100, 1024 * 2.1);
    }
}

struct ToneRun {
    const char* name;
    const char* source; // sox options of a three-second tone at half scale
    const char* lame;   // with options, the tone goes through an MP3 and the CD-quality run
    const wchar_t* format;
    double tone, mirror;
};
constexpr double kMirrorLimitDb = -100;
constexpr double kKeptToleranceDb = 0.1;

// Rate changes through the window are filtered: the tone keeps its level and no
// alias or image of it comes back.
void RateChangesCarryNoMirror() {
    Converter converter;
    const ToneRun runs[] = {
        {"15 kHz from 44100 to 22050", "-r 44100 -c 2", nullptr, L"22050 Hz; 16 bits; Stereo", 15000, 7050},
        {"5 kHz from 22050 to 44100", "-r 22050 -c 2", nullptr, L"44100 Hz; 16 bits; Stereo", 5000, 17050},
        {"5 kHz MP3 at 22050 to CD quality", "-r 22050 -c 1", "-m m -b 64", nullptr, 5000, 17050},
    };
    for (const ToneRun& r : runs) {
        const std::wstring wav = WorkFile(L"tono.wav"), mp3 = WorkFile(L"tono.mp3"), out = WorkFile(L"tono-out.wav");
        RunHostOrFail(std::string("sox -n -b 16 ") + r.source + " " + ShellPath(wav) + " synth 3 sine " +
                      std::to_string(r.tone) + " vol 0.5");
        DeleteFileW(out.c_str());
        if (r.lame) {
            SKIP_WITHOUT_MP3_CODEC(converter);
            RunHostOrFail(std::string("lame --quiet ") + r.lame + " " + ShellPath(wav) + " " + ShellPath(mp3));
            SendMessageW(converter.Control(IDC_MAIN_CDQUALCHECK), BM_SETCHECK, BST_CHECKED, 0);
            RunSingle(converter, IDC_MAIN_INPUTFILEED, mp3, IDC_MAIN_OUTPUTFILEED, out, IDC_MAIN_GOBTN1);
        } else {
            ASSERT_GE(SelectFormat(converter, IDC_MAIN_WAVFORMATS, {r.format}), 0) << r.name;
            RunSingle(converter, IDC_MAIN_INPUT3ED, L"\"" + wav + L"\"", IDC_MAIN_OUTPUT3ED, L"\"" + out + L"\"",
                      IDC_MAIN_GOBTN5);
        }
        const double source = LevelOf(wav, r.tone);
        EXPECT_LT(LevelOf(out, r.mirror) - source, kMirrorLimitDb) << r.name;
        if (!r.lame && r.tone < 11025) {
            EXPECT_NEAR(LevelOf(out, r.tone), source, kKeptToleranceDb) << r.name;
        }
    }
}

// The suite's codec beside the program serves them also where l3codecp.exe
// never registered it.
TEST(SingleFileRun, RateChangesCarryNoMirrorOfATone) {
    for (const bool registered : {true, false}) {
        SCOPED_TRACE(registered ? "codec registered" : "codec only beside the program");
        const std::unique_ptr<MP3CodecHidden> hidden(registered ? nullptr : new MP3CodecHidden);
        RateChangesCarryNoMirror();
    }
}

struct Mp3Case {
    const char* name;
    const char* lame; // options that make the source from a sox tone
    bool cdQuality;
    const char* expected; // "rate channels bits"
};

TEST(SingleFileRun, Mp3ToWavKeepsOrRaisesTheSourceFormat) {
    Converter converter;
    SKIP_WITHOUT_MP3_CODEC(converter);
    const Mp3Case cases[] = {
        {"stereo 44100", "-b 128", false, "44100 2 16"},
        {"mono 22050", "-m m --resample 22.05 -b 32", false, "22050 1 16"},
        {"mono 22050 to CD", "-m m --resample 22.05 -b 32", true, "44100 2 16"},
        {"ID3v2 tagged", "-b 128 --id3v2-only --tt Titulo --pad-id3v2-size 300", false, "44100 2 16"},
    };
    for (const Mp3Case& c : cases) {
        const std::wstring wav = WorkFile(L"tone.wav"), mp3 = WorkFile(L"tone.mp3"), out = WorkFile(L"decoded.wav");
        RunHostOrFail("sox -n -r 44100 -c 2 -b 16 " + ShellPath(wav) + " synth 2 sine 330 && lame --quiet " + c.lame +
                      " " + ShellPath(wav) + " " + ShellPath(mp3));
        SendMessageW(converter.Control(IDC_MAIN_CDQUALCHECK), BM_SETCHECK, c.cdQuality ? BST_CHECKED : BST_UNCHECKED,
                     0);
        DeleteFileW(out.c_str());
        RunSingle(converter, IDC_MAIN_INPUTFILEED, mp3, IDC_MAIN_OUTPUTFILEED, out, IDC_MAIN_GOBTN1);
        const std::string info = SoxInfo(out);
        EXPECT_EQ(info.substr(0, info.rfind(' ')), c.expected) << c.name;
    }
}

TEST(SingleFileRun, WavToMp3EncodesEightBitMonoAsStereo44100) {
    Converter converter;
    SKIP_WITHOUT_MP3_CODEC(converter);
    if (SelectFormat(converter, IDC_MAIN_MP3FORMAT, {L"44.100 Hz"}) < 0) {
        GTEST_SKIP() << "the MP3 codec offers no 44100 Hz format";
    }
    const std::wstring source = WorkFile(L"mono8.wav"), mp3 = WorkFile(L"encoded.mp3"), back = WorkFile(L"back.wav");
    RunHostOrFail("sox -n -r 22050 -c 1 -b 8 " + ShellPath(source) + " synth 2 sine 440");
    RunSingle(converter, IDC_MAIN_INPUT2ED, source, IDC_MAIN_OUTPUT2ED, mp3, IDC_MAIN_GOBTN3);
    RunHostOrFail("mpg123 -q -w " + ShellPath(back) + " " + ShellPath(mp3));
    const std::string info = SoxInfo(back);
    EXPECT_EQ(info.substr(0, info.find(' ')), "44100");
}

TEST(SingleFileRun, MissingFileNameIsRefusedBeforeAnythingIsConverted) {
    Converter converter;
    const std::wstring source = WorkFile(L"solo.wav");
    RunHostOrFail("sox -n -r 8000 -c 1 -b 8 " + ShellPath(source) + " synth 0.1 sine 440");
    converter.SetText(IDC_MAIN_INPUT3ED, source);
    converter.SetText(IDC_MAIN_OUTPUT3ED, L"");
    converter.StartClick(IDC_MAIN_GOBTN5);
    const MessageBoxSeen box = converter.WaitForMessageBox();
    EXPECT_EQ(box.caption, L"Error");
    EXPECT_EQ(box.text, L"Tiene usted elegir los ficheros de fuente y de destino primero!");
    Answer(box, IDOK);
    EXPECT_TRUE(converter.RunReturned());
    EXPECT_EQ(converter.TopLevel(L"TStatusForm"), nullptr);
}

enum class StopTarget { ProgressWindow, CancelButton, MainWindow };

struct Stop {
    const char* name;
    UINT message;
    WPARAM wParam;
    StopTarget target;
};

// A long WAV to WAV run is stopped once both bars have moved.
TEST(SingleFileRun, CancelAndCloseRequestLeaveAValidShorterWav) {
    const std::wstring source = WorkFile(L"largo.wav");
    RunHostOrFail("sox -n -r 22050 -c 1 -b 8 " + ShellPath(source) + " synth 1800 sine 440");
    const long long fullData = (FileSize(source) - 44) * 2;
    const Stop stops[] = {
        {"cancel button", WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), StopTarget::ProgressWindow},
        {"close request", WM_CLOSE, 0, StopTarget::ProgressWindow},
        {"Esc", WM_KEYDOWN, VK_ESCAPE, StopTarget::CancelButton},
        // From the task bar or another program: the run ends as cancelled, then the program.
        {"main window close request", WM_CLOSE, 0, StopTarget::MainWindow},
        {"end of session", WM_ENDSESSION, TRUE, StopTarget::MainWindow},
    };
    for (const Stop& stop : stops) {
        Converter converter;
        const std::wstring destination = WorkFile(L"corto.wav");
        ASSERT_GE(SelectFormat(converter, IDC_MAIN_WAVFORMATS, {L"22050 Hz; 16 bits; Mono"}), 0);
        converter.SetText(IDC_MAIN_INPUT3ED, source);
        converter.SetText(IDC_MAIN_OUTPUT3ED, destination);
        converter.StartClick(IDC_MAIN_GOBTN5);
        HWND status = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (status = converter.TopLevel(L"TStatusForm")) != nullptr; })) << stop.name;
        HWND bar = GetDlgItem(status, IDC_STATUS_PROGRESSBAR2);
        ASSERT_TRUE(WaitUntil([&] { return SendMessageW(bar, PBM_GETPOS, 0, 0) >= 2; })) << stop.name;
        if (stop.message == WM_CLOSE) {
            SaveScreenshot("progress-window");
        }
        const HWND targets[] = {status, GetDlgItem(status, IDC_STATUS_CANCELBTN), converter.Main()};
        PostMessageW(targets[static_cast<int>(stop.target)], stop.message, stop.wParam, 0);
        ASSERT_TRUE(converter.RunReturned()) << stop.name;
        EXPECT_EQ(converter.WaitForExit(stop.target == StopTarget::MainWindow ? kWaitMs : 0),
                  stop.target == StopTarget::MainWindow)
            << stop.name;
        const std::string info = SoxInfo(destination);
        ASSERT_FALSE(info.empty()) << stop.name;
        const long long data = FileSize(destination) - 44;
        EXPECT_EQ(std::stoll(info.substr(info.rfind(' '))) * 2, data) << stop.name << ": header matches the data";
        EXPECT_GT(data, 0) << stop.name;
        EXPECT_LT(data, fullData) << stop.name;
    }
}

// A copy of the program without the suite's codec beside it, as where the
// codec could not be loaded: it starts with what the system offers.
TEST(SingleFileRun, NoMp3CodecGivesTheRefusalsAndCreatesNothing) {
    MP3CodecHidden hidden;
    const std::wstring alone = WorkFile(L"sin codec.exe");
    ASSERT_TRUE(CopyFileW(ConverterPath().c_str(), alone.c_str(), FALSE));
    Converter converter(alone);
    ASSERT_TRUE(converter.ComboItems(IDC_MAIN_MP3FORMAT).empty()) << "an MP3 codec is still registered";
    EXPECT_FALSE(converter.ComboItems(IDC_MAIN_WAVFORMATS).empty()) << "the platform's PCM formats";
    const std::wstring wav = WorkFile(L"nada.wav"), mp3 = WorkFile(L"nada.mp3");
    RunHostOrFail("sox -n -r 8000 -c 1 -b 8 " + ShellPath(wav) + " synth 0.1 sine 440 && cp " + ShellPath(wav) + " " +
                  ShellPath(mp3));
    struct Refusal {
        int source, destination, go;
        std::wstring from, to;
        const wchar_t* text;
    };
    const Refusal refusals[] = {
        {IDC_MAIN_INPUTFILEED, IDC_MAIN_OUTPUTFILEED, IDC_MAIN_GOBTN1, mp3, WorkFile(L"nunca.wav"),
         L"No hay instalado codec para decodificar mp3!"},
        {IDC_MAIN_INPUT2ED, IDC_MAIN_OUTPUT2ED, IDC_MAIN_GOBTN3, wav, WorkFile(L"nunca.mp3"),
         L"No hay instalado codec para la codificación mp3!"},
    };
    for (const Refusal& r : refusals) {
        converter.SetText(r.source, r.from);
        converter.SetText(r.destination, r.to);
        converter.StartClick(r.go);
        const MessageBoxSeen box = converter.WaitForMessageBox();
        EXPECT_EQ(box.text, r.text);
        Answer(box, IDOK);
        EXPECT_TRUE(converter.RunReturned());
        EXPECT_FALSE(Exists(r.to));
    }
}

struct Fault {
    const char* name;
    std::string makeSource; // host command; {src} and {dst} are replaced
    bool needsMp3Codec;
    int source, destination, go;
    const wchar_t* sourceName;
    const wchar_t* destinationName;
    std::wstring text; // the message, or its start when it ends in '*'
};

std::string Fill(std::string command, const std::wstring& source, const std::wstring& destination) {
    for (auto [key, value] : {std::pair{std::string("{src}"), ShellPath(source)},
                              std::pair{std::string("{dst}"), ShellPath(destination)}}) {
        for (size_t at; (at = command.find(key)) != std::string::npos;) {
            command.replace(at, key.size(), value);
        }
    }
    return command;
}

TEST(SingleFileRun, FaultsAreShownInAMessageBox) {
    const Fault faults[] = {
        {"same file", "sox -n -r 8000 -c 1 -b 8 {src} synth 0.3 sine 440", false, IDC_MAIN_INPUT3ED, IDC_MAIN_OUTPUT3ED,
         IDC_MAIN_GOBTN5, L"mismo.wav", L"MISMO.WAV", L"El fichero de destino es el mismo que el fichero de fuente."},
        {"failed write", "sox -n -r 8000 -c 1 -b 8 {src} synth 3 sine 440 && rm -f {dst} && ln -s /dev/full {dst}",
         false, IDC_MAIN_INPUT3ED, IDC_MAIN_OUTPUT3ED, IDC_MAIN_GOBTN5, L"lleno.wav", L"lleno-out.wav",
         L"No podía escribir el fichero destino."},
        // No codec takes three channels.
        {"codec failure", "sox -n -r 8000 -c 3 -b 16 {src} synth 0.3 sine 440", false, IDC_MAIN_INPUT3ED,
         IDC_MAIN_OUTPUT3ED, IDC_MAIN_GOBTN5, L"tres-canales.wav", L"tres-canales-out.wav", L"acmStream*"},
        {"invalid MP3", "head -c 5000 /dev/zero > {src}", true, IDC_MAIN_INPUTFILEED, IDC_MAIN_OUTPUTFILEED,
         IDC_MAIN_GOBTN1, L"ceros.mp3", L"ceros.wav", L"No un fichero válido de MP3."},
        {"frame header then arbitrary bytes",
         "{ printf '\\377\\373\\220\\104'; head -c 20000 /dev/zero | tr '\\0' U; } > {src}", true, IDC_MAIN_INPUTFILEED,
         IDC_MAIN_OUTPUTFILEED, IDC_MAIN_GOBTN1, L"ruido.mp3", L"ruido.wav", L"No un fichero válido de MP3."},
    };
    Converter converter;
    ASSERT_GE(SelectFormat(converter, IDC_MAIN_WAVFORMATS, {L"16 bits"}), 0);
    for (const Fault& f : faults) {
        if (f.needsMp3Codec && !HasMp3Codec(converter)) {
            std::printf("skipped %s: no MP3 codec installed\n", f.name);
            continue;
        }
        const std::wstring source = WorkFile(f.sourceName), destination = WorkFile(f.destinationName);
        RunHostOrFail(Fill(f.makeSource, source, destination));
        const long long sourceSize = FileSize(source);
        converter.SetText(f.source, source);
        converter.SetText(f.destination, destination);
        converter.StartClick(f.go);
        const MessageBoxSeen box = converter.WaitForMessageBox();
        EXPECT_EQ(GetWindow(box.window, GW_OWNER), converter.TopLevel(L"TStatusForm"))
            << f.name << ": the progress window owns the message";
        if (f.text.back() == L'*') {
            EXPECT_EQ(box.text.substr(0, f.text.size() - 1), f.text.substr(0, f.text.size() - 1)) << f.name;
        } else {
            EXPECT_EQ(box.text, f.text) << f.name;
        }
        Answer(box, IDOK);
        EXPECT_TRUE(converter.RunReturned()) << f.name;
        EXPECT_EQ(FileSize(source), sourceSize) << f.name << ": the source is untouched";
        EXPECT_TRUE(IsWindowEnabled(converter.Main())) << f.name;
    }
}

} // namespace
} // namespace uitest
