#include "ID3Tag.h"

#include "TextNumbers.h"

#include <algorithm>
#include <cstring>

namespace core {

const char* const ID3Genres[kID3GenreCount] = {
    "Blues",
    "Classic Rock",
    "Country",
    "Dance",
    "Disco",
    "Funk",
    "Grunge",
    "Hip-Hop",
    "Jazz",
    "Metal",
    "New Age",
    "Oldies",
    "Other",
    "Pop",
    "R&B",
    "Rap",
    "Reggae",
    "Rock",
    "Techno",
    "Industrial",
    "Alternative",
    "Ska",
    "Death Metal",
    "Pranks",
    "Soundtrack",
    "Euro-Techno",
    "Ambient",
    "Trip-Hop",
    "Vocal",
    "Jazz+Funk",
    "Fusion",
    "Trance",
    "Classical",
    "Instrumental",
    "Acid",
    "House",
    "Game",
    "Sound Clip",
    "Gospel",
    "Noise",
    "AlternRock",
    "Bass",
    "Soul",
    "Punk",
    "Space",
    "Meditative",
    "Instrumental Pop",
    "Instrumental Rock",
    "Ethnic",
    "Gothic",
    "Darkwave",
    "Techno-Industrial",
    "Electronic",
    "Pop-Folk",
    "Eurodance",
    "Dream",
    "Southern Rock",
    "Comedy",
    "Cult",
    "Gangsta",
    "Top 40",
    "Christian Rap",
    "Pop/Funk",
    "Jungle",
    "Native American",
    "Cabaret",
    "New Wave",
    "Psychadelic",
    "Rave",
    "Showtunes",
    "Trailer",
    "Lo-Fi",
    "Tribal",
    "Acid Punk",
    "Acid Jazz",
    "Polka",
    "Retro",
    "Musical",
    "Rock & Roll",
    "Hard Rock",
    "Folk",
    "Folk-Rock",
    "National Folk",
    "Swing",
    "Fast Fusion",
    "Bebob",
    "Latin",
    "Revival",
    "Celtic",
    "Bluegrass",
    "Avantgarde",
    "Gothic Rock",
    "Progressive Rock",
    "Psychedelic Rock",
    "Symphonic Rock",
    "Slow Rock",
    "Big Band",
    "Chorus",
    "Easy Listening",
    "Acoustic",
    "Humour",
    "Speech",
    "Chanson",
    "Opera",
    "Chamber Music",
    "Sonata",
    "Symphony",
    "Booty Bass",
    "Primus",
    "Porn Groove",
    "Satire",
    "Slow Jam",
    "Club",
    "Tango",
    "Samba",
    "Folklore",
    "Ballad",
    "Power Ballad",
    "Rhythmic Soul",
    "Freestyle",
    "Duet",
    "Punk Rock",
    "Drum Solo",
    "Acapella",
    "Euro-House",
    "Dance Hall",
    "Goa",
    "Drum & Bass",
    "Club-House",
    "Hardcore",
    "Terror",
    "Indie",
    "BritPop",
    "Negerpunk",
    "Polsk Punk",
    "Beat",
    "Christian Gangsta Rap",
    "Heavy Metal",
    "Black Metal",
    "Crossover",
    "Contemporary Christian",
    "Christian Rock",
    "Merengue",
    "Salsa",
    "Trash Metal",
    "Anime",
    "Jpop",
    "Synthpop",
};

namespace {

struct TextField {
    size_t offset;
    size_t width;
};

constexpr char kTagId[] = {'T', 'A', 'G'};
constexpr TextField kTitle{3, 30};
constexpr TextField kArtist{33, 30};
constexpr TextField kAlbum{63, 30};
constexpr TextField kYear{93, 4};
constexpr TextField kComment{97, 30};
constexpr size_t kTrackMarker = 125; // zero when a track number follows
constexpr size_t kTrack = 126;
constexpr size_t kGenre = 127;
constexpr uint8_t kUnknownGenre = 255;
constexpr int32_t kHighestTrack = 255;

void PutText(ID3TagBytes& tag, TextField field, const std::string& text) {
    std::memcpy(tag.data() + field.offset, text.data(), std::min(text.size(), field.width));
}

std::string GetText(const ID3TagBytes& tag, TextField field) {
    const char* start = reinterpret_cast<const char*>(tag.data() + field.offset);
    return std::string(start, std::find(start, start + field.width, '\0'));
}

uint8_t GenreByte(const std::string& text) {
    if (auto number = ParseInteger(text)) {
        return static_cast<uint8_t>(*number & 0xFF);
    }
    for (size_t index = 0; index < kID3GenreCount; ++index) {
        if (text == ID3Genres[index]) {
            return static_cast<uint8_t>(index);
        }
    }
    return kUnknownGenre;
}

} // namespace

ID3TagBytes BuildID3Tag(const ID3TagFields& fields) {
    ID3TagBytes tag{};
    std::memcpy(tag.data(), kTagId, sizeof kTagId);
    PutText(tag, kTitle, fields.title);
    PutText(tag, kArtist, fields.artist);
    PutText(tag, kAlbum, fields.album);
    PutText(tag, kYear, fields.year);
    PutText(tag, kComment, fields.comment);
    if (!CommentHidesTrack(fields.comment.size())) {
        auto track = ParseInteger(fields.track);
        if (track && *track >= 0 && *track <= kHighestTrack) {
            tag[kTrack] = static_cast<uint8_t>(*track);
        }
    }
    tag[kGenre] = GenreByte(fields.genre);
    return tag;
}

ID3TagFields ParseID3Tag(const ID3TagBytes& tag) {
    ID3TagFields fields;
    fields.title = GetText(tag, kTitle);
    fields.artist = GetText(tag, kArtist);
    fields.album = GetText(tag, kAlbum);
    fields.year = GetText(tag, kYear);
    fields.comment = GetText(tag, kComment);
    if (tag[kTrackMarker] == 0 && tag[kTrack] != 0) {
        fields.track = std::to_string(tag[kTrack]);
    }
    uint8_t genre = tag[kGenre];
    fields.genre = genre < kID3GenreCount ? ID3Genres[genre] : std::to_string(genre);
    return fields;
}

bool CommentHidesTrack(size_t commentBytes) { return commentBytes > kID3CommentWithTrack; }

namespace {

// True when the bytes begin with "TAG".
bool IsID3Tag(const ID3TagBytes& tag) { return std::memcmp(tag.data(), kTagId, sizeof kTagId) == 0; }

// Position of the last 128 bytes and whether they hold a tag; -1 when a read failed.
int64_t LocateTag(ByteFile& file, ID3TagBytes& tag, bool& found) {
    found = false;
    int64_t size = file.Size();
    if (size < 0) {
        return -1;
    }
    int64_t start = size - static_cast<int64_t>(kID3TagSize);
    if (start < 0) {
        return size;
    }
    if (!file.Seek(start) || file.Read(tag.data(), tag.size()) != tag.size()) {
        return -1;
    }
    found = IsID3Tag(tag);
    return found ? start : size;
}

} // namespace

bool ReadID3Tag(ByteFile& file, ID3TagBytes& tag) {
    bool found = false;
    return LocateTag(file, tag, found) >= 0 && found;
}

bool WriteID3Tag(ByteFile& file, const ID3TagBytes& tag) {
    ID3TagBytes old{};
    bool found = false;
    int64_t position = LocateTag(file, old, found);
    return position >= 0 && file.Seek(position) && file.Write(tag.data(), tag.size());
}

} // namespace core
