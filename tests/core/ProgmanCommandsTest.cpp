#include "core/ProgmanCommands.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgmanCommands, CreateGroupNamesTheGroupFileInTheTarget) {
    EXPECT_EQ(core::CreateGroupCommand("VELTRA Audio", "C:\\Program Files\\Veltra\\", "veltra.grp"),
              "[CreateGroup(\"VELTRA Audio\",\"C:\\Program Files\\Veltra\\veltra.grp\")]");
}

TEST(ProgmanCommands, AddItemRunsTheInstalledFile) {
    EXPECT_EQ(core::AddItemCommand("C:\\Program Files\\Veltra\\", "converter.exe", "Convertidor MP3"),
              "[ADDITEM(\"C:\\Program Files\\Veltra\\converter.exe\",\"Convertidor MP3\")]");
}

TEST(ProgmanCommands, DeleteGroup) {
    EXPECT_EQ(core::DeleteGroupCommand("VELTRA Audio"), "[DeleteGroup(\"VELTRA Audio\")]");
}

TEST(ProgmanCommands, OnlyTheExactMarkerSkipsTheItem) {
    EXPECT_FALSE(core::WantsItem("NEIN!"));
    EXPECT_TRUE(core::WantsItem("nein!"));
    EXPECT_TRUE(core::WantsItem("NEIN! "));
    EXPECT_TRUE(core::WantsItem("NEIN"));
    EXPECT_TRUE(core::WantsItem(""));
}

} // namespace
