#include "support/MemoryByteFile.h"
#include "jobs/ReadAhead.h"
#include "jobs/WriteBehind.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using testsupport::MemoryByteFile;

namespace {

std::vector<uint8_t> Counting(size_t n) {
    std::vector<uint8_t> b(n);
    std::iota(b.begin(), b.end(), uint8_t{0});
    return b;
}

const size_t kPieces[] = {1, 63, 64, 65, 200, 7, 600};

// Pieces smaller than, equal to and larger than the reader's, in one sequence,
// from the file's position and no further than the length given.
TEST(ReadAhead, GivesTheFileInOrderWhateverThePieces) {
    const std::vector<uint8_t> content = Counting(1040);
    MemoryByteFile file(content);
    file.Seek(40);
    {
        ReadAhead reader(file, 64, 1000);
        std::vector<uint8_t> got;
        for (size_t piece : kPieces) {
            std::vector<uint8_t> part(piece);
            reader.ReadExact(part.data(), piece);
            got.insert(got.end(), part.begin(), part.end());
        }
        EXPECT_EQ(got, std::vector<uint8_t>(content.begin() + 40, content.end()));
    }
    EXPECT_EQ(file.Position(), 1040);
}

// The file ends first, or the length does.
TEST(ReadAhead, ShortFileIsAReadError) {
    for (int64_t length : {200, 90}) {
        MemoryByteFile file(Counting(100));
        ReadAhead reader(file, 64, length);
        std::vector<uint8_t> part(90);
        reader.ReadExact(part.data(), 90);
        EXPECT_THROW(reader.ReadExact(part.data(), 20), core::FileReadError) << length;
        EXPECT_THROW(reader.ReadExact(part.data(), 1), core::FileReadError) << length;
    }
}

// Pieces smaller than, equal to and larger than the writer's, in one sequence;
// then what is held when the writer goes away without a Flush.
TEST(WriteBehind, AppendsEverythingInOrder) {
    const std::vector<uint8_t> content = Counting(1000);
    for (const bool flushed : {true, false}) {
        MemoryByteFile file;
        {
            WriteBehind writer(file, 64);
            size_t at = 0;
            for (size_t piece : kPieces) {
                writer.Write(content.data() + at, piece);
                at += piece;
            }
            if (flushed) {
                writer.Flush();
                EXPECT_EQ(file.Bytes(), content);
            }
        }
        EXPECT_EQ(file.Bytes(), content) << flushed;
    }
}

// A full medium, met by the last piece or by one with more to follow: the
// refusal comes out of a later Write or Flush, and nothing follows it.
TEST(WriteBehind, RefusedDataIsAWriteError) {
    const std::vector<uint8_t> content = Counting(200);
    for (size_t count : {60u, 200u}) {
        MemoryByteFile file;
        file.LimitSize(50);
        {
            WriteBehind writer(file, 64);
            EXPECT_THROW(
                {
                    writer.Write(content.data(), count);
                    writer.Flush();
                },
                core::FileWriteError)
                << count;
            EXPECT_THROW(writer.Write(content.data(), 65), core::FileWriteError) << count;
        }
        EXPECT_TRUE(file.Bytes().empty()) << count;
    }
}

} // namespace
