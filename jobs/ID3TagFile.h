#pragma once
// The file side of the ID3 v1.1 tag editor: the tag of an MP3 file read into
// the editor's seven texts, and the texts written back as a complete tag over
// the old one or behind the audio. Nothing but the last 128 bytes is touched.
#include <string>

// The editor's edit texts (edTitle, edArtist, edAlbum, edYear, edComment,
// edLiedNr, edGenre).
struct ID3TagTexts {
    std::wstring title;
    std::wstring artist;
    std::wstring album;
    std::wstring year;
    std::wstring comment;
    std::wstring track;
    std::wstring genre;
};

enum class ID3TagFileResult {
    Done,
    CannotOpen,  // "No podía abrir el fichero."
    NoTag,       // "Este fichero no contiene ninguna válida MP3-TAG información."
    CannotWrite, // "No podía escribir el fichero."
};

// FillID3TagInformation's file work: texts is set only when the result is Done.
ID3TagFileResult ReadID3TagFile(const std::wstring& fileName, ID3TagTexts& texts);

// ChangeID3Tag's file work. The file must exist and open for reading and
// writing; a failed append is taken back so that the file keeps its length.
ID3TagFileResult WriteID3TagFile(const std::wstring& fileName, const ID3TagTexts& texts);

// The message box text for a result other than Done.
const wchar_t* ID3TagFileMessage(ID3TagFileResult result);

// edCommentChange: what trackinfo shows for the comment text (empty when the
// comment leaves room for a track number).
std::wstring TrackInfoText(const std::wstring& comment);

// The tag's single-byte text and back, in the system's ANSI code page.
std::string ToTagText(const std::wstring& text);
std::wstring FromTagText(const std::string& text);
