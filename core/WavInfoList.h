#pragma once
// The "LIST" chunk of type "INFO" of a WAV file, as far as it holds what an
// ID3 v1 tag holds: title INAM, artist IART, album IPRD, year ICRD, comment
// ICMT, genre IGNR and track ITRK. Item texts are single bytes (code page
// 1252), zero-ended, each item padded to an even length.
#include "ByteFile.h"
#include "ID3Tag.h"
#include "WavFile.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace core {

// The whole chunk, header included, of even length. Empty texts give no item,
// and a genre only when it is one of the tag's genre names. Empty when no
// item remains.
std::vector<uint8_t> BuildWavInfoList(const ID3TagFields& fields);

// The tag texts of the list's items (see ReadWAVHeader); a track such as
// "3/12" gives "3". None without a list or without any of the seven items.
// Throws FileReadError when a read the list needs fails.
std::optional<ID3TagFields> ReadWavInfoList(ByteFile& file, const WavHeaderInfo& info);

// Writes the source's list, every item as it stands, at the destination's
// position as a whole chunk; nothing without a list. Throws FileReadError or
// FileWriteError.
void CopyWavInfoList(ByteFile& source, const WavHeaderInfo& info, ByteFile& destination);

} // namespace core
