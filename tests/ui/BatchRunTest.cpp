#include "KnownState.h"
#include "UiTestSupport.h"
#include "ui/resource.h"

#include <commctrl.h>

#include <sstream>

namespace uitest {
namespace {

using Names = std::vector<std::wstring>;

constexpr double kSecondsTolerance = 0.15;

// Seconds of sound in a WAV, from sox's view of it; -1 when sox cannot read it
// (an MP3 cut off before its first frame decodes to nothing sox can read).
double WavSeconds(const std::wstring& wav) {
    std::istringstream info(SoxInfo(wav));
    double rate = 0, channels = 0, bits = 0, samples = 0;
    if (!(info >> rate >> channels >> bits >> samples) || rate <= 0) {
        return -1;
    }
    return samples / rate;
}

// A WAV result as it is; an MP3 result as mpg123 decodes it.
std::wstring AsWav(const std::wstring& result) {
    if (result.substr(result.size() - 4) == L".wav") {
        return result;
    }
    const std::wstring decoded = result + L".decoded.wav";
    testsupport::RunHost("mpg123 -q -w " + ShellPath(decoded) + " " + ShellPath(result));
    return decoded;
}

double Seconds(const std::wstring& result) { return WavSeconds(AsWav(result)); }

// "rate channels bits" of a result, as sox sees it (after mpg123 for an MP3).
std::string Shape(const std::wstring& result) {
    const std::string info = SoxInfo(AsWav(result));
    return info.substr(0, info.rfind(' '));
}

struct Direction {
    const char* name;
    int list, beside, ownFolder, folder, go;
    const wchar_t* sourceExtension;
    const wchar_t* destinationExtension;
    const wchar_t* notASource; // the job's message for a file that is no sound of its kind
};

const Direction kMp3ToWav = {"MP3 to WAV",
                             IDC_MAIN_FILELIST,
                             IDC_MAIN_QUELLCHECK,
                             IDC_MAIN_OWNFOLDERCHECK,
                             IDC_MAIN_OUTDIRECTORYED,
                             IDC_MAIN_GOBTN2,
                             L".mp3",
                             L".wav",
                             L"No un fichero válido de MP3."};
const Direction kWavToMp3 = {"WAV to MP3",
                             IDC_MAIN_FILELIST2,
                             IDC_MAIN_QUELLCHECK2,
                             IDC_MAIN_OWNFOLDERCHECK2,
                             IDC_MAIN_OUTDIRECTORY2ED,
                             IDC_MAIN_GOBTN4,
                             L".wav",
                             L".mp3",
                             L"No un fichero válido de WAV."};

// A tone of the given length as a WAV, or as an MP3 made from it by lame.
std::wstring MakeSource(const std::wstring& folder, const std::wstring& stem, const wchar_t* extension,
                        double seconds) {
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring wav = folder + L"\\" + stem + L".wav";
    RunHostOrFail("sox -n -r 44100 -c 2 -b 16 " + ShellPath(wav) + " synth " + std::to_string(seconds) + " sine 330");
    if (std::wstring(extension) == L".wav") {
        return wav;
    }
    const std::wstring mp3 = folder + L"\\" + stem + L".mp3";
    RunHostOrFail("lame --quiet -b 128 " + ShellPath(wav) + " " + ShellPath(mp3) + " && rm " + ShellPath(wav));
    return mp3;
}

std::wstring Stem(const std::wstring& file) {
    const std::wstring name = file.substr(file.find_last_of(L'\\') + 1);
    return name.substr(0, name.rfind(L'.'));
}

// The box that ends a run with failures, answered; its text.
std::wstring SummaryAtTheEnd(Converter& converter) {
    const MessageBoxSeen summary = converter.WaitForMessageBox();
    EXPECT_EQ(summary.caption, L"VELTRA Sonaris");
    Answer(summary, IDOK);
    EXPECT_TRUE(converter.RunReturned());
    return summary.text;
}

// Clicks the Go button and waits for the run; a message box that stops it fails the test.
void RunBatch(Converter& converter, int go) {
    converter.StartClick(go);
    if (!converter.RunReturned()) {
        const MessageBoxSeen box = converter.WaitForMessageBox(0);
        FAIL() << "the batch did not return; message shown: " << testsupport::Narrow(box.text);
    }
}

// The WAV to MP3 runs take the single-file page's choice, which the batch list follows.
int UseMp3FormatOf44100(Converter& converter) {
    return SelectFormat(converter, IDC_MAIN_MP3FORMAT, {L"128 kBit/s", L"44.100 Hz"});
}

struct Destination {
    const char* name;
    bool chosenFolder;
};

TEST(BatchRun, ThreeFilesBothWaysBesideTheSourcesAndIntoAChosenFolder) {
    const Destination destinations[] = {{"beside the sources", false}, {"into a chosen folder", true}};
    for (const Direction* direction : {&kMp3ToWav, &kWavToMp3}) {
        for (const Destination& where : destinations) {
            SCOPED_TRACE(std::string(direction->name) + ", " + where.name);
            Converter converter;
            SKIP_WITHOUT_MP3_CODEC(converter);
            ASSERT_GE(UseMp3FormatOf44100(converter), 0);
            const std::wstring sources = WorkFile(L"fuentes"), chosen = WorkFile(L"carpeta elegida");
            CreateDirectoryW(chosen.c_str(), nullptr);
            const double lengths[] = {1.0, 2.0, 3.0};
            Names files;
            for (int i = 0; i < 3; ++i) {
                files.push_back(
                    MakeSource(sources, L"pieza " + std::to_wstring(i + 1), direction->sourceExtension, lengths[i]));
            }
            converter.DropFiles(direction->list, files);
            ASSERT_EQ(converter.ListItems(direction->list), files);
            if (where.chosenFolder) {
                converter.Click(direction->ownFolder);
                // As the folder chooser puts a name with a blank into the field.
                converter.SetText(direction->folder, L"\"" + chosen + L"\"");
            }
            const std::wstring folder = where.chosenFolder ? chosen : sources;
            for (const std::wstring& file : files) {
                DeleteFileW((folder + L"\\" + Stem(file) + direction->destinationExtension).c_str());
            }
            RunBatch(converter, direction->go);
            for (int i = 0; i < 3; ++i) {
                const std::wstring out =
                    folder + L"\\" + Stem(files[static_cast<size_t>(i)]) + direction->destinationExtension;
                EXPECT_NEAR(Seconds(out), lengths[i], kSecondsTolerance) << testsupport::Narrow(out);
                EXPECT_EQ(Shape(out), "44100 2 16") << testsupport::Narrow(out);
            }
            EXPECT_EQ(converter.StatusText(0), L"Proceso fichero 3 de 3");
            EXPECT_EQ(converter.ListItems(direction->list), files) << "converted entries stay in the list";
        }
    }
}

// Two entries of one name from two folders, and between them one that is no
// sound file, sent into one folder that holds a result from an earlier day.
TEST(BatchRun, ARunKeepsItsOwnResultsAndNamesTheEntryThatFailed) {
    for (const Direction* direction : {&kMp3ToWav, &kWavToMp3}) {
        SCOPED_TRACE(direction->name);
        Converter converter;
        SKIP_WITHOUT_MP3_CODEC(converter);
        ASSERT_GE(UseMp3FormatOf44100(converter), 0);
        const std::wstring chosen = WorkFile(L"una carpeta"), noiseFolder = WorkFile(L"ruido");
        CreateDirectoryW(chosen.c_str(), nullptr);
        CreateDirectoryW(noiseFolder.c_str(), nullptr);
        const std::wstring first = chosen + L"\\Lied" + direction->destinationExtension;
        const std::wstring second = chosen + L"\\Lied (2)" + direction->destinationExtension;
        const std::wstring noise = noiseFolder + L"\\Ruido" + direction->sourceExtension;
        DeleteFileW(second.c_str());
        RunHostOrFail("echo antes > " + ShellPath(first) +
                      " && { printf '\\377\\373\\220\\104'; head -c 20000 /dev/zero | "
                      "tr '\\0' U; } > " +
                      ShellPath(noise));
        const Names files = {MakeSource(WorkFile(L"uno"), L"Lied", direction->sourceExtension, 1.0), noise,
                             MakeSource(WorkFile(L"dos"), L"Lied", direction->sourceExtension, 2.0)};
        converter.DropFiles(direction->list, files);
        converter.Click(direction->ownFolder);
        converter.SetText(direction->folder, L"\"" + chosen + L"\"");
        converter.StartClick(direction->go);
        const MessageBoxSeen box = converter.WaitForMessageBox();
        EXPECT_EQ(box.text, std::wstring(direction->notASource) + L" " + noise);
        Answer(box, IDOK);
        EXPECT_EQ(SummaryAtTheEnd(converter), L"Convertidos: 2 de 3. Fallaron:\n" + noise);
        EXPECT_NEAR(Seconds(first), 1.0, kSecondsTolerance) << "the earlier file is replaced";
        EXPECT_NEAR(Seconds(second), 2.0, kSecondsTolerance) << "the second Lied does not overwrite the first";
        EXPECT_FALSE(Exists(chosen + L"\\Ruido" + direction->destinationExtension));
        EXPECT_EQ(converter.StatusText(0), L"Proceso fichero 3 de 3");
    }
}

// The run converts one entry per logical processor at a time: once the short
// first entry is done, every worker holds a long one, and a cancel stops them
// all; the entries behind them never start.
TEST(BatchRun, CancelStopsEveryRunningEntryAndStartsNoOther) {
    Converter converter;
    SKIP_WITHOUT_MP3_CODEC(converter);
    ASSERT_GE(UseMp3FormatOf44100(converter), 0);
    SYSTEM_INFO system = {};
    GetSystemInfo(&system);
    const int workers = static_cast<int>(system.dwNumberOfProcessors);
    const std::wstring folder = WorkFile(L"cancelados");
    std::vector<double> lengths(static_cast<size_t>(workers), 240.0);
    lengths.insert(lengths.begin(), 1.0);
    lengths.insert(lengths.end(), {1.0, 1.0});
    const int count = static_cast<int>(lengths.size());
    Names files;
    for (int i = 0; i < count; ++i) {
        files.push_back(
            MakeSource(folder, L"parte" + std::to_wstring(i + 1), L".wav", lengths[static_cast<size_t>(i)]));
    }
    const std::wstring allBusy = L"Proceso fichero " + std::to_wstring(workers + 1) + L" de " + std::to_wstring(count);
    converter.DropFiles(IDC_MAIN_FILELIST2, files);
    converter.StartClick(IDC_MAIN_GOBTN4);
    HWND status = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (status = converter.TopLevel(L"TStatusForm")) != nullptr; }));
    ASSERT_TRUE(WaitUntil([&] { return converter.StatusText(0) == allBusy; }));
    PostMessageW(status, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(converter.RunReturned());
    EXPECT_NEAR(Seconds(folder + L"\\parte1.mp3"), 1.0, kSecondsTolerance) << "the first file is complete";
    for (int i = 2; i <= workers + 1; ++i) {
        const std::wstring cut = folder + L"\\parte" + std::to_wstring(i) + L".mp3";
        EXPECT_LT(Seconds(cut), 239.0) << "file " << i << " was cut short";
        EXPECT_TRUE(Exists(cut)) << "file " << i;
    }
    for (int i = workers + 2; i <= count; ++i) {
        EXPECT_FALSE(Exists(folder + L"\\parte" + std::to_wstring(i) + L".mp3")) << "file " << i;
    }
    EXPECT_EQ(converter.StatusText(0), allBusy);
    EXPECT_EQ(converter.ListItems(IDC_MAIN_FILELIST2), files);
}

