#include "core/ID3Tag.h"
#include "support/MemoryByteFile.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using core::BuildID3Tag;
using core::ID3TagBytes;
using core::ID3TagFields;
using core::ParseID3Tag;

namespace {

const std::string k28(28, 'c');
const std::string k29 = std::string(28, 'c') + 'x';
const std::string k30 = std::string(28, 'c') + "xy";

ID3TagFields Fields(const std::string& comment, const std::string& track, const std::string& genre = "Rock") {
    ID3TagFields f;
    f.title = "Titel";
    f.artist = "Band";
    f.album = "Platte";
    f.year = "2002";
    f.comment = comment;
    f.track = track;
    f.genre = genre;
    return f;
}

std::string Bytes(const ID3TagBytes& tag, size_t offset, size_t count) {
    return std::string(reinterpret_cast<const char*>(tag.data() + offset), count);
}

// A tag as another program may have written it.
ID3TagBytes RawTag(const std::string& body127) {
    ID3TagBytes tag{};
    std::string text = "TAG" + body127;
    text.resize(core::kID3TagSize, '\0');
    std::copy(text.begin(), text.end(), tag.begin());
    return tag;
}

TEST(ID3Genres, HoldsTheNamesInByteOrder) {
    EXPECT_STREQ(core::ID3Genres[0], "Blues");
    EXPECT_STREQ(core::ID3Genres[12], "Other");
    EXPECT_STREQ(core::ID3Genres[67], "Psychadelic");
    EXPECT_STREQ(core::ID3Genres[133], "Negerpunk");
    EXPECT_STREQ(core::ID3Genres[147], "Synthpop");
    std::set<std::string> distinct(core::ID3Genres, core::ID3Genres + core::kID3GenreCount);
    EXPECT_EQ(distinct.size(), core::kID3GenreCount);
}

TEST(ID3Tag, PutsEveryFieldAtItsOffsetFilledWithZeros) {
    ID3TagBytes tag = BuildID3Tag(Fields("Kommentar", "7", "Blues"));
    std::string expected = "TAG";
    for (auto [text, width] :
         {std::pair<std::string, size_t>{"Titel", 30}, {"Band", 30}, {"Platte", 30}, {"2002", 4}, {"Kommentar", 28}}) {
        text.resize(width, '\0');
        expected += text;
    }
    expected += std::string("\0\x07\0", 3);
    EXPECT_EQ(Bytes(tag, 0, core::kID3TagSize), expected);
}

TEST(ID3Tag, CutsTextsToTheirFieldWidth) {
    ID3TagFields f = Fields("", "");
    f.title = std::string(30, 't') + "zu lang";
    f.year = "20021";
    ID3TagBytes tag = BuildID3Tag(f);
    EXPECT_EQ(Bytes(tag, 3, 31), std::string(30, 't') + "B");
    EXPECT_EQ(Bytes(tag, 93, 5), std::string("2002\0", 5));
}

struct CommentCase {
    const std::string& comment;
    uint8_t byte125;
    uint8_t byte126;
    bool hidesTrack;
};

TEST(ID3Tag, CommentLengthDecidesWhetherTheTrackIsStored) {
    const CommentCase cases[] = {
        {k28, 0, 12, false},
        {k29, 'x', 0, true},
        {k30, 'x', 'y', true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.comment.size());
        ID3TagBytes tag = BuildID3Tag(Fields(c.comment, "12"));
        EXPECT_EQ(Bytes(tag, 97, 28), k28);
        EXPECT_EQ(tag[125], c.byte125);
        EXPECT_EQ(tag[126], c.byte126);
        EXPECT_EQ(core::CommentHidesTrack(c.comment.size()), c.hidesTrack);

        ID3TagFields back = ParseID3Tag(tag);
        EXPECT_EQ(back.comment, c.comment);
        EXPECT_EQ(back.track, c.hidesTrack ? "" : "12");
    }
}

TEST(ID3Tag, StoresOnlyTracksFrom0To255) {
    const std::pair<const char*, uint8_t> cases[] = {
        {"1", 1}, {"255", 255}, {"0", 0}, {"256", 0}, {"-1", 0}, {"abc", 0}, {"", 0}, {"12a", 0}, {" 5", 0},
    };
    for (auto [track, byte] : cases) {
        SCOPED_TRACE(track);
        ID3TagBytes tag = BuildID3Tag(Fields("kurz", track));
        EXPECT_EQ(tag[126], byte);
        EXPECT_EQ(ParseID3Tag(tag).track, byte ? track : "");
    }
}

TEST(ID3Tag, GenreIsANumberOrAnExactName) {
    const std::pair<const char*, uint8_t> cases[] = {
        {"Blues", 0},      {"blues", 255},  {"12", 12},   {"300", 44}, {"-1", 255},          {"", 255},
        {"Synthpop", 147}, {"Blues ", 255}, {"200", 200}, {"+3", 3},   {"99999999999", 255},
    };
    for (auto [genre, byte] : cases) {
        SCOPED_TRACE(genre);
        EXPECT_EQ(BuildID3Tag(Fields("", "", genre))[127], byte);
    }
}

TEST(ID3Tag, ShowsKnownGenresByNameAndOthersAsNumbers) {
    const std::pair<uint8_t, const char*> cases[] = {
        {0, "Blues"}, {147, "Synthpop"}, {148, "148"}, {200, "200"}, {255, "255"}};
    for (auto [byte, text] : cases) {
        SCOPED_TRACE(text);
        ID3TagBytes tag = BuildID3Tag(Fields("", ""));
        tag[127] = byte;
        ID3TagFields shown = ParseID3Tag(tag);
        EXPECT_EQ(shown.genre, text);
        EXPECT_EQ(BuildID3Tag(shown)[127], byte);
    }
}

TEST(ID3Tag, KeepsBlankPaddingAndWritesItBack) {
    std::string padded;
    for (const char* text : {"Titel", "Band", "Platte"}) {
        std::string field = text;
        field.resize(30, ' ');
        padded += field;
    }
    padded += "2002" + std::string(30, ' ');
    ID3TagBytes tag = RawTag(padded + '\x11');
    ID3TagFields shown = ParseID3Tag(tag);
    EXPECT_EQ(shown.title, "Titel" + std::string(25, ' '));
    EXPECT_EQ(shown.comment, std::string(30, ' '));
    EXPECT_EQ(shown.track, "");
    EXPECT_EQ(BuildID3Tag(shown), tag);
}

TEST(ID3Tag, PassesCodePageBytesThrough) {
    ID3TagFields f = Fields("Canci\xf3n", "3");
    f.artist = "Ni\xf1os \xe9t\xe9";
    EXPECT_EQ(ParseID3Tag(BuildID3Tag(f)).artist, f.artist);
    EXPECT_EQ(ParseID3Tag(BuildID3Tag(f)).comment, f.comment);
}

// --- the tag at the end of a file ---

std::vector<uint8_t> Audio(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(i * 7 + 1);
    }
    return bytes;
}

