#include "core/BatchRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::wstring>;

struct DestinationCase {
    const wchar_t* source;
    bool besideSource;
    const wchar_t* folder;
    const wchar_t* extension;
    const wchar_t* destination;
};

TEST(BatchRules, DestinationBesideTheSourceOrInTheChosenFolder) {
    const DestinationCase cases[] = {
        {L"D:\\Musik\\Lied.mp3", false, L"C:\\Salida", L".wav", L"C:\\Salida\\Lied.wav"},
        {L"D:\\Musik\\Lied.mp3", false, L"C:\\", L".wav", L"C:\\Lied.wav"},
        {L"D:\\Musik\\Lied", false, L"C:\\Salida", L".wav", L"C:\\Salida\\Lied.wav"},
        {L"D:\\Musik\\Lied", true, L"C:\\Salida", L".wav", L"D:\\Musik\\Lied.wav"},
        {L"D:\\Musik\\Lied.mp3", true, L"C:\\Salida", L".wav", L"D:\\Musik\\Lied.wav"},
        {L"D:\\Musik\\Lied.mp3", false, L"", L".wav", L"D:\\Musik\\Lied.wav"},
        {L"D:\\Alben.2001\\Take", false, L"E:\\x.y", L".mp3", L"E:\\x.y\\Take.mp3"},
        {L"D:Lied.x.wav", false, L"C:\\Salida\\", L".mp3", L"C:\\Salida\\Lied.x.mp3"},
        {L"D:\\Musik\\Lied.wav", true, L"", L".mp3", L"D:\\Musik\\Lied.mp3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.source)) + " into " +
                     testing::PrintToString(std::wstring(c.folder)));
        EXPECT_EQ(core::BatchDestination(c.source, c.besideSource, c.folder, c.extension), c.destination);
    }
}

TEST(BatchRules, ARunNumbersNamesItHasWrittenAndNamesTheEntryOnce) {
    const auto written = [](const std::wstring& name) {
        return name == L"C:\\Lied.wav" || name == L"C:\\Lied (2).wav";
    };
    EXPECT_EQ(core::DestinationNotWrittenByRun(L"C:\\Neu.wav", written), L"C:\\Neu.wav");
    EXPECT_EQ(core::DestinationNotWrittenByRun(L"C:\\Lied.wav", written), L"C:\\Lied (3).wav");
    EXPECT_EQ(core::MessageNamingEntry(L"No podía abrir el fichero.", L"D:\\a.mp3"),
              L"No podía abrir el fichero. D:\\a.mp3");
    EXPECT_EQ(core::MessageNamingEntry(L"No podía leer el fichero. D:\\a.mp3", L"D:\\a.mp3"),
              L"No podía leer el fichero. D:\\a.mp3");
}

TEST(BatchRules, ProgressLineCountsFromOne) {
    EXPECT_EQ(core::BatchProgressLine(0, 3), L"Proceso fichero 1 de 3");
    EXPECT_EQ(core::BatchProgressLine(9, 12), L"Proceso fichero 10 de 12");
}

TEST(BatchRules, AddingSkipsExactDuplicatesOnly) {
    const Names three = {L"C:\\a.mp3", L"C:\\b.mp3", L"C:\\c.mp3"};
    EXPECT_EQ(core::NamesToAdd({}, three), three);
    EXPECT_EQ(core::NamesToAdd(three, three), Names{});
    EXPECT_EQ(core::NamesToAdd({L"C:\\a.mp3"}, {L"C:\\A.MP3"}), Names{L"C:\\A.MP3"});
    EXPECT_EQ(core::NamesToAdd({L"C:\\b.mp3"}, {L"C:\\a.mp3", L"C:\\b.mp3", L"C:\\a.mp3", L"C:\\c.mp3"}),
              (Names{L"C:\\a.mp3", L"C:\\c.mp3"}));
}

TEST(BatchRules, DroppedNamesFilteredByExtensionIgnoringCase) {
    const Names dropped = {L"C:\\a.mp3", L"C:\\b.MP3", L"C:\\c.wav", L"C:\\mp3", L"C:\\d.mp3x", L"C:\\e.Mp3"};
    EXPECT_EQ(core::NamesWithExtension(dropped, L".mp3"), (Names{L"C:\\a.mp3", L"C:\\b.MP3", L"C:\\e.Mp3"}));
    EXPECT_EQ(core::NamesWithExtension(dropped, L".wav"), Names{L"C:\\c.wav"});
}

TEST(BatchRules, DeletesSelectedFromTheLastUp) {
    EXPECT_EQ(core::SelectedFromLastUp({true, false, true, false}), (std::vector<int>{2, 0}));
    EXPECT_EQ(core::SelectedFromLastUp({false, false}), std::vector<int>{});
    EXPECT_EQ(core::SelectedFromLastUp({true, true, true}), (std::vector<int>{2, 1, 0}));

    Names list = {L"1", L"2", L"3", L"4"};
    for (int position : core::SelectedFromLastUp({true, false, true, false})) {
        list.erase(list.begin() + position);
    }
    EXPECT_EQ(list, (Names{L"2", L"4"}));
}

// Each entry: its name, how many messages its job showed, whether a cancel cut it short.
struct RunEntry {
    const wchar_t* name;
    int messages;
    bool cutShort;
};

core::BatchTally Tally(const std::vector<RunEntry>& run) {
    core::BatchTally tally;
    for (const RunEntry& entry : run) {
        for (int i = 0; i < entry.messages; ++i) {
            tally.NoteFailure(entry.name);
        }
        tally.NoteEnded(entry.name, entry.cutShort);
    }
    return tally;
}

TEST(BatchRules, SummaryCountsWhatRanAndNamesEachFailureOnce) {
    const struct {
        std::vector<RunEntry> run;
        const wchar_t* summary;
    } cases[] = {
        {{{L"a", 0, false}, {L"b", 0, false}}, L""},
        {{{L"a", 0, false}, {L"b", 1, false}, {L"c", 0, false}}, L"Convertidos: 2 de 3. Fallaron:\nb"},
        {{{L"a", 2, false}, {L"b", 1, false}}, L"Convertidos: 0 de 2. Fallaron:\na\nb"},
        {{{L"a", 1, false}, {L"b", 0, true}}, L"Convertidos: 0 de 1. Fallaron:\na"},
        {{{L"a", 0, false}, {L"b", 1, true}}, L"Convertidos: 1 de 2. Fallaron:\nb"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(core::BatchSummary(Tally(c.run)), c.summary);
    }
}

TEST(BatchRules, SummaryNamesTwentyFailuresAndCountsTheRest) {
    std::vector<RunEntry> run;
    std::vector<std::wstring> names;
    for (int i = 0; i < 23; ++i) {
        names.push_back(L"f" + std::to_wstring(i));
    }
    std::wstring expected = L"Convertidos: 1 de 24. Fallaron:";
    for (int i = 0; i < 23; ++i) {
        run.push_back({names[static_cast<size_t>(i)].c_str(), 1, false});
        expected += i < 20 ? L"\n" + names[static_cast<size_t>(i)] : L"";
    }
    run.push_back({L"bien", 0, false});
    EXPECT_EQ(core::BatchSummary(Tally(run)), expected + L"\ny 3 más");
}

} // namespace
