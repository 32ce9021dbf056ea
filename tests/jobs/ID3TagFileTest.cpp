#include "jobs/ID3TagFile.h"
#include "support/HostTool.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

using testsupport::FileSize;
using testsupport::Narrow;
using testsupport::RunHostOrFail;
using testsupport::ShellPath;
using testsupport::WorkDir;

namespace {

constexpr int64_t kTagSize = 128;

// An MP3 of one second; lameTags adds lame's own ID3 v1 options.
std::wstring MakeMp3(const std::wstring& name, const std::string& lameTags) {
    return testsupport::MakeMp3(WorkDir() + L"\\" + name, 1, lameTags);
}

std::string Checksum(const std::wstring& path, int64_t bytes) {
    return RunHostOrFail("head -c " + std::to_string(bytes) + " " + ShellPath(path) + " | md5sum");
}

bool LastBytesAreTag(const std::wstring& path) {
    return RunHostOrFail("tail -c 128 " + ShellPath(path) + " | head -c 3") == "TAG";
}

ID3TagTexts Edited() {
    ID3TagTexts texts;
    texts.title = L"Canción nueva";
    texts.artist = L"Niños";
    texts.album = L"Platte";
    texts.year = L"2002";
    texts.comment = L"veintiocho caracteres, justo";
    texts.track = L"12";
    texts.genre = L"Blues";
    return texts;
}

void ExpectTexts(const ID3TagTexts& actual, const ID3TagTexts& expected) {
    EXPECT_EQ(actual.title, expected.title);
    EXPECT_EQ(actual.artist, expected.artist);
    EXPECT_EQ(actual.album, expected.album);
    EXPECT_EQ(actual.year, expected.year);
    EXPECT_EQ(actual.comment, expected.comment);
    EXPECT_EQ(actual.track, expected.track);
    EXPECT_EQ(actual.genre, expected.genre);
}

TEST(ID3TagFile, EditedTagReadsBackAndTheAudioStaysIntact) {
    const std::wstring mp3 = MakeMp3(L"tagged.mp3", "--id3v1-only --tt Alt --ta Band --tc hola --tn 3 --tg Rock");
    const int64_t size = FileSize(mp3);
    const std::string audio = Checksum(mp3, size - kTagSize);

    ID3TagTexts texts;
    ASSERT_EQ(ReadID3TagFile(mp3, texts), ID3TagFileResult::Done);
    EXPECT_EQ(texts.title, L"Alt");
    EXPECT_EQ(texts.comment, L"hola");
    EXPECT_EQ(texts.track, L"3");
    EXPECT_EQ(texts.genre, L"Rock");

    ASSERT_EQ(WriteID3TagFile(mp3, Edited()), ID3TagFileResult::Done);
    ID3TagTexts back;
    ASSERT_EQ(ReadID3TagFile(mp3, back), ID3TagFileResult::Done);
    ExpectTexts(back, Edited());

    EXPECT_EQ(FileSize(mp3), size);
    EXPECT_EQ(Checksum(mp3, size - kTagSize), audio);
    const std::string decoded = RunHostOrFail("mpg123 -t -v " + ShellPath(mp3) + " 2>&1");
    EXPECT_NE(decoded.find("Album:   Platte"), std::string::npos) << decoded;
    EXPECT_NE(decoded.find("Genre:   Blues"), std::string::npos) << decoded;
}

TEST(ID3TagFile, FileWithoutTagGetsOneTagAppended) {
    const std::wstring mp3 = MakeMp3(L"plain.mp3", "");
    const int64_t size = FileSize(mp3);
    const std::string audio = Checksum(mp3, size);
    ASSERT_FALSE(LastBytesAreTag(mp3));

    ID3TagTexts texts;
    EXPECT_EQ(ReadID3TagFile(mp3, texts), ID3TagFileResult::NoTag);
    EXPECT_STREQ(ID3TagFileMessage(ID3TagFileResult::NoTag),
                 L"Este fichero no contiene ninguna válida MP3-TAG información.");

    ASSERT_EQ(WriteID3TagFile(mp3, Edited()), ID3TagFileResult::Done);
    EXPECT_EQ(FileSize(mp3), size + kTagSize);
    EXPECT_TRUE(LastBytesAreTag(mp3));

    ID3TagTexts second = Edited();
    second.title = L"Zweiter Titel";
    second.comment = L"un comentario de treinta car.";
    ASSERT_EQ(WriteID3TagFile(mp3, second), ID3TagFileResult::Done);
    EXPECT_EQ(FileSize(mp3), size + kTagSize);
    ASSERT_EQ(ReadID3TagFile(mp3, texts), ID3TagFileResult::Done);
    second.track.clear(); // a 29-character comment leaves no room for it
    ExpectTexts(texts, second);

    EXPECT_EQ(Checksum(mp3, size), audio);
    RunHostOrFail("mpg123 -q -t " + ShellPath(mp3));
}

TEST(ID3TagFile, ReadOnlyFileIsReadButNotChanged) {
    const std::wstring mp3 = MakeMp3(L"readonly.mp3", "--id3v1-only --tt Alt");
    ASSERT_TRUE(SetFileAttributesW(mp3.c_str(), FILE_ATTRIBUTE_READONLY));
    const int64_t size = FileSize(mp3);
    const std::string whole = Checksum(mp3, size);

    ID3TagTexts texts;
    EXPECT_EQ(ReadID3TagFile(mp3, texts), ID3TagFileResult::Done);
    EXPECT_EQ(WriteID3TagFile(mp3, Edited()), ID3TagFileResult::CannotOpen);
    EXPECT_STREQ(ID3TagFileMessage(ID3TagFileResult::CannotOpen), L"No podía abrir el fichero.");
    EXPECT_EQ(Checksum(mp3, size + 1), whole);
    SetFileAttributesW(mp3.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(ID3TagFile, MissingFileIsNeitherReadNorCreated) {
    const std::wstring missing = WorkDir() + L"\\fehlt.mp3";
    ID3TagTexts texts;
    EXPECT_EQ(ReadID3TagFile(missing, texts), ID3TagFileResult::CannotOpen);
    EXPECT_EQ(WriteID3TagFile(missing, Edited()), ID3TagFileResult::CannotOpen);
    EXPECT_EQ(FileSize(missing), -1);
}

TEST(ID3TagFile, FailedWriteIsReported) {
    // Writes to a link to /dev/full fail as on a full disk.
    const std::wstring full = WorkDir() + L"\\voll.mp3";
    RunHostOrFail("ln -sf /dev/full " + ShellPath(full));
    EXPECT_EQ(WriteID3TagFile(full, Edited()), ID3TagFileResult::CannotWrite);
    EXPECT_STREQ(ID3TagFileMessage(ID3TagFileResult::CannotWrite), L"No podía escribir el fichero.");
    RunHostOrFail("rm -f " + ShellPath(full));
}

TEST(ID3TagText, ConvertsThroughTheAnsiCodePage) {
    ASSERT_EQ(GetACP(), 1252u) << "the cases below are Windows-1252 bytes";
    EXPECT_EQ(ToTagText(L"Canción €"), "Canci\xf3n \x80");
    EXPECT_EQ(FromTagText("Ni\xf1os \x80"), L"Niños €");
    EXPECT_EQ(ToTagText(L""), "");
}

TEST(ID3TagText, CommentWarningCountsTagBytes) {
    const std::wstring warning =
        L"No puedo almacenar el número de la pista porque el comentario no es corto suficiente.";
    const std::wstring accented28 = L"ñ" + std::wstring(27, L'a');
    EXPECT_EQ(TrackInfoText(accented28), L"");
    EXPECT_EQ(TrackInfoText(accented28 + L"é"), warning);
    EXPECT_EQ(TrackInfoText(std::wstring(30, L'x')), warning);
    EXPECT_EQ(TrackInfoText(L""), L"");
}

} // namespace
