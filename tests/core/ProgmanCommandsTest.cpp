#include "core/ProgmanCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

TEST(ProgmanCommands, AreTheExactTextsProgramManagerReads) {
    const std::pair<std::string, const char*> commands[] = {
        {core::CreateGroupCommand("VELTRA Audio", "C:\\Program Files\\Veltra\\", "veltra.grp"),
         "[CreateGroup(\"VELTRA Audio\",\"C:\\Program Files\\Veltra\\veltra.grp\")]"},
        {core::AddItemCommand("C:\\Program Files\\Veltra\\", "converter.exe", "Convertidor MP3"),
         "[ADDITEM(\"C:\\Program Files\\Veltra\\converter.exe\",\"Convertidor MP3\")]"},
        {core::DeleteGroupCommand("VELTRA Audio"), "[DeleteGroup(\"VELTRA Audio\")]"},
    };
    for (const auto& [built, expected] : commands) {
        EXPECT_EQ(built, expected);
    }
}

TEST(ProgmanCommands, OnlyTheExactMarkerSkipsTheItem) {
    EXPECT_FALSE(core::WantsItem("NEIN!"));
    EXPECT_TRUE(core::WantsItem("nein!"));
    EXPECT_TRUE(core::WantsItem("NEIN! "));
    EXPECT_TRUE(core::WantsItem("NEIN"));
    EXPECT_TRUE(core::WantsItem(""));
}

} // namespace
