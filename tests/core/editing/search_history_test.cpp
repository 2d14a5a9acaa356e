#include "editing/search_history.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/control_file_header.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::Cp932;
using testing::Exists;
using testing::kControlFileHeader;
using testing::ReadBytes;
using testing::ScriptedUi;
using testing::TempFolder;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

TEST(SearchHistory, ReusedEntryMovesToTheTopAndOnlyTwentyAreKept) {
    Lines entries;
    for (int i = 0; i < 22; ++i) {
        PushHistory(entries, "e" + std::to_string(i));
    }
    PushHistory(entries, "e3");
    PushHistory(entries, "E3");
    ASSERT_EQ(entries.size(), 23u);
    EXPECT_EQ(entries[0], "E3");
    EXPECT_EQ(entries[1], "e3");
    EXPECT_EQ(entries[2], "e21");
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "e3"), 1);
    Lines kept = ReadHistory(entries);
    ASSERT_EQ(kept.size(), 20u);
    EXPECT_EQ(kept.back(), "e4");
}

TEST(SearchHistory, StoredListReadsBackAndAMissingFileStartsEmpty) {
    TempFolder dir;
    ScriptedUi ui;
    Lines list{"stale"};
    EXPECT_TRUE(LoadHistory(ui, dir.path(), HistoryKind::kReplace, list));
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(ReadBytes(dir / "replace.flc"), "");  // created on first read

    ASSERT_TRUE(StoreHistory(ui, dir.path(), HistoryKind::kFind, {"猫", "cat", ""}));
    EXPECT_EQ(ReadBytes(dir / "find.flc"), kControlFileHeader + "猫\r\ncat\r\n\r\n");
    EXPECT_TRUE(LoadHistory(ui, dir.path(), HistoryKind::kFind, list));
    EXPECT_EQ(list, (Lines{"猫", "cat", ""}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(SearchHistory, DamagedFileGivesAnEmptyHistoryAndIsNeverOverwritten) {
    TempFolder dir;
    ScriptedUi ui;
    WriteBytes(dir / "find.flc", "my notes\r\n猫\r\n");
    Lines list;
    EXPECT_FALSE(LoadHistory(ui, dir.path(), HistoryKind::kFind, list));
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(StoreHistory(ui, dir.path(), HistoryKind::kFind, {"犬"}));
    EXPECT_EQ(ReadBytes(dir / "find.flc"), "my notes\r\n猫\r\n");
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[1].find("の内容が不正です。"), std::string::npos);
}

TEST(SearchHistory, ShiftJisFileStaysShiftJisAndMultiLineEntriesAreLeftOut) {
    TempFolder dir;
    ScriptedUi ui;
    WriteBytes(dir / "find.flc", Cp932(kControlFileHeader + "表\r\n"));
    ASSERT_TRUE(StoreHistory(ui, dir.path(), HistoryKind::kFind, {"二行\r\nの文", "ソ"}));
    EXPECT_EQ(ReadBytes(dir / "find.flc"), Cp932(kControlFileHeader + "ソ\r\n"));
    EXPECT_FALSE(Exists(dir / "replace.flc"));
}

}  // namespace
}  // namespace folix
