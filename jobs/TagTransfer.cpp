#include "TagTransfer.h"

#include "core/WavInfoList.h"

#include <vector>

std::optional<core::ID3TagFields> ReadMp3TagFields(core::ByteFile& mp3) {
    const int64_t position = mp3.Position();
    core::ID3TagBytes tag{};
    const bool found = core::ReadID3Tag(mp3, tag);
    core::SeekOrThrow(mp3, position);
    return found ? std::optional<core::ID3TagFields>(core::ParseID3Tag(tag)) : std::nullopt;
}

void AppendInfoList(core::WavDestination& wav, const std::optional<core::ID3TagFields>& fields) {
    if (!fields) {
        return;
    }
    const std::vector<uint8_t> list = core::BuildWavInfoList(*fields);
    if (list.empty()) {
        return;
    }
    wav.EndSound();
    if (!wav.Write(list.data(), list.size())) {
        throw core::FileWriteError("INFO list");
    }
}

void AppendID3Tag(core::ByteFile& mp3, const std::optional<core::ID3TagFields>& fields) {
    if (!fields) {
        return;
    }
    const core::ID3TagBytes tag = core::BuildID3Tag(*fields);
    if (!mp3.Seek(mp3.Size()) || !mp3.Write(tag.data(), tag.size())) {
        throw core::FileWriteError("ID3 tag");
    }
}

void KeepInfoList(core::ByteFile& source, const core::WavHeaderInfo& info, core::WavDestination& wav) {
    if (info.infoOffset == 0) {
        return;
    }
    wav.EndSound();
    core::CopyWavInfoList(source, info, wav);
}
