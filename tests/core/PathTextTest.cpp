#include "core/PathText.h"

#include <gtest/gtest.h>

namespace {

TEST(PathText, FileNamePartFollowsTheLastBackslashOrDriveColon) {
    EXPECT_EQ(core::FileNamePart(L"D:\\Musik\\Lied.mp3"), L"Lied.mp3");
    EXPECT_EQ(core::FileNamePart(L"D:Lied.mp3"), L"Lied.mp3");
    EXPECT_EQ(core::FileNamePart(L"Lied"), L"Lied");
    EXPECT_EQ(core::FileNamePart(L"C:\\"), L"");
}

// The converter keeps a typed "/" in the name; Install.log names may use it
// between folders.
TEST(PathText, OnlyInstallPathsSplitAtAForwardSlash) {
    EXPECT_EQ(core::FileNamePart(L"D:\\Musik/Lied.mp3"), L"Musik/Lied.mp3");
    EXPECT_EQ(core::DirectoryPart(std::string("C:\\Veltra\\sub/setup.exe")), "C:\\Veltra\\sub/");
    EXPECT_EQ(core::DirectoryPart(std::wstring(L"C:\\Veltra\\sub/setup.exe")), L"C:\\Veltra\\sub/");
}

struct PathCase {
    std::string input, directory, withBackslash, withoutBackslash;
};

TEST(PathText, SplitAndBackslashRules) {
    const PathCase cases[] = {
        {"C:\\Program Files\\Veltra\\setup.exe", "C:\\Program Files\\Veltra\\",
         "C:\\Program Files\\Veltra\\setup.exe\\", "C:\\Program Files\\Veltra\\setup.exe"},
        {"C:\\Veltra\\", "C:\\Veltra\\", "C:\\Veltra\\", "C:\\Veltra"},
        {"D:setup.exe", "D:", "D:setup.exe\\", "D:setup.exe"},
        {"setup.exe", "", "setup.exe\\", "setup.exe"},
        {"", "", "\\", ""},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(core::DirectoryPart(c.input), c.directory) << c.input;
        EXPECT_EQ(core::WithBackslash(c.input), c.withBackslash) << c.input;
        EXPECT_EQ(core::WithBackslash(std::wstring(c.input.begin(), c.input.end())),
                  std::wstring(c.withBackslash.begin(), c.withBackslash.end()))
            << c.input;
        EXPECT_EQ(core::WithoutBackslash(c.input), c.withoutBackslash) << c.input;
    }
    EXPECT_EQ(core::DriveRoot("E:\\Programme\\Veltra\\"), "E:\\");
}

} // namespace
