#include "core/SequentialIO.h"
#include "core/MemoryByteFile.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using core::MemoryByteFile;

namespace {

std::vector<uint8_t> Counting(size_t n) {
    std::vector<uint8_t> b(n);
    std::iota(b.begin(), b.end(), uint8_t{0});
    return b;
}

// Pieces smaller than, equal to and larger than the buffer, in one sequence.
TEST(SequentialReader, GivesTheFileInOrderWhateverThePieces) {
    const std::vector<uint8_t> content = Counting(1000);
    MemoryByteFile file(content);
    core::SequentialReader reader(file, 64);
    std::vector<uint8_t> got;
    for (size_t piece : {1u, 63u, 64u, 65u, 200u, 7u, 600u}) {
        std::vector<uint8_t> part(piece);
        reader.ReadExact(part.data(), piece);
        got.insert(got.end(), part.begin(), part.end());
    }
    EXPECT_EQ(got, content);
}

TEST(SequentialReader, StartsAtTheFilePosition) {
    MemoryByteFile file(Counting(100));
    file.Seek(40);
    core::SequentialReader reader(file, 16);
    uint8_t b[3];
    reader.ReadExact(b, 3);
    EXPECT_EQ(b[0], 40);
    EXPECT_EQ(b[2], 42);
}

TEST(SequentialReader, ShortFileIsAReadError) {
    MemoryByteFile file(Counting(100));
    core::SequentialReader reader(file, 64);
    std::vector<uint8_t> part(90);
    reader.ReadExact(part.data(), 90);
    EXPECT_THROW(reader.ReadExact(part.data(), 20), core::FileReadError);
    MemoryByteFile small(Counting(10));
    core::SequentialReader direct(small, 8);
    EXPECT_THROW(direct.ReadExact(part.data(), 20), core::FileReadError);
}

TEST(SequentialWriter, AppendsEverythingInOrder) {
    MemoryByteFile file;
    const std::vector<uint8_t> content = Counting(1000);
    {
        core::SequentialWriter writer(file, 64);
        size_t at = 0;
        for (size_t piece : {1u, 63u, 64u, 65u, 200u, 7u, 600u}) {
            writer.Write(content.data() + at, piece);
            at += piece;
        }
        writer.Flush();
    }
    EXPECT_EQ(file.Bytes(), content);
}

TEST(SequentialWriter, HeldDataIsWrittenWhenItGoesAway) {
    MemoryByteFile file;
    {
        core::SequentialWriter writer(file, 64);
        const std::vector<uint8_t> content = Counting(10);
        writer.Write(content.data(), content.size());
        EXPECT_TRUE(file.Bytes().empty());
    }
    EXPECT_EQ(file.Bytes().size(), 10u);
}

// A full medium.
TEST(SequentialWriter, RefusedDataIsAWriteError) {
    MemoryByteFile file;
    file.LimitSize(100);
    core::SequentialWriter writer(file, 64);
    const std::vector<uint8_t> content = Counting(200);
    writer.Write(content.data(), 60);
    writer.Write(content.data(), 60);
    EXPECT_THROW(writer.Write(content.data(), 60), core::FileWriteError);
    EXPECT_EQ(file.Bytes().size(), 60u);
    EXPECT_THROW(writer.Write(content.data(), 150), core::FileWriteError);
}

} // namespace
