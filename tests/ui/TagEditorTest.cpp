#include "KnownState.h"
#include "UiTestSupport.h"
#include "core/ID3Tag.h"
#include "jobs/ID3TagFile.h"
#include "ui/resource.h"

namespace uitest {
namespace {

constexpr size_t kTag = 128;
const wchar_t kNoTag[] = L"Este fichero no contiene ninguna válida MP3-TAG información.";
const wchar_t kTrackHidden[] = L"No puedo almacenar el número de la pista porque el comentario no es corto suficiente.";

// A short tone, with no ID3 v1 tag.
std::wstring MakeMp3(const std::wstring& name) { return testsupport::MakeMp3(WorkFile(name + L".mp3"), 1.5); }

std::string Ansi(const std::wstring& text) {
    std::string bytes(text.size() * 2, '\0');
    bytes.resize(
        static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(),
                                                static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

// A tag field as the file holds it: the text's bytes, zero bytes to the width.
std::string Field(const std::wstring& text, size_t width) {
    std::string bytes = Ansi(text);
    bytes.resize(width, '\0');
    return bytes;
}

class TagEditorWindow {
public:
    explicit TagEditorWindow(Converter& converter) : converter_(converter) { converter_.SelectTab(IDC_MAIN_TABS, 3); }

    // The open button with the file chosen in its dialog; returns once the
    // file has been read, or a message box about it shows.
    void Open(const std::wstring& file) { Choose(IDC_MAIN_OPENBTN, file, false); }
    // The save button with the file chosen in its dialog, and Yes to replacing it.
    void Save(const std::wstring& file) { Choose(IDC_MAIN_SAVEBTN, file, true); }

    void Fill(const ID3TagTexts& texts) {
        const std::pair<int, const std::wstring*> fields[] = {
            {IDC_MAIN_EDTITLE, &texts.title},  {IDC_MAIN_EDARTIST, &texts.artist}, {IDC_MAIN_EDALBUM, &texts.album},
            {IDC_MAIN_EDYEAR, &texts.year},    {IDC_MAIN_EDGENRE, &texts.genre},   {IDC_MAIN_EDCOMMENT, &texts.comment},
            {IDC_MAIN_EDLIEDNR, &texts.track},
        };
        for (const auto& [id, text] : fields) {
            converter_.SetText(id, *text);
        }
    }

    ID3TagTexts Shown() const {
        return {converter_.Text(IDC_MAIN_EDTITLE),   converter_.Text(IDC_MAIN_EDARTIST),
                converter_.Text(IDC_MAIN_EDALBUM),   converter_.Text(IDC_MAIN_EDYEAR),
                converter_.Text(IDC_MAIN_EDCOMMENT), converter_.Text(IDC_MAIN_EDLIEDNR),
                converter_.Text(IDC_MAIN_EDGENRE)};
    }

    // The message box the last operation left, answered; empty text when none came.
    std::wstring Message() {
        const MessageBoxSeen box = converter_.WaitForMessageBox(0);
        if (box.window) {
            Answer(box, IDOK);
        }
        return box.text;
    }

private:
    void Choose(int button, const std::wstring& file, bool confirmReplace) {
        converter_.PostClick(button);
        HWND dialog = converter_.WaitForFileDialog();
        ASSERT_TRUE(dialog);
        Converter::ChooseInFileDialog(dialog, file);
        if (confirmReplace) {
            const MessageBoxSeen replace = converter_.WaitForMessageBox();
            ASSERT_TRUE(replace.window) << "no question before replacing";
            Answer(replace, IDYES);
        }
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
        converter_.Settle();
    }

    Converter& converter_;
};

std::vector<std::wstring> AllTexts(const ID3TagTexts& t) {
    return {t.title, t.artist, t.album, t.year, t.comment, t.track, t.genre};
}

TEST(TagEditor, GenreListHoldsThe148NamesInOrder) {
    Converter converter;
    const std::vector<std::wstring> items = converter.ComboItems(IDC_MAIN_EDGENRE);
    ASSERT_EQ(items.size(), core::kID3GenreCount);
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(testsupport::Narrow(items[i]), core::ID3Genres[i]) << i;
    }
}

TEST(TagEditor, TagOnALameMp3IsAppendedOnceThenOverwrittenAndReadsBack) {
    Converter converter;
    TagEditorWindow editor(converter);
    const std::wstring mp3 = MakeMp3(L"etiqueta");
    const std::string audio = ReadWholeFile(mp3).value_or("");
    ASSERT_GT(audio.size(), kTag);
    ASSERT_NE(audio.substr(audio.size() - kTag, 3), "TAG") << "lame wrote a tag of its own";

    editor.Open(mp3);
    EXPECT_EQ(editor.Message(), kNoTag);

    const ID3TagTexts edited = {
        L"Canción de prueba", L"Los Intérpretes", L"Álbum", L"2002", L"Veintiocho letras de comenta", L"12", L"Jazz"};
    editor.Fill(edited);
    EXPECT_EQ(converter.Text(IDC_MAIN_TRACKINFO), L"");
    editor.Save(mp3);
    EXPECT_EQ(editor.Message(), L"");

    std::string file = ReadWholeFile(mp3).value_or("");
    ASSERT_EQ(file.size(), audio.size() + kTag) << "128 bytes appended";
    EXPECT_EQ(file.substr(0, audio.size()), audio) << "the audio before the tag is unchanged";
    const std::string tag = file.substr(audio.size());
    EXPECT_EQ(tag.substr(0, 3), "TAG");
    EXPECT_EQ(tag.substr(3, 30), Field(edited.title, 30));
    EXPECT_EQ(tag.substr(33, 30), Field(edited.artist, 30));
    EXPECT_EQ(tag.substr(63, 30), Field(edited.album, 30));
    EXPECT_EQ(tag.substr(93, 4), "2002");
    EXPECT_EQ(tag.substr(97, 28), Ansi(edited.comment));
    EXPECT_EQ(tag[125], '\0');
    EXPECT_EQ(tag[126], '\x0c');
    EXPECT_EQ(tag[127], '\x08') << "Jazz";
    RunHostOrFail("mpg123 -q -t " + ShellPath(mp3));

    editor.Fill({L"x", L"x", L"x", L"1999", L"x", L"1", L"Rock"});
    editor.Open(mp3);
    EXPECT_EQ(editor.Message(), L"");
    EXPECT_EQ(AllTexts(editor.Shown()), AllTexts(edited));

    ID3TagTexts again = edited;
    again.title = L"Otra vez";
    again.genre = L"200";
    editor.Fill(again);
    editor.Save(mp3);
    EXPECT_EQ(editor.Message(), L"");
    file = ReadWholeFile(mp3).value_or("");
    ASSERT_EQ(file.size(), audio.size() + kTag) << "the second save overwrote the tag";
    EXPECT_EQ(file.substr(0, audio.size()), audio);
    EXPECT_EQ(file.substr(audio.size() + 3, 30), Field(L"Otra vez", 30));
    EXPECT_EQ(static_cast<unsigned char>(file.back()), 200u);
    RunHostOrFail("mpg123 -q -t " + ShellPath(mp3));
}

struct CommentCase {
    const wchar_t* comment;
    const wchar_t* trackinfo;
    const wchar_t* trackReadBack;
};

TEST(TagEditor, ACommentLongerThan28CharactersPushesOutTheTrack) {
    Converter converter;
    TagEditorWindow editor(converter);
    const std::wstring mp3 = MakeMp3(L"pista");
    const CommentCase cases[] = {
        {L"1234567890123456789012345678", L"", L"7"},
        {L"12345678901234567890123456789", kTrackHidden, L""},
        {L"123456789012345678901234567890", kTrackHidden, L""},
    };
    for (const CommentCase& c : cases) {
        editor.Fill({L"Titulo", L"", L"", L"", c.comment, L"7", L"Blues"});
        EXPECT_EQ(converter.Text(IDC_MAIN_TRACKINFO), c.trackinfo) << testsupport::Narrow(c.comment);
        editor.Save(mp3);
        editor.Fill({L"", L"", L"", L"", L"", L"99", L""});
        editor.Open(mp3);
        EXPECT_EQ(converter.Text(IDC_MAIN_EDCOMMENT), c.comment);
        EXPECT_EQ(converter.Text(IDC_MAIN_EDLIEDNR), c.trackReadBack) << testsupport::Narrow(c.comment);
        EXPECT_EQ(converter.Text(IDC_MAIN_TRACKINFO), c.trackinfo) << "set again when the tag is read";
    }
}

TEST(TagEditor, SavingIntoAReadOnlyFileIsRefusedAndChangesNothing) {
    Converter converter;
    TagEditorWindow editor(converter);
    const std::wstring mp3 = MakeMp3(L"solo lectura");
    const std::string before = ReadWholeFile(mp3).value_or("");
    SetFileAttributesW(mp3.c_str(), FILE_ATTRIBUTE_READONLY);
    editor.Fill({L"Nunca", L"", L"", L"", L"", L"", L""});
    editor.Save(mp3);
    EXPECT_EQ(editor.Message(), L"No podía abrir el fichero.");
    SetFileAttributesW(mp3.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadWholeFile(mp3), before);
}

TEST(TagEditor, FieldsTakeNoMoreBytesThanTheTagHolds) {
    Converter converter;
    const struct {
        int id;
        size_t width;
    } fields[] = {{IDC_MAIN_EDTITLE, 30},
                  {IDC_MAIN_EDARTIST, 30},
                  {IDC_MAIN_EDALBUM, 30},
                  {IDC_MAIN_EDYEAR, 4},
                  {IDC_MAIN_EDCOMMENT, 30}};
    for (const auto& f : fields) {
        const std::wstring full(f.width, L'x');
        converter.SetText(f.id, full);
        converter.SetText(f.id, full + L"y");
        EXPECT_EQ(converter.Text(f.id), full) << f.id;
    }
}

} // namespace
} // namespace uitest
