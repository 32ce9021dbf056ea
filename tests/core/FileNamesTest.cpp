#include "core/FileNames.h"

#include <gtest/gtest.h>

namespace {

struct ExtensionCase {
    const wchar_t* name;
    const wchar_t* fileName;
    const wchar_t* extension;
    const wchar_t* asWav;
};

const ExtensionCase kExtensionCases[] = {
    {L"C:\\Musik\\Lied.MP3", L"Lied.MP3", L".MP3", L"C:\\Musik\\Lied.wav"},
    {L"C:\\Alben.2001\\track", L"track", L"", L"C:\\Alben.2001\\track.wav"},
    {L"a.b\\c", L"c", L"", L"a.b\\c.wav"},
    {L"D:Lied.x.mp3", L"Lied.x.mp3", L".mp3", L"D:Lied.x.wav"},
    {L"D:.mp3", L".mp3", L".mp3", L"D:.wav"},
    {L"Lied.", L"Lied.", L".", L"Lied.wav"},
    {L"Lied", L"Lied", L"", L"Lied.wav"},
    {L"C:\\Musik\\", L"", L"", L"C:\\Musik\\.wav"},
    {L"", L"", L"", L".wav"},
};

TEST(FileNames, SplitsAtLastBackslashOrDriveColon) {
    for (const auto& c : kExtensionCases) {
        SCOPED_TRACE(testing::Message() << "name " << testing::PrintToString(std::wstring(c.name)));
        EXPECT_EQ(core::FileNamePart(c.name), c.fileName);
        EXPECT_EQ(core::ExtensionOf(c.name), c.extension);
        EXPECT_EQ(core::ReplaceExtension(c.name, L".wav"), c.asWav);
    }
}

} // namespace
