#include "UiTestSupport.h"

#include "support/PlantedDlls.h"

#include <algorithm>
#include <sstream>

namespace uitest {
namespace {

struct Finished {
    DWORD exitCode;
    std::string printed;
};

Finished RunWithConsole(const std::wstring& arguments) {
    const std::wstring output = WorkFile(L"salida.txt");
    DeleteFileW(output.c_str());
    Converter converter(CommandLineStart{arguments, true, output});
    EXPECT_TRUE(converter.WaitForExit()) << testsupport::Narrow(arguments);
    return {converter.ExitCode(), testsupport::ReadBytes(output)};
}

std::wstring Quoted(const std::wstring& name) { return L"\"" + name + L"\""; }

// The number that /formats prints before the first entry holding text, in the
// list under heading; -1 when there is none.
int ListedFormat(const std::string& listing, const std::string& heading, const std::string& text) {
    std::istringstream lines(listing.substr(std::min(listing.find(heading), listing.size())));
    std::string line;
    for (std::getline(lines, line); std::getline(lines, line) && line.find("Formatos") != 0;) {
        if (line.find(text) != std::string::npos) {
            return std::stoi(line);
        }
    }
    return -1;
}

struct CommandCase {
    std::wstring arguments;
    DWORD exitCode;
    const char* printed;
    std::wstring result; // a WAV file checked with sox, or an MP3 checked with mpg123
    const char* format;  // sox's "rate channels bits" of a WAV result
};

class CommandLine : public testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* folder : {L"a", L"b", L"salida"}) {
            CreateDirectoryW(WorkFile(folder).c_str(), nullptr);
        }
        RunHostOrFail("sox -n -r 44100 -c 2 -b 16 " + ShellPath(wav_) +
                      " synth 2 sine 440 && sox -n -r 22050 -c 1 -b 16 " + ShellPath(WorkFile(L"mono.wav")) +
                      " synth 2 sine 440 && lame --quiet -b 64 " + ShellPath(WorkFile(L"mono.wav")) + " " +
                      ShellPath(mp3_) + " && cp " + ShellPath(mp3_) + " " + ShellPath(WorkFile(L"b\\tono.mp3")) +
                      " && cp " + ShellPath(wav_) + " " + ShellPath(notMp3_));
        formats_ = RunWithConsole(L"/formats").printed;
    }

    void Check(const CommandCase& c, const Finished& finished) {
        SCOPED_TRACE(testsupport::Narrow(c.arguments));
        EXPECT_EQ(finished.exitCode, c.exitCode) << finished.printed;
        EXPECT_NE(finished.printed.find(c.printed), std::string::npos) << finished.printed;
        if (c.result.empty()) {
            return;
        }
        if (c.format) {
            const std::string info = SoxInfo(c.result);
            EXPECT_EQ(info.substr(0, info.rfind(' ')), c.format);
        } else {
            EXPECT_EQ(testsupport::RunHost("mpg123 -q -t " + ShellPath(c.result)).exitCode, 0);
        }
    }

    const std::wstring wav_ = WorkFile(L"tono.wav"), mp3_ = WorkFile(L"a\\tono.mp3"),
                       notMp3_ = WorkFile(L"no es mp3.mp3");
    std::string formats_;
};

TEST_F(CommandLine, EachJobRunsFromAConsoleWithItsExitCode) {
    const int mono22 = ListedFormat(formats_, "Formatos WAV", "22050 Hz; 16 bits; Mono");
    ASSERT_GE(mono22, 0) << formats_;
    const std::wstring out = WorkFile(L"salida");
    std::vector<CommandCase> cases = {
        {L"/wavwav " + Quoted(wav_) + L" " + Quoted(WorkFile(L"w22.wav")) + L" /format " + std::to_wstring(mono22), 0,
         "%", WorkFile(L"w22.wav"), "22050 1 16"},
        {L"/mp3wav " + Quoted(mp3_) + L" " + Quoted(WorkFile(L"cd.wav")) + L" /cd", 0, "%", WorkFile(L"cd.wav"),
         "44100 2 16"},
        {L"/MP3WAV " + Quoted(mp3_) + L" " + Quoted(WorkFile(L"plano.wav")), 0, "%", WorkFile(L"plano.wav"),
         "22050 1 16"},
        {L"/mp3wav " + Quoted(mp3_) + L" " + Quoted(WorkFile(L"b\\tono.mp3")) + L" /dir " + Quoted(out), 0,
         "Proceso fichero 2 de 2", out + L"\\tono (2).wav", "22050 1 16"},
        {L"/mp3wav " + Quoted(notMp3_) + L" " + Quoted(WorkFile(L"x.wav")), 1, "No un fichero v", L"", nullptr},
        {L"/wavwav " + Quoted(wav_) + L" " + Quoted(WorkFile(L"x.wav")) + L" /format 100000", 2, "Uso:", L"", nullptr},
        {L"/mp3wav " + Quoted(mp3_), 2, "Uso:", L"", nullptr},
        {L"/formats", 0, "Formatos WAV (/wavwav):", L"", nullptr},
    };
    if (ListedFormat(formats_, "Formatos MP3", "Hz") >= 0) {
        cases.push_back({L"/wavmp3 " + Quoted(wav_) + L" " + Quoted(WorkFile(L"tono.mp3")) + L" /format 0", 0, "%",
                         WorkFile(L"tono.mp3"), nullptr});
    }
    for (const CommandCase& c : cases) {
        Check(c, RunWithConsole(c.arguments));
    }
    EXPECT_EQ(SoxInfo(out + L"\\tono.wav").substr(0, 10), "22050 1 16");
}

