#include "core/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using core::CommandKind;
using Args = std::vector<std::wstring>;

std::string Shown(const Args& arguments) {
    std::wstring line;
    for (const auto& argument : arguments) {
        line += L"[" + argument + L"]";
    }
    return testing::PrintToString(line);
}

struct ParseCase {
    Args arguments;
    CommandKind kind;
    Args sources;
    const wchar_t* destination;
    const wchar_t* folder;
    bool cd;
    int format;
};

TEST(CommandLine, ArgumentsMakeOneJobOrNone) {
    const CommandKind W = CommandKind::Window, MW = CommandKind::Mp3ToWav, WM = CommandKind::WavToMp3,
                      WW = CommandKind::WavToWav, F = CommandKind::ListFormats;
    const ParseCase cases[] = {
        {{}, W, {}, L"", L"", false, -1},
        {{L"/mp3wav", L"a.mp3", L"b.wav"}, MW, {L"a.mp3"}, L"b.wav", L"", false, -1},
        {{L"/MP3WAV", L"a.mp3", L"b.wav", L"/CD"}, MW, {L"a.mp3"}, L"b.wav", L"", true, -1},
        {{L"/mp3wav", L"/cd", L"a.mp3", L"b.wav"}, MW, {L"a.mp3"}, L"b.wav", L"", true, -1},
        {{L"/wavmp3", L"a.wav", L"b.mp3", L"/format", L"12"}, WM, {L"a.wav"}, L"b.mp3", L"", false, 12},
        {{L"/wavwav", L"a.wav", L"b.wav", L"/format", L"0"}, WW, {L"a.wav"}, L"b.wav", L"", false, 0},
        {{L"/wavwav", L"a b.wav", L"c.wav"}, WW, {L"a b.wav"}, L"c.wav", L"", false, -1},
        {{L"/formats"}, F, {}, L"", L"", false, -1},
        {{L"/mp3wav", L"a.mp3", L"b.mp3", L"a.mp3", L"/dir", L"C:\\S"},
         MW,
         {L"a.mp3", L"b.mp3", L"a.mp3"},
         L"",
         L"C:\\S",
         false,
         -1},
        {{L"/wavmp3", L"/dir", L"C:\\S", L"a.wav", L"/format", L"3"}, WM, {L"a.wav"}, L"", L"C:\\S", false, 3},
        {{L"/mp3wav", L"/dir", L"C:\\S", L"a.mp3", L"/cd"}, MW, {L"a.mp3"}, L"", L"C:\\S", true, -1},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(Shown(c.arguments));
        const auto parsed = core::ParseCommandLine(c.arguments);
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(parsed->kind, c.kind);
        EXPECT_EQ(parsed->sources, c.sources);
        EXPECT_EQ(parsed->destination, c.destination);
        EXPECT_EQ(parsed->folder, c.folder);
        EXPECT_EQ(parsed->cdQuality, c.cd);
        EXPECT_EQ(parsed->format, c.format);
    }
}

// Each of these is answered with the usage text.
TEST(CommandLine, ArgumentsThatMakeNoJobAreRefused) {
    const Args refused[] = {
        {L"a.mp3"},
        {L"/mp3wav"},
        {L"/mp3wav", L"a.mp3"},
        {L"/mp3wav", L"a.mp3", L"b.wav", L"c.wav"},
        {L"/mp3wav", L"a.mp3", L"b.wav", L"/format", L"1"},
        {L"/wavmp3", L"a.wav", L"b.mp3", L"/cd"},
        {L"/wavmp3", L"a.wav", L"b.mp3", L"/format"},
        {L"/wavmp3", L"a.wav", L"b.mp3", L"/format", L"-1"},
        {L"/wavmp3", L"a.wav", L"b.mp3", L"/format", L"x"},
        {L"/wavmp3", L"a.wav", L"b.mp3", L"/format", L"1", L"/format", L"1"},
        {L"/mp3wav", L"a.mp3", L"b.wav", L"/cd", L"/cd"},
        {L"/wavwav", L"a.wav", L"/dir", L"C:\\S"},
        {L"/mp3wav", L"/dir", L"C:\\S"},
        {L"/mp3wav", L"a.mp3", L"/dir"},
        {L"/mp3wav", L"a.mp3", L"/dir", L""},
        {L"/mp3wav", L"a.mp3", L"/dir", L"C:\\S", L"/dir", L"C:\\T"},
        {L"/mp3wav", L"a.mp3", L"b.wav", L"/x"},
        {L"/formats", L"a.wav"},
        {L"/formats", L"/cd"},
    };
    for (const Args& arguments : refused) {
        EXPECT_FALSE(core::ParseCommandLine(arguments).has_value()) << Shown(arguments);
    }
}

} // namespace
