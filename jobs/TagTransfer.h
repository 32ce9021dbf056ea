#pragma once
// The tag texts that a conversion carries from its source to its result: an
// MP3's ID3 v1 tag, a WAV's "INFO" list.
#include "core/ByteFile.h"
#include "core/ID3Tag.h"
#include "core/WavDestination.h"
#include "core/WavFile.h"

#include <optional>

// The texts of the MP3's ID3 v1 tag, none without one; the position is kept.
std::optional<core::ID3TagFields> ReadMp3TagFields(core::ByteFile& mp3);

// Writes the texts as an "INFO" list behind the sound of a finished
// conversion; nothing when there are none or none to write.
void AppendInfoList(core::WavDestination& wav, const std::optional<core::ID3TagFields>& fields);

// Appends an ID3 v1.1 tag, built by the tag editor's rules, to finished MPEG
// audio; nothing when there are no texts.
void AppendID3Tag(core::ByteFile& mp3, const std::optional<core::ID3TagFields>& fields);

// Copies the WAV source's "INFO" list behind the sound of a finished conversion.
void KeepInfoList(core::ByteFile& source, const core::WavHeaderInfo& info, core::WavDestination& wav);