std::vector<uint8_t> WithTag(std::vector<uint8_t> bytes, const ID3TagBytes& tag) {
    bytes.insert(bytes.end(), tag.begin(), tag.end());
    return bytes;
}

TEST(ID3TagFile, ReadsTheLast128Bytes) {
    ID3TagBytes written = BuildID3Tag(Fields("Kommentar", "4"));
    testsupport::MemoryByteFile file(WithTag(Audio(1000), written));
    ID3TagBytes read{};
    ASSERT_TRUE(core::ReadID3Tag(file, read));
    EXPECT_EQ(read, written);
}

TEST(ID3TagFile, FindsNoTagInShortOrUntaggedFiles) {
    std::vector<uint8_t> taggedTooEarly = WithTag(Audio(10), BuildID3Tag(Fields("", "")));
    taggedTooEarly.push_back(0);
    const std::vector<uint8_t> files[] = {{}, {'T', 'A', 'G'}, Audio(127), Audio(128), Audio(5000), taggedTooEarly};
    for (const auto& bytes : files) {
        SCOPED_TRACE(bytes.size());
        testsupport::MemoryByteFile file(bytes);
        ID3TagBytes read{};
        EXPECT_FALSE(core::ReadID3Tag(file, read));
    }
}

TEST(ID3TagFile, AppendsToAFileWithoutATagAndOverwritesItsOwnTagLater) {
    for (size_t audioSize : {0, 100, 128, 4000}) {
        SCOPED_TRACE(audioSize);
        const std::vector<uint8_t> audio = Audio(audioSize);
        testsupport::MemoryByteFile file(audio);
        ID3TagBytes first = BuildID3Tag(Fields("eins", "1"));
        ID3TagBytes second = BuildID3Tag(Fields("zwei", "2"));
        ASSERT_TRUE(core::WriteID3Tag(file, first));
        EXPECT_EQ(file.Bytes(), WithTag(audio, first));
        ASSERT_TRUE(core::WriteID3Tag(file, second));
        EXPECT_EQ(file.Bytes(), WithTag(audio, second));
    }
}

TEST(ID3TagFile, ReportsAWriteThatDidNotHappen) {
    const std::vector<uint8_t> tagged = WithTag(Audio(300), BuildID3Tag(Fields("alt", "1")));
    testsupport::MemoryByteFile overwrite(tagged);
    overwrite.LimitSize(tagged.size() - 1);
    EXPECT_FALSE(core::WriteID3Tag(overwrite, BuildID3Tag(Fields("neu", "2"))));

    testsupport::MemoryByteFile append(Audio(300));
    append.LimitSize(300);
    EXPECT_FALSE(core::WriteID3Tag(append, BuildID3Tag(Fields("neu", "2"))));
    EXPECT_EQ(append.Bytes(), Audio(300));
}

} // namespace
