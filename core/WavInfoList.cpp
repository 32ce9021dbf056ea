#include "WavInfoList.h"

#include "LittleEndian.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace core {
namespace {

constexpr size_t kItemHeaderSize = 8;
constexpr size_t kCopyPieceSize = 64 * 1024;
// Items beyond this many bytes of a list are not looked at: tag texts are short.
constexpr int64_t kInfoReadLimit = 64 * 1024;

struct InfoItem {
    char id[5];
    std::string ID3TagFields::*field;
};

const InfoItem kItems[] = {
    {"INAM", &ID3TagFields::title}, {"IART", &ID3TagFields::artist},  {"IPRD", &ID3TagFields::album},
    {"ICRD", &ID3TagFields::year},  {"ICMT", &ID3TagFields::comment}, {"IGNR", &ID3TagFields::genre},
    {"ITRK", &ID3TagFields::track},
};

bool IsGenreName(const std::string& text) {
    return std::any_of(std::begin(ID3Genres), std::end(ID3Genres), [&](const char* name) { return text == name; });
}

void PutHeader(std::vector<uint8_t>& out, const char* id, size_t size) {
    out.insert(out.end(), id, id + 4);
    uint8_t bytes[4];
    PutLe32(bytes, static_cast<uint32_t>(size));
    out.insert(out.end(), bytes, bytes + sizeof bytes);
}

void Write(ByteFile& file, const void* data, size_t count) {
    if (!file.Write(data, count)) {
        throw FileWriteError("INFO list");
    }
}

} // namespace

std::vector<uint8_t> BuildWavInfoList(const ID3TagFields& fields) {
    std::vector<uint8_t> items;
    for (const InfoItem& item : kItems) {
        const std::string& text = fields.*item.field;
        if (text.empty() || (item.field == &ID3TagFields::genre && !IsGenreName(text))) {
            continue;
        }
        PutHeader(items, item.id, text.size() + 1);
        items.insert(items.end(), text.begin(), text.end());
        items.push_back(0);
        if (items.size() % 2 != 0) {
            items.push_back(0);
        }
    }
    if (items.empty()) {
        return items;
    }
    std::vector<uint8_t> chunk;
    PutHeader(chunk, "LIST", items.size() + 4);
    chunk.insert(chunk.end(), {'I', 'N', 'F', 'O'});
    chunk.insert(chunk.end(), items.begin(), items.end());
    return chunk;
}

std::optional<ID3TagFields> ReadWavInfoList(ByteFile& file, const WavHeaderInfo& info) {
    if (info.infoOffset == 0) {
        return std::nullopt;
    }
    std::vector<uint8_t> items(static_cast<size_t>(std::min(info.infoLength, kInfoReadLimit)));
    SeekOrThrow(file, info.infoOffset);
    ReadExact(file, items.data(), items.size());
    ID3TagFields fields;
    bool any = false;
    for (size_t at = 0; items.size() - at >= kItemHeaderSize;) {
        const uint8_t* header = items.data() + at;
        const size_t size = GetLe32(header + 4);
        const size_t bodyStart = at + kItemHeaderSize;
        const size_t bodyEnd = bodyStart + std::min(size, items.size() - bodyStart);
        for (const InfoItem& item : kItems) {
            if (std::memcmp(header, item.id, 4) == 0) {
                const auto* body = reinterpret_cast<const char*>(items.data());
                fields.*item.field = std::string(body + bodyStart, std::find(body + bodyStart, body + bodyEnd, '\0'));
                any = true;
            }
        }
        at = bodyEnd + (size % 2);
        at = std::min(at, items.size());
    }
    fields.track = fields.track.substr(0, fields.track.find('/'));
    return any ? std::optional<ID3TagFields>(fields) : std::nullopt;
}

void CopyWavInfoList(ByteFile& source, const WavHeaderInfo& info, ByteFile& destination) {
    if (info.infoOffset == 0) {
        return;
    }
    std::vector<uint8_t> chunk;
    PutHeader(chunk, "LIST", static_cast<size_t>(info.infoLength) + 4);
    chunk.insert(chunk.end(), {'I', 'N', 'F', 'O'});
    Write(destination, chunk.data(), chunk.size());
    SeekOrThrow(source, info.infoOffset);
    std::vector<uint8_t> piece(kCopyPieceSize);
    for (int64_t left = info.infoLength; left > 0;) {
        const size_t n = static_cast<size_t>(std::min<int64_t>(left, kCopyPieceSize));
        ReadExact(source, piece.data(), n);
        Write(destination, piece.data(), n);
        left -= static_cast<int64_t>(n);
    }
    const uint8_t pad = 0;
    if (info.infoLength % 2 != 0) {
        Write(destination, &pad, sizeof pad);
    }
}

} // namespace core
