#include <gtest/gtest.h>

#include "model/find_bar_model.h"
#include "model/memory_editor_control.h"
#include "support/book_fixture.h"
#include "support/control_file_header.h"

namespace folix {
namespace {

using testing::BookFixture;
using testing::kControlFileHeader;
using testing::ReadBytes;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

class FindReplaceTest : public ::testing::Test {
protected:
    void SetUp() override { book.Attach(); }

    void Load(const std::string& text, TextRange selection = {}) {
        editor.SetText(text);
        editor.SetSelection(selection);
    }

    BookFixture book;
    MemoryEditorControl editor;
    FindBarModel bar{book.fs, editor};
};

TEST_F(FindReplaceTest, FindNextIgnoresCaseButNotWidth) {
    Load("ＣＡＴ and a CAT");
    bar.find_text = "cat";
    EXPECT_TRUE(bar.FindNext());
    EXPECT_EQ(editor.GetSelection(), (TextRange{10, 13}));
    EXPECT_EQ(bar.find_history, Lines{"cat"});

    Load("ＣＡＴ");
    EXPECT_FALSE(bar.FindNext());
    EXPECT_EQ(book.ui.messages, Lines{"catは見つかりませんでした。"});
    EXPECT_EQ(editor.GetSelection(), (TextRange{0, 0}));
}

TEST_F(FindReplaceTest, FindNextWithCaseAndWordTakesTheOptionsToTheBook) {
    Load("Cat concat cat");
    bar.find_text = "cat";
    bar.match_case = true;
    bar.whole_word = true;
    bar.keep_tree = true;
    EXPECT_TRUE(bar.FindNext());
    EXPECT_EQ(editor.GetSelection(), (TextRange{11, 14}));
    const BookOptions& options = book.fs.Options();
    EXPECT_TRUE(options.m_bFindCase);
    EXPECT_TRUE(options.m_bFindWord);
    EXPECT_FALSE(options.m_bFindName);
    EXPECT_TRUE(options.m_bFindKeep);
}

TEST_F(FindReplaceTest, AtTheEndTheWriterIsAskedWhetherToGoOnFromTheStart) {
    Load("cat dog cat", {8, 11});
    bar.find_text = "cat";
    book.ui.ExpectQuestion(true);
    EXPECT_TRUE(bar.FindNext());
    EXPECT_EQ(book.ui.questions, Lines{"最後まで検索しました。最初から検索しますか？"});
    EXPECT_EQ(editor.GetSelection(), (TextRange{0, 3}));

    Load("cat dog cat", {8, 11});
    book.ui.ExpectQuestion(false);
    EXPECT_FALSE(bar.FindNext());
    EXPECT_EQ(editor.GetSelection(), (TextRange{8, 11}));
    EXPECT_TRUE(book.ui.messages.empty());

    Load("dog dog", {4, 4});
    bar.find_text = "cat";
    book.ui.ExpectQuestion(true);
    EXPECT_FALSE(bar.FindNext());
    EXPECT_EQ(book.ui.messages, Lines{"catは見つかりませんでした。"});
}

TEST_F(FindReplaceTest, EmptyFindTextIsRefusedAndNotRemembered) {
    Load("cat");
    EXPECT_FALSE(bar.FindNext());
    EXPECT_EQ(book.ui.messages, Lines{"検索文字列が無効です。"});
    EXPECT_TRUE(bar.find_history.empty());
}

TEST_F(FindReplaceTest, ReplaceChecksRunInOrderAndStopAtTheFirstFailure) {
    Load("cat", {0, 3});
    editor.SetReadOnly(true);
    bar.ReplaceAndFindNext();
    EXPECT_EQ(bar.ReplaceAll(), 0);
    EXPECT_EQ(book.ui.messages, (Lines{"読取専用ファイルです。", "読取専用ファイルです。"}));

    editor.SetReadOnly(false);
    book.ui.messages.clear();
    bar.replace_text = "dog";
    bar.ReplaceAndFindNext();
    EXPECT_EQ(book.ui.messages, Lines{"検索文字列が無効です。"});

    book.ui.messages.clear();
    bar.find_text = "cat";
    bar.replace_text = "";
    bar.ReplaceAndFindNext();
    EXPECT_EQ(bar.ReplaceAll(), 0);
    EXPECT_EQ(book.ui.messages, (Lines{"置換文字列が無効です。", "置換文字列が無効です。"}));
    EXPECT_EQ(editor.GetText(), "cat");
    EXPECT_EQ(editor.undo_steps(), 0u);
    EXPECT_EQ(bar.find_history, Lines{"cat"});
    EXPECT_TRUE(bar.replace_history.empty());
}

TEST_F(FindReplaceTest, ReplaceAndNextAcceptsAFullWidthSelectionThatFindNextWouldNotReach) {
    Load("ＣＡＴ, cat", {0, 3});
    bar.find_text = "cat";
    bar.replace_text = "dog";
    bar.ReplaceAndFindNext();
    EXPECT_EQ(editor.GetText(), "dog, cat");
    EXPECT_EQ(editor.GetSelection(), (TextRange{5, 8}));
    EXPECT_EQ(bar.replace_history, Lines{"dog"});

    // With Case on the selection must be the find text byte for byte.
    Load("ＣＡＴ, cat", {0, 3});
    bar.match_case = true;
    bar.ReplaceAndFindNext();
    EXPECT_EQ(editor.GetText(), "ＣＡＴ, cat");
    EXPECT_EQ(editor.GetSelection(), (TextRange{5, 8}));
}

TEST_F(FindReplaceTest, ReplaceAndNextLeavesAMovedSelectionAlone) {
    Load("cat dog cat", {4, 7});
    bar.find_text = "cat";
    bar.replace_text = "cow";
    bar.ReplaceAndFindNext();
    EXPECT_EQ(editor.GetText(), "cat dog cat");
    EXPECT_EQ(editor.GetSelection(), (TextRange{8, 11}));
    book.ui.ExpectQuestion(false);
    bar.ReplaceAndFindNext();
    EXPECT_EQ(editor.GetText(), "cat dog cow");
    EXPECT_EQ(editor.undo_steps(), 1u);
    EXPECT_EQ(book.ui.questions.size(), 1u);
}

TEST_F(FindReplaceTest, ReplaceAllMakesOnePassFromTheStartWithOneUndoStepEach) {
    Load("cat Cat concat", {14, 14});
    bar.find_text = "cat";
    bar.replace_text = "cats";
    EXPECT_EQ(bar.ReplaceAll(), 3);
    EXPECT_EQ(editor.GetText(), "cats cats concats");
    EXPECT_EQ(editor.undo_steps(), 3u);
    EXPECT_TRUE(book.ui.messages.empty());
    EXPECT_TRUE(book.ui.questions.empty());
    while (editor.Undo()) {
    }
    EXPECT_EQ(editor.GetText(), "cat Cat concat");

    Load("cat Cat concat");
    bar.whole_word = true;
    bar.match_case = true;
    EXPECT_EQ(bar.ReplaceAll(), 1);
    EXPECT_EQ(editor.GetText(), "cats Cat concat");
}

TEST_F(FindReplaceTest, OpeningTakesTheBooksSettingsAndTheSelection) {
    WriteBytes(book.root + "/find.flc", kControlFileHeader + "犬\r\n猫\r\n");
    WriteBytes(book.root + "/replace.flc", kControlFileHeader + "ねこ\r\n");
    book.fs.Options().m_bFindName = true;
    Load("猫が鳴く", {0, 1});
    bar.Open();
    EXPECT_TRUE(bar.person_name);
    EXPECT_FALSE(bar.match_case);
    EXPECT_EQ(bar.find_text, "猫");
    EXPECT_EQ(bar.find_history, (Lines{"猫", "犬"}));
    EXPECT_EQ(bar.replace_history, Lines{"ねこ"});
}

TEST_F(FindReplaceTest, ClosingStoresTheNewestTwentyOfEachHistory) {
    Load("");
    bar.Open();
    for (int i = 0; i < 25; ++i) {
        bar.find_text = "w" + std::to_string(i);
        bar.FindNext();
    }
    bar.find_text = "w10";
    bar.FindNext();
    bar.replace_text = "r";
    bar.person_name = true;
    bar.Close();
    EXPECT_TRUE(book.fs.Options().m_bFindName);

    std::string expected = kControlFileHeader;
    expected += "w10\r\n";
    for (int i = 24; i >= 6; --i) {
        if (i != 10) {
            expected += "w" + std::to_string(i) + "\r\n";
        }
    }
    expected += "w5\r\n";
    EXPECT_EQ(ReadBytes(book.root + "/find.flc"), expected);
    EXPECT_EQ(ReadBytes(book.root + "/replace.flc"), kControlFileHeader);
}

}  // namespace
}  // namespace folix
