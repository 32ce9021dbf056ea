#include "core/FormStorage.h"
#include "MemoryProfile.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

using core::FormPlacement;
using core::ScreenInfo;
using core::StoredControls;
using core::StoredWindowState;

namespace {

using coretest::MemoryProfile;
using coretest::Writes;

const ScreenInfo kScreen{1024, 768, 96};

FormPlacement Placement() {
    FormPlacement p;
    p.flags = 0;
    p.showCmd = 1;
    p.minPosition = {-1, -1};
    p.maxPosition = {-4, -23};
    p.normalPosition = {100, 50, 740, 530};
    return p;
}

StoredControls Controls() {
    StoredControls c;
    c.cdqualcheck = true;
    c.QuellCheck = false;
    c.OwnfolderCheck = true;
    c.OutDirectoryEd = L"C:\\Salida";
    return c;
}

core::RestoredForm Restore(MemoryProfile& profile, const FormPlacement& current = Placement(),
                           const StoredControls& controls = StoredControls()) {
    auto restored = core::RestoreForm(profile, current, kScreen, controls);
    EXPECT_TRUE(restored.has_value());
    return restored.value_or(core::RestoredForm{});
}

TEST(FormStorage, SavesEveryKeyInOrder) {
    MemoryProfile profile;
    ASSERT_TRUE(core::SaveForm(profile, Placement(), false, kScreen, Controls(), false));
    const Writes expected = {
        {L"FormVersion", L"0"},
        {L"Flags", L"0"},
        {L"ShowCmd", L"1"},
        {L"PixelsPerInch", L"96"},
        {L"MinMaxPos(1024x768)", L"-1,-1,-4,-23"},
        {L"MinMaxPos", L"-1,-1,-4,-23"},
        {L"NormPos(1024x768)", L"100,50,740,530"},
        {L"NormPos", L"100,50,740,530"},
        {L"Visible", L"0"},
        {L"cdqual2check_Checked", L"False"},
        {L"cdqualcheck_Checked", L"True"},
        {L"QuellCheck_Checked", L"False"},
        {L"OwnfolderCheck_Checked", L"True"},
        {L"OutDirectoryEd_Text", L"C:\\Salida"},
        {L"OutDirectory2Ed_Text", L""},
        {L"OwnFolderCheck2_Checked", L"False"},
        {L"QuellCheck2_Checked", L"True"},
    };
    EXPECT_EQ(profile.writes, expected);
}

TEST(FormStorage, SavesMinimizedApplicationAndDestroyedWindow) {
    MemoryProfile profile;
    ASSERT_TRUE(core::SaveForm(profile, Placement(), true, kScreen, Controls(), true));
    EXPECT_EQ(profile.values[L"ShowCmd"], L"2");
    EXPECT_EQ(profile.values[L"Visible"], L"1");
}

TEST(FormStorage, StopsAtTheFirstKeyThatCannotBeWritten) {
    for (size_t writable : {0, 3, 9, 16}) {
        SCOPED_TRACE(writable);
        MemoryProfile profile;
        profile.writableKeys = writable;
        EXPECT_FALSE(core::SaveForm(profile, Placement(), false, kScreen, Controls(), false));
        EXPECT_EQ(profile.writes.size(), writable);
    }
}

TEST(FormStorage, RestoresWhatWasSaved) {
    MemoryProfile profile;
    FormPlacement saved = Placement();
    saved.flags = 2;
    saved.showCmd = 3;
    ASSERT_TRUE(core::SaveForm(profile, saved, false, kScreen, Controls(), false));

    FormPlacement current;
    current.normalPosition = {0, 0, 640, 480};
    core::RestoredForm restored = Restore(profile, current);
    EXPECT_TRUE(restored.applyPlacement);
    EXPECT_EQ(restored.placement.flags, 2);
    EXPECT_EQ(restored.placement.minPosition.x, -1);
    EXPECT_EQ(restored.placement.maxPosition.y, -23);
    EXPECT_EQ(restored.placement.normalPosition.left, 100);
    EXPECT_EQ(restored.placement.normalPosition.bottom, 530);
    EXPECT_EQ(restored.state, StoredWindowState::Maximized);
    EXPECT_TRUE(restored.controls.cdqualcheck);
    EXPECT_TRUE(restored.controls.OwnfolderCheck);
    EXPECT_FALSE(restored.controls.QuellCheck);
    EXPECT_EQ(restored.controls.OutDirectoryEd, L"C:\\Salida");
}

TEST(FormStorage, NegativeLayoutVersionAppliesNothing) {
    MemoryProfile profile;
    profile.values = {{L"FormVersion", L"-1"}, {L"ShowCmd", L"3"}, {L"cdqualcheck_Checked", L"True"}};
    EXPECT_FALSE(core::RestoreForm(profile, Placement(), kScreen, StoredControls()).has_value());
}

TEST(FormStorage, MissingProfileKeepsTheWindowAsDesigned) {
    MemoryProfile profile;
    StoredControls design;
    core::RestoredForm restored = Restore(profile, Placement(), design);
    EXPECT_FALSE(restored.applyPlacement);
    EXPECT_EQ(restored.state, StoredWindowState::Normal);
    EXPECT_TRUE(restored.controls.QuellCheck);
    EXPECT_FALSE(restored.controls.OwnfolderCheck);
    EXPECT_TRUE(restored.controls.QuellCheck2);
    EXPECT_EQ(restored.controls.OutDirectoryEd, L"");
}

struct PlacementCase {
    const char* what;
    std::map<std::wstring, std::wstring> values;
    bool apply;
    core::FormRect normal;
    int minX;
};

TEST(FormStorage, AppliesAStoredPositionOnlyWhenItFitsThisScreen) {
    // Current normal rectangle: 10,20,110,220.
    const PlacementCase cases[] = {
        {"sized key", {{L"NormPos(1024x768)", L"1,2,3,4"}, {L"NormPos", L"5,6,7,8"}}, true, {1, 2, 3, 4}, 0},
        {"plain key", {{L"NormPos", L"5,6,7,8"}}, true, {5, 6, 7, 8}, 0},
        {"other screen only", {{L"NormPos(800x600)", L"5,6,7,8"}}, false, {10, 20, 110, 220}, 0},
        {"empty sized key", {{L"NormPos(1024x768)", L""}, {L"NormPos", L"5,6,7,8"}}, true, {5, 6, 7, 8}, 0},
        {"other resolution", {{L"NormPos", L"5,6,7,8"}, {L"PixelsPerInch", L"120"}}, false, {5, 6, 7, 8}, 0},
        {"same resolution", {{L"NormPos", L"5,6,7,8"}, {L"PixelsPerInch", L"96"}}, true, {5, 6, 7, 8}, 0},
        {"left not below right", {{L"NormPos", L"7,6,7,8"}}, false, {7, 6, 7, 8}, 0},
        {"bad parts", {{L"NormPos", L"x,,30"}}, true, {10, 20, 30, 220}, 0},
        {"min max only", {{L"MinMaxPos", L"q,5,7,8"}}, true, {10, 20, 110, 220}, 0},
        {"min max", {{L"MinMaxPos", L"3,5,7,8,9"}}, true, {10, 20, 110, 220}, 3},
    };
    FormPlacement current;
    current.normalPosition = {10, 20, 110, 220};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryProfile profile;
        profile.values = c.values;
        core::RestoredForm restored = Restore(profile, current);
        EXPECT_EQ(restored.applyPlacement, c.apply);
        const core::FormRect& r = restored.placement.normalPosition;
        EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}),
                  (std::vector<int>{c.normal.left, c.normal.top, c.normal.right, c.normal.bottom}));
        EXPECT_EQ(restored.placement.minPosition.x, c.minX);
    }
}

