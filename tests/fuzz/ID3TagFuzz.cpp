// Fuzz target for the ID3 v1.1 tag: the texts parsed from any 128 bytes must
// survive being built into a tag and parsed again, and writing a tag into a
// file must put it where reading finds it, over an old tag or behind the end.
#include "FuzzSupport.h"

#include "core/ID3Tag.h"
#include "support/MemoryByteFile.h"

#include <cstring>

namespace {

bool SameFields(const core::ID3TagFields& a, const core::ID3TagFields& b) {
    return a.title == b.title && a.artist == b.artist && a.album == b.album && a.year == b.year &&
           a.comment == b.comment && a.track == b.track && a.genre == b.genre;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    core::ID3TagBytes tag{};
    std::memcpy(tag.data(), data, std::min(size, tag.size()));
    const core::ID3TagFields fields = core::ParseID3Tag(tag);
    const core::ID3TagBytes built = core::BuildID3Tag(fields);
    FUZZ_CHECK(std::memcmp(built.data(), "TAG", 3) == 0);
    FUZZ_CHECK(SameFields(core::ParseID3Tag(built), fields));

    const std::vector<uint8_t> before(data + std::min(size, tag.size()), data + size);
    testsupport::MemoryByteFile file(before);
    core::ID3TagBytes old{};
    const bool hadTag = core::ReadID3Tag(file, old);
    FUZZ_CHECK(core::WriteID3Tag(file, built));
    const size_t expectedSize = before.size() + (hadTag ? 0 : built.size());
    FUZZ_CHECK(file.Bytes().size() == expectedSize);
    FUZZ_CHECK(std::equal(before.begin(), before.begin() + static_cast<std::ptrdiff_t>(expectedSize - built.size()),
                          file.Bytes().begin()));
    core::ID3TagBytes readBack{};
    FUZZ_CHECK(core::ReadID3Tag(file, readBack) && readBack == built);
    return 0;
}
