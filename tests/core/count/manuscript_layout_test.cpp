#include "count/manuscript_layout.h"

#include <gtest/gtest.h>

#include "count/book_count.h"
#include "count/manuscript_settings.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

using testing::Cp932;
using testing::MakeFolder;
using testing::ScriptedUi;
using testing::TempFolder;
using testing::WriteBytes;

// The manuscript is the count's grid: as many lines on every grid, each file from a new line,
// the paragraphs in the tree's order with their units placed, ruby taking no cell.
TEST(ManuscriptLayout, TheBookOnTheGridIsTheCountsLines) {
    TempFolder dir;
    const std::string root = dir / "本";
    MakeFolder(root + "/章");
    WriteBytes(root + "/序.txt", Cp932("表の話。\r\n\r\n"));
    WriteBytes(root + "/章/一.txt",
               "｜東京《とうきょう》へ行く。" + std::string(30, 'a') + "\n12月、「始」\n");
    WriteBytes(root + "/章/二.txt", "{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\par}");
    ScriptedUi ui;
    const SiteBook book{root, dir.path()};
    for (const int cells : {10, 20, 40}) {
        const GridManuscript set = SetBookOnGrid(ui, book, cells);
        const BookCount count = CountBook(ui, book, cells);
        EXPECT_EQ(set.lines, count.total.grid_lines) << cells;
        EXPECT_EQ(set.characters, count.total.characters) << cells;
    }
    const GridManuscript set = SetBookOnGrid(ui, book, 10);
    ASSERT_EQ(set.paragraphs.size(), 5u);
    EXPECT_EQ(set.paragraphs[0].line.text, U"表の話。");
    EXPECT_EQ(set.paragraphs[1].first_line, 1u);  // the empty paragraph takes its line
    EXPECT_EQ(set.paragraphs[2].first_line, 2u);  // the next file from a new line
    EXPECT_EQ(set.paragraphs[2].line.marks.size(), 1u);
    // 東京へ行く。 and 30 letters: 36 units on four lines of ten.
    EXPECT_EQ(set.paragraphs[2].places.back().line, 3);
    EXPECT_EQ(set.paragraphs[3].first_line, 6u);
    EXPECT_EQ(set.paragraphs[3].units.size(), 6u);  // 12 upright in one cell
    EXPECT_EQ(set.paragraphs[4].line.text, U"あ");
    EXPECT_EQ(set.lines, 8u);
}

// The window's choices and the file written last survive a save; a book without the file has
// the defaults, and values the dialog cannot give read as defaults.
TEST(ManuscriptLayout, SettingsAreKeptInTheBook) {
    TempFolder dir;
    ScriptedUi ui;
    EXPECT_EQ(LoadManuscriptSettings(ui, dir.path()), ManuscriptSettings{});
    ManuscriptSettings settings;
    settings.grid = GridSize{42, 34};
    settings.paper = "B5";
    settings.orientation = "landscape";
    settings.horizontal = true;
    settings.ruled = true;
    settings.title_page = false;
    settings.title = "題";
    settings.author = "著者";
    settings.last_written = dir / "本.pdf";
    ASSERT_TRUE(SaveManuscriptSettings(ui, dir.path(), settings));
    EXPECT_EQ(LoadManuscriptSettings(ui, dir.path()), settings);

    settings.grid = GridSize{9, 20};
    settings.paper = "A3";
    settings.orientation = "sideways";
    ASSERT_TRUE(SaveManuscriptSettings(ui, dir.path(), settings));
    const ManuscriptSettings read = LoadManuscriptSettings(ui, dir.path());
    EXPECT_FALSE(read.grid);
    EXPECT_EQ(read.paper, "A4");
    EXPECT_EQ(read.orientation, "");
}

}  // namespace
}  // namespace folix