// An MP3 list entry that already ends in .wav would be its own destination.
TEST(BatchRun, AnEntryThatIsItsOwnDestinationIsSkippedAndTheRunGoesOn) {
    Converter converter;
    SKIP_WITHOUT_MP3_CODEC(converter);
    const std::wstring folder = WorkFile(L"mismo");
    const std::wstring first = MakeSource(folder, L"antes", L".mp3", 1.0);
    const std::wstring same = MakeSource(folder, L"mismo", L".wav", 1.0);
    const std::wstring last = MakeSource(folder, L"despues", L".mp3", 1.0);
    const std::optional<std::string> before = ReadWholeFile(same);

    converter.PostClick(IDC_MAIN_ADDBTN);
    HWND dialog = converter.WaitForFileDialog();
    ASSERT_TRUE(dialog);
    Converter::OpenFolderInFileDialog(dialog, folder);
    Converter::ChooseInFileDialog(dialog, L"\"antes.mp3\" \"mismo.wav\" \"despues.mp3\"");
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    converter.Settle();
    ASSERT_EQ(converter.ListItems(IDC_MAIN_FILELIST), (Names{first, same, last}));

    converter.StartClick(IDC_MAIN_GOBTN2);
    const MessageBoxSeen box = converter.WaitForMessageBox();
    EXPECT_EQ(box.text, L"El fichero de destino es el mismo que el fichero de fuente. " + same) << "names the entry";
    Answer(box, IDOK);
    EXPECT_EQ(SummaryAtTheEnd(converter), L"Convertidos: 2 de 3. Fallaron:\n" + same);
    EXPECT_EQ(ReadWholeFile(same), before) << "the source is untouched";
    EXPECT_NEAR(WavSeconds(folder + L"\\antes.wav"), 1.0, kSecondsTolerance);
    EXPECT_NEAR(WavSeconds(folder + L"\\despues.wav"), 1.0, kSecondsTolerance);
    EXPECT_EQ(converter.StatusText(0), L"Proceso fichero 3 de 3");
}

} // namespace
} // namespace uitest
