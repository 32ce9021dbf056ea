#include "AudioFiles.h"
#include "JobTestHost.h"
#include "jobs/BatchRun.h"
#include "jobs/JobFailure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

// What a batch showed, in the order it showed it.
class RecordingDisplay : public BatchDisplay {
public:
    bool CancelRequested() const override { return cancelWhen && cancelWhen(*this); }
    void ProcessMessages() override {}
    void EntryStarted(int index) override { started.push_back(index); }
    void ShowProgress(int filePercent, int totalPercent) override {
        lastFile = filePercent;
        totals.push_back(totalPercent);
    }
    void ShowEntryMessage(int index, const std::wstring& text) override {
        said.push_back(std::to_wstring(index) + L": " + text);
    }
    void EntryEnded(int index, bool cutShort) override {
        said.push_back(std::to_wstring(index) + (cutShort ? L" cut short" : L" ended"));
    }
    void EntryFailed(int index) override { said.push_back(std::to_wstring(index) + L" failed"); }

    std::function<bool(const RecordingDisplay&)> cancelWhen;
    std::vector<int> started;
    std::vector<int> totals;
    std::vector<std::wstring> said;
    int lastFile = 0;
};

// Work folders, made here: the host names only what lies in a folder that exists.
void MakeFolders(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        CreateDirectoryW(WorkFile(name).c_str(), nullptr);
    }
}

std::vector<JobRequest> Entries(const JobTestHost& host, JobKind kind, const std::vector<std::string>& sources,
                                const std::string& folder, const char* extension) {
    std::vector<JobRequest> entries;
    for (const std::string& source : sources) {
        const size_t slash = source.rfind('/');
        const std::string stem = source.substr(slash + 1, source.rfind('.') - slash - 1);
        entries.push_back(host.Request(kind, WorkFile(source), WorkFile(folder + "/" + stem + extension)));
    }
    return entries;
}

// Runs a batch; the message of the failure that ended it, or "".
std::wstring RunUntilFailure(const std::vector<JobRequest>& entries, int workers, RecordingDisplay& display) {
    try {
        RunBatch(entries, workers, display);
    } catch (const JobFailure& failure) {
        return failure.Message();
    }
    return L"";
}

// Three entries named Lied from three folders, one that is no WAV, one more:
// run by three workers, they give the files, names, messages and ends that one
// worker gives, byte for byte and in list order.
TEST(ParallelBatch, SeveralWorkersGiveWhatOneWorkerGives) {
    MakeFolders({"lote", "lote/a", "lote/b", "lote/c", "lote/uno", "lote/varios"});
    ASSERT_TRUE(HostOnWorkFiles("sox -r 44100 -c 2 -n -b 16 {lote/a/Lied.wav} synth 3 pluck 220 && "
                                "sox -r 22050 -c 1 -n -b 16 {lote/b/Lied.wav} synth 1 sine 440 && "
                                "sox -r 48000 -c 2 -n -b 24 {lote/c/Lied.wav} synth 2 pinknoise vol 0.3 && "
                                "head -c 20000 /dev/zero | tr '\\0' U > {lote/a/Ruido.wav} && "
                                "sox -r 32000 -c 1 -n -b 8 {lote/b/Otro.wav} synth 1 sine 330"));
    const std::vector<std::string> sources = {"lote/a/Lied.wav", "lote/b/Lied.wav", "lote/a/Ruido.wav",
                                              "lote/c/Lied.wav", "lote/b/Otro.wav"};
    JobTestHost host;
    host.pcmIndex = host.FindPcm(2, 44100, 16);
    host.mp3Index = host.FindMp3(2, 44100);
    for (const auto& [kind, extension] : {std::pair{JobKind::WavToWav, ".wav"}, std::pair{JobKind::WavToMp3, ".mp3"}}) {
        SCOPED_TRACE(extension);
        RecordingDisplay one, several;
        EXPECT_EQ(RunUntilFailure(Entries(host, kind, sources, "lote/uno", extension), 1, one), L"");
        EXPECT_EQ(RunUntilFailure(Entries(host, kind, sources, "lote/varios", extension), 3, several), L"");

        EXPECT_EQ(several.said, one.said);
        EXPECT_EQ(one.said.at(2), L"2: No un fichero válido de WAV.");
        EXPECT_EQ(several.started, (std::vector<int>{0, 1, 2, 3, 4}));
        EXPECT_TRUE(std::is_sorted(several.totals.begin(), several.totals.end())) << "the total never falls back";
        EXPECT_EQ(several.totals.back(), 100);
        for (const std::string stem : {"Lied", "Lied (2)", "Lied (3)", "Otro"}) {
            const std::string name = stem + extension;
            EXPECT_EQ(ReadByteVector(WorkFile("lote/varios/" + name)), ReadByteVector(WorkFile("lote/uno/" + name)))
                << name;
            EXPECT_FALSE(ReadByteVector(WorkFile("lote/varios/" + name)).empty()) << name;
        }
        EXPECT_FALSE(WorkFileExists(std::string("lote/varios/Ruido") + extension));
    }
}

