#pragma once
// The ID3 version 1.1 tag: the last 128 bytes of an MP3 file. Texts are the
// single bytes of the system's code page, so every field limit counts bytes.
#include "ByteFile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace core {

constexpr size_t kID3TagSize = 128;
constexpr size_t kID3GenreCount = 148;
// A comment this long or shorter leaves bytes 125 and 126 to the track number.
constexpr size_t kID3CommentWithTrack = 28;

extern const char* const ID3Genres[kID3GenreCount];

using ID3TagBytes = std::array<uint8_t, kID3TagSize>;

// The tag editor's seven edit texts, in the tag's single-byte text.
struct ID3TagFields {
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string comment;
    std::string track;
    std::string genre;
};

// The 128 bytes for the texts. A text longer than its field is cut to it. The
// track goes into byte 126 only when the comment leaves room for it and the
// track text is an integer from 0 to 255. A genre text that is an integer gives
// its lowest 8 bits; otherwise the index of the name equal to it (letter case
// counts), or 255.
ID3TagBytes BuildID3Tag(const ID3TagFields& fields);

// The texts of a tag: each field up to its first zero byte, blanks kept; the
// genre as its name below 148 and as a decimal number otherwise; the track only
// when byte 125 is zero and byte 126 is not.
ID3TagFields ParseID3Tag(const ID3TagBytes& tag);

// Whether a comment of this many bytes pushes out the track number.
bool CommentHidesTrack(size_t commentBytes);

// Reads the last 128 bytes of a file. False when the file is shorter than that,
// a read fails, or the bytes do not begin with "TAG".
bool ReadID3Tag(ByteFile& file, ID3TagBytes& tag);

// Writes tag over the file's last 128 bytes when they hold a tag, and behind its
// end otherwise. False when any read, seek or write it needed failed.
bool WriteID3Tag(ByteFile& file, const ID3TagBytes& tag);

} // namespace core
