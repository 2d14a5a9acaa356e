#include "count/book_count.h"

#include <gtest/gtest.h>

#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::Cp932;
using testing::MakeFolder;
using testing::ScriptedUi;
using testing::TempFolder;
using testing::WriteBytes;

// Files of every kind a book holds, counted as the builds read them: Shift_JIS, rich text,
// notation, a list and a template that are no text of the book.
TEST(BookCount, CountsEveryTextFileAsTheBuildsReadIt) {
    TempFolder dir;
    const std::string root = dir / "本";
    MakeFolder(root + "/章");
    WriteBytes(root + "/序.txt", Cp932("表の話。\r\n\r\n"));
    WriteBytes(root + "/章/一.txt", "｜東京《とうきょう》へ行く。\n" + std::string(21, 'a'));
    WriteBytes(root + "/章/二.txt",
               "{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\'82\\'a2\\par \\'82\\'a4\\par}");
    WriteBytes(root + "/menu.lst", "数えない\r\n");
    WriteBytes(root + "/header.htx", "数えない\r\n");
    ScriptedUi ui;
    const BookCount count = CountBook(ui, SiteBook{root, dir.path()}, 20);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0];
    ASSERT_EQ(count.files.size(), 3u);
    EXPECT_EQ(count.files[0].path, "序.txt");
    EXPECT_EQ(count.files[0].length.characters, 4u);
    EXPECT_EQ(count.files[0].length.grid_lines, 2u);
    EXPECT_EQ(count.files[1].path, "章/一.txt");
    EXPECT_EQ(count.files[1].length.characters, 6u + 21u);
    EXPECT_EQ(count.files[1].length.grid_lines, 3u);
    EXPECT_EQ(count.files[2].path, "章/二.txt");
    EXPECT_EQ(count.files[2].length.characters, 3u);
    ASSERT_EQ(count.folders.size(), 1u);
    EXPECT_EQ(count.folders[0].path, "章/");
    EXPECT_EQ(count.folders[0].length.characters, 30u);
    EXPECT_EQ(count.total.characters, 34u);
    ASSERT_EQ(count.in_tree_order.size(), 4u);
    EXPECT_EQ(count.in_tree_order[1].path, "章/");
    EXPECT_EQ(count.in_tree_order[1].length.characters, 30u);
    EXPECT_EQ(count.in_tree_order[2].path, "章/一.txt");
    EXPECT_EQ(count.total.grid_lines, 2u + 3u + count.files[2].length.grid_lines);
}

TEST(BookCount, SheetsAreTenthsRoundedAndSheetsBegunForAPrize) {
    EXPECT_EQ(SheetsText(0, 20), "0.0");
    EXPECT_EQ(SheetsText(1, 20), "0.1");  // 0.05 rounds up
    EXPECT_EQ(SheetsText(246, 20), "12.3");
    EXPECT_EQ(SheetsText(20, 20), "1.0");
    EXPECT_EQ(SheetsText(45, 30), "1.5");
    EXPECT_EQ(SheetsBegun(0, 20), 0u);
    EXPECT_EQ(SheetsBegun(2461, 20), 124u);
    EXPECT_EQ(SheetsBegun(2460, 20), 123u);
}

TEST(CountSettings, ValuesAreCheckedAndTheDayStartsAtItsFirstSave) {
    EXPECT_EQ(ParseGrid("40x30")->cells, 40);
    for (const char* refused : {"9x20", "61x20", "20", "x20", "20x", "20x20x1", "-20x20", ""}) {
        EXPECT_FALSE(ParseGrid(refused)) << refused;
    }
    GoalUnit unit = GoalUnit::kNone;
    uint64_t goal = 0;
    EXPECT_TRUE(ParseGoal("100枚", unit, goal));
    EXPECT_EQ(unit, GoalUnit::kSheets);
    EXPECT_EQ(goal, 100u);
    EXPECT_FALSE(ParseGoal("0字", unit, goal));
    EXPECT_FALSE(ParseGoal("100", unit, goal));
    EXPECT_FALSE(ParseGoal("十字", unit, goal));
    EXPECT_TRUE(IsDeadline("2028-02-29"));
    EXPECT_FALSE(IsDeadline("2027-02-29"));
    EXPECT_FALSE(IsDeadline("2027-13-01"));

    CountSettings settings;
    EXPECT_TRUE(NoteSaveOfTheDay(settings, "2026-12-09", 1000));
    EXPECT_FALSE(NoteSaveOfTheDay(settings, "2026-12-09", 1500));
    EXPECT_EQ(WrittenOnTheDay(settings, "2026-12-09", 1800), 800);
    EXPECT_EQ(WrittenOnTheDay(settings, "2026-12-09", 900), -100);
    EXPECT_EQ(WrittenOnTheDay(settings, "2026-12-10", 1800), 0);

    // Kept across restarts, in a file of its own.
    TempFolder book;
    ScriptedUi ui;
    settings.goal_unit = GoalUnit::kCharacters;
    settings.goal = 80000;
    ASSERT_TRUE(SaveCountSettings(ui, book.path(), settings));
    EXPECT_EQ(LoadCountSettings(ui, book.path()), settings);
    EXPECT_EQ(GoalProgressText(settings, {41000, 0}, "2026-12-09"),
              "目標 80000字、現在 41000字（51%）、今日 +40000字");
}

}  // namespace
}  // namespace folix