TEST(FormStorage, ShowCmdGivesTheStartState) {
    const std::pair<const wchar_t*, StoredWindowState> cases[] = {
        {L"1", StoredWindowState::Normal},    {L"5", StoredWindowState::Normal},
        {L"9", StoredWindowState::Normal},    {L"3", StoredWindowState::Maximized},
        {L"2", StoredWindowState::Minimized}, {L"6", StoredWindowState::Minimized},
        {L"7", StoredWindowState::Minimized}, {L"4", StoredWindowState::Normal},
        {L"0", StoredWindowState::Normal},    {L"x", StoredWindowState::Normal},
    };
    for (auto [showCmd, state] : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(showCmd)));
        MemoryProfile profile;
        profile.values = {{L"ShowCmd", showCmd}};
        EXPECT_EQ(Restore(profile).state, state);
    }
}

TEST(FormStorage, BooleanValuesIgnoreLetterCaseAndOthersLeaveTheControl) {
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"True", true},   {L"true", true}, {L" TRUE\t", true}, {L"False", false},
        {L"fALSE", false}, {L"yes", true},  {L"1", true},       {L"", true},
    };
    for (auto [stored, checked] : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(stored)));
        MemoryProfile profile;
        profile.values = {{L"cdqual2check_Checked", stored}};
        StoredControls ticked;
        ticked.cdqual2check = true;
        EXPECT_EQ(Restore(profile, Placement(), ticked).controls.cdqual2check, checked);
    }
}

