#include "editing/diary_date.h"

#include <gtest/gtest.h>

#include "model/memory_editor_control.h"
#include "support/book_fixture.h"

namespace folix {
namespace {

using namespace std::chrono;

TEST(DiaryDate, KanjiNumeralsNeverShowZeroAndStopAtThirtyOne) {
    EXPECT_EQ(KanjiDayNumber(1), "一");
    EXPECT_EQ(KanjiDayNumber(9), "九");
    EXPECT_EQ(KanjiDayNumber(10), "十");
    EXPECT_EQ(KanjiDayNumber(11), "十一");
    EXPECT_EQ(KanjiDayNumber(19), "十九");
    EXPECT_EQ(KanjiDayNumber(20), "二十");
    EXPECT_EQ(KanjiDayNumber(21), "二十一");
    EXPECT_EQ(KanjiDayNumber(30), "三十");
    EXPECT_EQ(KanjiDayNumber(31), "三十一");
    EXPECT_EQ(KanjiDayNumber(0), "");
    EXPECT_EQ(KanjiDayNumber(32), "");
    EXPECT_EQ(KanjiDayNumber(-5), "");
}

TEST(DiaryDate, MonthDayAndWeekdayWithoutTheYear) {
    EXPECT_EQ(DiaryDateText(2020y / December / 7d), "十二月七日(月)");
    EXPECT_EQ(DiaryDateText(2024y / January / 1d), "一月一日(月)");
    EXPECT_EQ(DiaryDateText(2023y / October / 10d), "十月十日(火)");
    EXPECT_EQ(DiaryDateText(2023y / December / 31d), "十二月三十一日(日)");
    EXPECT_EQ(DiaryDateText(2024y / February / 29d), "二月二十九日(木)");
    // One week, Sunday 5 May 2024 to Saturday 11 May, names every weekday in order.
    const char* weekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
    for (unsigned day = 5; day <= 11; ++day) {
        EXPECT_EQ(DiaryDateText(2024y / May / std::chrono::day{day}),
                  "五月" + KanjiDayNumber(static_cast<int>(day)) + "日(" + weekdays[day - 5] + ")");
    }
}

TEST(DiaryDate, TheBookDatesByItsClock) {
    testing::BookFixture book;
    book.Attach();
    book.fs.SetDiaryClock([] { return 2021y / March / 3d; });
    EXPECT_EQ(book.fs.DiaryDate(), "三月三日(水)");
    // Unpinned, the date is today's: a month and a day in kanji and a weekday.
    book.fs.SetDiaryClock(LocalToday);
    EXPECT_NE(book.fs.DiaryDate().find("月"), std::string::npos);
    EXPECT_TRUE(book.fs.DiaryDate().ends_with(")"));
}

TEST(DiaryDate, TopPutsTheDateFirstAndTheCaretOnTheEmptyLineAfterIt) {
    MemoryEditorControl editor("昨日の続き。\n二行目");
    editor.SetSelection({3, 5});
    ASSERT_TRUE(InsertDiaryDateTop(editor, "十二月七日(月)"));
    EXPECT_EQ(editor.GetText(), "十二月七日(月)\n\n昨日の続き。\n二行目");
    EXPECT_EQ(editor.GetSelection(), (TextRange{9, 9}));
    EXPECT_EQ(editor.undo_steps(), 1u);
    ASSERT_TRUE(editor.Undo());
    EXPECT_EQ(editor.GetText(), "昨日の続き。\n二行目");
}

TEST(DiaryDate, EndAppendsADateParagraphWhateverTheLastLineEnd) {
    MemoryEditorControl open_line("一行");
    ASSERT_TRUE(InsertDiaryDateEnd(open_line, "一月一日(月)"));
    EXPECT_EQ(open_line.GetText(), "一行\n一月一日(月)\n\n");
    EXPECT_EQ(open_line.GetSelection(), (TextRange{11, 11}));
    EXPECT_EQ(open_line.undo_steps(), 1u);

    // A text that ended its last line gets an empty line between it and the date.
    MemoryEditorControl closed_line("一行\n");
    ASSERT_TRUE(InsertDiaryDateEnd(closed_line, "一月一日(月)"));
    EXPECT_EQ(closed_line.GetText(), "一行\n\n一月一日(月)\n\n");
    EXPECT_EQ(closed_line.GetSelection(), (TextRange{12, 12}));
    ASSERT_TRUE(closed_line.Undo());
    EXPECT_EQ(closed_line.GetText(), "一行\n");
}

TEST(DiaryDate, BothFormsOnAnEmptyFileGiveTheDateLineAndTheCaretLineOnly) {
    for (auto insert : {&InsertDiaryDateTop, &InsertDiaryDateEnd}) {
        MemoryEditorControl editor;
        ASSERT_TRUE(insert(editor, "十月十日(火)"));
        EXPECT_EQ(editor.GetText(), "十月十日(火)\n\n");
        EXPECT_EQ(editor.GetSelection(), (TextRange{8, 8}));
        EXPECT_EQ(editor.undo_steps(), 1u);
    }
}

TEST(DiaryDate, ReadOnlyEditorIsLeftAlone) {
    MemoryEditorControl editor("読むだけ");
    editor.SetReadOnly(true);
    EXPECT_FALSE(InsertDiaryDateTop(editor, "一月一日(月)"));
    EXPECT_FALSE(InsertDiaryDateEnd(editor, "一月一日(月)"));
    EXPECT_EQ(editor.GetText(), "読むだけ");
    EXPECT_EQ(editor.undo_steps(), 0u);
}

}  // namespace
}  // namespace folix
