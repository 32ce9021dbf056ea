#include "core/FileNameRules.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct Derivation {
    const wchar_t* source;
    const wchar_t* extension;
    const wchar_t* destination;
};

TEST(FileNameRules, DestinationNameReplacesOnlyTheLastComponentsExtension) {
    const Derivation cases[] = {
        {L"C:\\Musik\\Lied.MP3", L".wav", L"C:\\Musik\\Lied.wav"},
        {L"C:\\Alben.2001\\track", L".wav", L"C:\\Alben.2001\\track.wav"},
        {L"a.b\\c", L".wav", L"a.b\\c.wav"},
        {L"", L".wav", L".wav"},
        {L"C:\\Musik\\Lied.wav", L".mp3", L"C:\\Musik\\Lied.mp3"},
        {L"D:Lied.tar.gz", L".mp3", L"D:Lied.tar.mp3"},
        {L"D:.hidden", L".wav", L"D:.wav"},
        {L"x.", L".wav", L"x.wav"},
        {L"C:\\Mis cosas\\Canción.mp3", L".wav", L"C:\\Mis cosas\\Canción.wav"},
    };
    for (const Derivation& c : cases) {
        EXPECT_EQ(core::ReplaceExtension(c.source, c.extension), c.destination) << c.source;
    }
}

TEST(FileNameRules, ExtensionIsEmptyWhenADriveColonFollowsTheDot) {
    EXPECT_EQ(core::ExtensionOf(L"a.b:c"), L"");
    EXPECT_EQ(core::ExtensionOf(L"a.b:c.d"), L".d");
}

struct HandOut {
    const wchar_t* text;
    const wchar_t* fileName;
};

TEST(FileNameRules, MissingFileIsCutAtItsFirstBlankUnlessQuoted) {
    const std::set<std::wstring> existing = {L"C:\\Mis cosas\\a b.mp3"};
    auto exists = [&](const std::wstring& name) { return existing.count(name) > 0; };
    const HandOut cases[] = {
        {L"C:\\Mis cosas\\a b.mp3", L"C:\\Mis cosas\\a b.mp3"},
        {L"C:\\Mis cosas\\nuevo fichero.wav", L"C:\\Mis"},
        {L"\"C:\\Mis cosas\\nuevo fichero.wav\"", L"C:\\Mis cosas\\nuevo fichero.wav"},
        {L"  C:\\x.wav otra", L"C:\\x.wav"},
        {L"C:\\\"Mis cosas\"\\x.wav", L"C:\\Mis cosas\\x.wav"},
        {L"\"C:\\sin cierre.wav", L"C:\\sin cierre.wav"},
        {L"", L""},
        {L"   ", L""},
    };
    for (const HandOut& c : cases) {
        EXPECT_EQ(core::HandOutFileName(c.text, exists), c.fileName) << c.text;
    }
}

TEST(FileNameRules, NameWithBlankIsQuotedOnceWhenPutIn) {
    EXPECT_EQ(core::EditTextForFileName(L"C:\\Mis cosas\\a.wav"), L"\"C:\\Mis cosas\\a.wav\"");
    EXPECT_EQ(core::EditTextForFileName(L"\"C:\\Mis cosas\\a.wav\""), L"\"C:\\Mis cosas\\a.wav\"");
    EXPECT_EQ(core::EditTextForFileName(L"C:\\a.wav"), L"C:\\a.wav");
    EXPECT_EQ(core::EditTextForFileName(L""), L"");
}

TEST(FileNameRules, NamesWithReservedCharactersAreRefused) {
    for (const wchar_t* bad : {L"a<b.wav", L"a>b.wav", L"[x].wav", L"a|b.wav", L"x]", L"\"\" rest"}) {
        EXPECT_FALSE(core::IsAcceptableFileName(bad)) << bad;
    }
    for (const wchar_t* good : {L"", L".wav", L"C:\\a.wav", L"\"C:\\Mis cosas\\a.wav\"", L"a.wav [copia]"}) {
        EXPECT_TRUE(core::IsAcceptableFileName(good)) << good;
    }
}

} // namespace