TEST(FormStorage, RadioPairEndsAsStored) {
    MemoryProfile profile;
    profile.values = {{L"QuellCheck2_Checked", L"true"},
                      {L"OwnFolderCheck2_Checked", L"False"},
                      {L"QuellCheck_Checked", L"yes"},
                      {L"OwnfolderCheck_Checked", L"True"}};
    StoredControls current;
    current.QuellCheck2 = false;
    current.OwnFolderCheck2 = true;
    StoredControls restored = Restore(profile, Placement(), current).controls;
    EXPECT_TRUE(restored.QuellCheck2);
    EXPECT_FALSE(restored.OwnFolderCheck2);
    EXPECT_FALSE(restored.QuellCheck);
    EXPECT_TRUE(restored.OwnfolderCheck);
}

TEST(FormStorage, TrimsTextsBothWays) {
    MemoryProfile profile;
    StoredControls controls;
    controls.OutDirectoryEd = L" C:\\Salida ";
    controls.OutDirectory2Ed = L"\tD:\\Mp3\r\n";
    ASSERT_TRUE(core::SaveForm(profile, Placement(), false, kScreen, controls, false));
    EXPECT_EQ(profile.values[L"OutDirectoryEd_Text"], L"C:\\Salida");
    EXPECT_EQ(profile.values[L"OutDirectory2Ed_Text"], L"D:\\Mp3");

    profile.values[L"OutDirectoryEd_Text"] = L"  E:\\Otra\x01";
    EXPECT_EQ(Restore(profile).controls.OutDirectoryEd, L"E:\\Otra");
}

TEST(FormStorage, QuotedTextsComeBackUnchanged) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"\"C:\\Mi carpeta\"", L"\"\"C:\\Mi carpeta\"\""},
        {L"'x'", L"\"'x'\""},
        {L"\"", L"\"\"\""},
        {L"\"x'", L"\"x'"},
        {L"C:\\\"x\"\\y", L"C:\\\"x\"\\y"},
    };
    for (auto [text, written] : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
        MemoryProfile profile;
        StoredControls controls;
        controls.OutDirectory2Ed = text;
        ASSERT_TRUE(core::SaveForm(profile, Placement(), false, kScreen, controls, false));
        EXPECT_EQ(profile.values[L"OutDirectory2Ed_Text"], written);
        EXPECT_EQ(Restore(profile).controls.OutDirectory2Ed, text);
    }
}

TEST(FormStorage, ProfileFileIsNamedAfterTheProgram) {
    EXPECT_EQ(core::ProfileFileName(L"C:\\Archivos de programa\\Sonaris\\converter.exe"), L"converter.INI");
    EXPECT_EQ(core::ProfileFileName(L"C:\\v1.2\\converter"), L"converter.INI");
    EXPECT_EQ(core::ProfileWriteFailure(L"converter.INI"), L"nach converter.INI kann nicht geschrieben werden");
}

} // namespace