// Without a console the progress window runs the job, with no main window
// behind it, and messages come as boxes; an output handed down as a file takes the messages instead, and no
// window appears.
TEST_F(CommandLine, WithoutAConsoleMessagesComeAsBoxesOrIntoTheHandedDownOutput) {
    const struct {
        std::wstring arguments;
        DWORD exitCode;
        const wchar_t* box;  // part of the message box's text; null when none comes
        const char* printed; // part of what the handed-down output gets instead
    } cases[] = {
        {L"/wavwav " + Quoted(wav_) + L" " + Quoted(WorkFile(L"ventana.wav")), 0, nullptr, "%"},
        {L"/mp3wav " + Quoted(notMp3_) + L" " + Quoted(WorkFile(L"x.wav")), 1, L"No un fichero válido de MP3.",
         "No un fichero v"},
        {L"/mp3wav", 2, L"Uso:", "Uso:"},
        {L"/formats", 0, L"Formatos WAV", "Formatos WAV"},
    };
    const std::wstring output = WorkFile(L"sin-consola.txt");
    for (const bool handedDown : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testsupport::Narrow(c.arguments) + (handedDown ? " (output in a file)" : ""));
            DeleteFileW(output.c_str());
            Converter converter(CommandLineStart{c.arguments, false, handedDown ? output : L""});
            if (c.box && !handedDown) {
                const MessageBoxSeen box = converter.WaitForMessageBox();
                EXPECT_NE(box.text.find(c.box), std::wstring::npos) << testsupport::Narrow(box.text);
                EXPECT_EQ(converter.TopLevel(L"TMainForm"), nullptr) << "a command creates no main window";
                Answer(box, IDOK);
            }
            ASSERT_TRUE(converter.WaitForExit());
            EXPECT_EQ(converter.ExitCode(), c.exitCode);
            if (handedDown) {
                const std::string printed = testsupport::ReadBytes(output);
                EXPECT_NE(printed.find(c.printed), std::string::npos) << printed;
            }
        }
    }
    EXPECT_FALSE(SoxInfo(WorkFile(L"ventana.wav")).empty());
}

// Listing the formats loads the codecs, and the window the common controls.
TEST(CommandLineDlls, NoDllPlantedBesideTheProgramLoads) {
    const std::wstring folder = WorkFile(L"plantado");
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + L"\\converter.exe";
    ASSERT_TRUE(CopyFileW(ConverterPath().c_str(), copy.c_str(), FALSE));
    // Wine's own uxtheme delay-loads msimg32 through a loader path that ignores
    // the limited DLL search, which Windows' loader applies to every load.
    std::vector<std::wstring> names = testsupport::PlantableDllNames();
    names.erase(std::find(names.begin(), names.end(), L"msimg32.dll"));
    testsupport::PlantMarkerDlls(folder, names);
    {
        testsupport::NativeDllsFirst nativeFirst(names);
        Converter listing(CommandLineStart{L"/formats", true, WorkFile(L"formatos.txt"), copy});
        ASSERT_TRUE(listing.WaitForExit());
        EXPECT_EQ(listing.ExitCode(), 0u);
        Converter window(copy);
        EXPECT_NE(window.Main(), nullptr);
    }
    EXPECT_EQ(testsupport::LoadedMarkerDlls(folder, names), std::vector<std::wstring>{});
}

} // namespace
} // namespace uitest
