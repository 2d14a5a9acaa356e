#include <gtest/gtest.h>

#include "editing/word_boundary.h"
#include "model/memory_editor_control.h"

namespace folix {
namespace {

constexpr EditorControl::FindFlags kWholeWord{false, true};

std::optional<TextRange> FindIn(const std::string& text, const std::string& pattern,
                                EditorControl::FindFlags flags, TextRange range = {0, -1}) {
    return MemoryEditorControl(text).FindText(pattern, range, flags);
}

bool FindsWord(const std::string& text, const std::string& word) {
    return FindIn(text, word, kWholeWord).has_value();
}

TEST(WholeWordSearch, LatinWordsAreRunsOfLettersDigitsAndUnderscores) {
    EXPECT_EQ(FindIn("concat cat.", "cat", kWholeWord), (TextRange{7, 10}));
    EXPECT_FALSE(FindsWord("cats cat_x cat9", "cat"));
    EXPECT_TRUE(FindsWord("(cat)", "cat"));
    EXPECT_TRUE(FindsWord("ＣＡＴ１ ｃａｔ", "ｃａｔ"));
    EXPECT_FALSE(FindsWord("ｃａｔｓ", "ｃａｔ"));
}

TEST(WholeWordSearch, AWordEndsWhereTheScriptChanges) {
    EXPECT_TRUE(FindsWord("山田は笑った。", "山田"));
    EXPECT_FALSE(FindsWord("山田太郎は笑った。", "山田"));
    EXPECT_FALSE(FindsWord("山田太郎は笑った。", "太郎"));
    EXPECT_TRUE(FindsWord("山田太郎は笑った。", "山田太郎"));
    EXPECT_TRUE(FindsWord("ラーメン屋に行く", "ラーメン"));
    EXPECT_TRUE(FindsWord("第１章", "１"));
    EXPECT_TRUE(FindsWord("Tokyoへ", "Tokyo"));
    EXPECT_TRUE(FindsWord("人々が", "人々"));
    EXPECT_FALSE(FindsWord("人々が", "人"));
    EXPECT_TRUE(FindsWord("「は」", "は"));
    // ・ is katakana by its code, yet it separates names
    EXPECT_TRUE(FindsWord("トム・ソーヤの冒険", "トム"));
    EXPECT_TRUE(FindsWord("トム・ソーヤの冒険", "ソーヤ"));
    EXPECT_FALSE(FindsWord("トム・ソーヤの冒険", "ソー"));
}

TEST(WholeWordSearch, SoundMarksBelongToTheWordBeforeThem) {
    EXPECT_FALSE(FindsWord("コーヒー", "コ"));
    EXPECT_FALSE(FindsWord("すごーい", "すご"));
    EXPECT_TRUE(FindsWord("すごーい", "すごーい"));
    EXPECT_TRUE(FindsWord("ーい", "ーい"));
}

TEST(WholeWordSearch, EditorsCountingUtf16UnitsGetTheSameWords) {
    const std::u16string text = u"𠮷野家の𠮷田";  // 𠮷 takes two units
    EXPECT_TRUE(IsWordBoundary(text, 0));
    EXPECT_FALSE(IsWordBoundary(text, 1));  // inside the pair
    EXPECT_FALSE(IsWordBoundary(text, 2));  // 𠮷 and 野 are both kanji
    EXPECT_TRUE(IsWordBoundary(text, 4));   // 家 then の
    EXPECT_TRUE(IsWordBoundary(text, 5));
    EXPECT_TRUE(IsWordBoundary(text, text.size()));
    EXPECT_FALSE(IsWordBoundary(std::u16string_view(u"すごーい"), 2));
    EXPECT_FALSE(IsWordBoundary(std::u16string_view(u"すごーい"), 3));
}

TEST(EditorFind, CaseIsFoldedOnRequestButWidthsNever) {
    EXPECT_EQ(FindIn("A CAT sat", "cat", {}), (TextRange{2, 5}));
    EXPECT_FALSE(FindIn("A CAT sat", "cat", {true, false}));
    EXPECT_FALSE(FindIn("ＣＡＴ", "cat", {}));
    EXPECT_TRUE(FindIn("ＣＡＴ", "ｃａｔ", {}));
    EXPECT_FALSE(FindIn("ＣＡＴ", "ｃａｔ", {true, false}));
}

TEST(EditorFind, StaysInsideItsRangeAndCountsCharactersNotBytes) {
    EXPECT_EQ(FindIn("猫と猫", "猫", {}, {1, -1}), (TextRange{2, 3}));
    EXPECT_FALSE(FindIn("猫と猫", "猫", {}, {1, 2}));
    EXPECT_FALSE(FindIn("猫", "", {}));
    EXPECT_FALSE(FindIn("猫", "猫猫", {}));
}

TEST(EditorReplace, EachReplacementIsOneUndoStepAndReadOnlyRefusesIt) {
    MemoryEditorControl editor("猫と犬");
    editor.SetSelection({0, 1});
    EXPECT_EQ(editor.GetSelectedText(), "猫");
    ASSERT_TRUE(editor.ReplaceSelection("ねこ"));
    EXPECT_EQ(editor.GetText(), "ねこと犬");
    EXPECT_EQ(editor.GetSelection(), (TextRange{2, 2}));
    editor.SetSelection({3, 4});
    ASSERT_TRUE(editor.ReplaceSelection("いぬ"));
    EXPECT_EQ(editor.undo_steps(), 2u);
    ASSERT_TRUE(editor.Undo());
    EXPECT_EQ(editor.GetText(), "ねこと犬");
    ASSERT_TRUE(editor.Undo());
    EXPECT_EQ(editor.GetText(), "猫と犬");
    EXPECT_FALSE(editor.Undo());

    editor.SetReadOnly(true);
    editor.SetSelection({0, 1});
    EXPECT_FALSE(editor.ReplaceSelection("x"));
    EXPECT_EQ(editor.GetText(), "猫と犬");
    EXPECT_EQ(editor.undo_steps(), 0u);
}

}  // namespace
}  // namespace folix