// A source too short to read ends the run at its entry, as one worker would
// end it: the entry after it stops, and the one after that never starts.
TEST(ParallelBatch, AFailureEndsTheRunWhereOneWorkerWouldEndIt) {
    MakeFolders({"fallo", "fallo/uno", "fallo/varios"});
    ASSERT_TRUE(HostOnWorkFiles("sox -r 44100 -c 2 -n -b 16 {fallo/Primero.wav} synth 1 sine 440 && "
                                "echo corto > {fallo/Corto.wav} && "
                                "sox -r 44100 -c 2 -n -b 16 {fallo/Largo.wav} synth 300 pinknoise vol 0.3 && "
                                "sox -r 44100 -c 2 -n -b 16 {fallo/Otro.wav} synth 1 sine 330"));
    const std::vector<std::string> sources = {"fallo/Primero.wav", "fallo/Corto.wav", "fallo/Largo.wav",
                                              "fallo/Otro.wav"};
    JobTestHost host;
    host.pcmIndex = host.FindPcm(1, 22050, 16);
    RecordingDisplay one, several;
    const std::wstring failure =
        RunUntilFailure(Entries(host, JobKind::WavToWav, sources, "fallo/uno", ".wav"), 1, one);

    EXPECT_EQ(RunUntilFailure(Entries(host, JobKind::WavToWav, sources, "fallo/varios", ".wav"), 3, several), failure);
    EXPECT_NE(failure.find(L"No podía leer el fichero."), std::wstring::npos);
    EXPECT_EQ(several.said, (std::vector<std::wstring>{L"0 ended", L"1 failed"}));
    EXPECT_EQ(several.said, one.said);
    EXPECT_FALSE(WorkFileExists("fallo/varios/Otro.wav"));
}

// Cancel while two workers convert: both stop at their next block with a
// correct header, and no further entry starts.
TEST(ParallelBatch, CancelStopsEveryWorkerWithACorrectHeader) {
    MakeFolders({"largo", "largo/fuera"});
    ASSERT_TRUE(HostOnWorkFiles("for n in 1 2 3 4; do "
                                "sox -r 44100 -c 2 -n -b 16 {largo}/pieza$n.wav synth 300 pinknoise vol 0.3; done"));
    JobTestHost host;
    host.pcmIndex = host.FindPcm(1, 22050, 16);
    RecordingDisplay display;
    display.cancelWhen = [](const RecordingDisplay& shown) { return shown.started.size() == 2 && shown.lastFile > 0; };

    RunBatch(Entries(host, JobKind::WavToWav,
                     {"largo/pieza1.wav", "largo/pieza2.wav", "largo/pieza3.wav", "largo/pieza4.wav"}, "largo/fuera",
                     ".wav"),
             2, display);

    EXPECT_EQ(display.said, (std::vector<std::wstring>{L"0 cut short", L"1 cut short"}));
    EXPECT_EQ(display.started, (std::vector<int>{0, 1}));
    for (const char* name : {"largo/fuera/pieza1.wav", "largo/fuera/pieza2.wav"}) {
        EXPECT_TRUE(HasExactWavHeader(name)) << name;
        EXPECT_LT(Inspect(name).seconds, 300.0) << name;
    }
    EXPECT_FALSE(WorkFileExists("largo/fuera/pieza3.wav"));
    EXPECT_FALSE(WorkFileExists("largo/fuera/pieza4.wav"));
}

} // namespace
