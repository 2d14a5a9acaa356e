#include "editing/editor_find.h"

#include <gtest/gtest.h>

#include "model/memory_editor_control.h"
#include "support/scripted_ui.h"

namespace folix {
namespace {

using testing::ScriptedUi;

// The editor's own find, from the selection in either direction: at the end the writer is
// asked before it goes on from the other end, and a text found nowhere is said so.
TEST(EditorFind, GoesEitherWayAndAsksBeforeGoingRound) {
    struct Row {
        const char* what;
        TextRange selection;
        bool up;
        std::vector<bool> answers;  // to the question about going on from the other end
        std::optional<TextRange> found;
        bool said_not_found;
    };
    // 雨 at 0, 5 and 9
    const std::string text = "雨のあと、雨の夜、雨。";
    const Row rows[] = {
        {"down from the caret", {1, 1}, false, {}, TextRange{5, 6}, false},
        {"down from a hit", {5, 6}, false, {}, TextRange{9, 10}, false},
        {"down past the last, going round", {9, 10}, false, {true}, TextRange{0, 1}, false},
        {"down past the last, staying", {9, 10}, false, {false}, std::nullopt, false},
        {"up from a hit", {5, 6}, true, {}, TextRange{0, 1}, false},
        {"up past the first, going round", {0, 1}, true, {true}, TextRange{9, 10}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        MemoryEditorControl editor(text);
        ScriptedUi ui;
        for (bool answer : row.answers) {
            ui.ExpectQuestion(answer);
        }
        editor.SetSelection(row.selection);
        const bool found = FindInEditor(editor, ui, {"雨", "", false, false, row.up});
        EXPECT_EQ(found, row.found.has_value());
        EXPECT_EQ(editor.GetSelection(), row.found.value_or(row.selection));
        EXPECT_EQ(ui.messages.empty(), !row.said_not_found);
    }

    MemoryEditorControl editor("Rain, rain.");
    ScriptedUi ui;
    EXPECT_FALSE(FindInEditor(editor, ui, {"snow", "", false, false, false}));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"snowは見つかりませんでした。"});
    EXPECT_TRUE(FindInEditor(editor, ui, {"rain", "", true, false, false}));
    EXPECT_EQ(editor.GetSelection(), (TextRange{6, 10}));
    editor.SetSelection({0, 0});
    EXPECT_FALSE(FindInEditor(editor, ui, {"ai", "", false, true, false}));
    EXPECT_EQ(ui.messages.size(), 2u);
}

// Replace changes only the find text under the selection; replace all is one undo step and
// never replaces its own replacements; a read-only file is refused with the message.
TEST(EditorFind, ReplaceAndReplaceAllChangeOnlyTheFindText) {
    MemoryEditorControl editor("雨と雨と雪");
    ScriptedUi ui;
    editor.SetSelection({1, 2});  // と, not the find text: only the next is found
    EXPECT_TRUE(ReplaceInEditor(editor, ui, {"雨", "雨雨", false, false, false}));
    EXPECT_EQ(editor.GetText(), "雨と雨と雪");
    EXPECT_EQ(editor.GetSelection(), (TextRange{2, 3}));
    ui.ExpectQuestion(false);  // nothing after it: the writer does not go round
    EXPECT_FALSE(ReplaceInEditor(editor, ui, {"雨", "雨雨", false, false, false}));
    EXPECT_EQ(editor.GetText(), "雨と雨雨と雪");

    EXPECT_EQ(ReplaceAllInEditor(editor, ui, {"雨", "雨雨", false, false, false}), 3);
    EXPECT_EQ(editor.GetText(), "雨雨と雨雨雨雨と雪");
    EXPECT_EQ(ReplaceAllInEditor(editor, ui, {"雨", "", false, false, false}), 6);
    EXPECT_EQ(editor.GetText(), "とと雪");
    EXPECT_EQ(ReplaceAllInEditor(editor, ui, {"雨", "x", false, false, false}), 0);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"雨は見つかりませんでした。"});

    editor.SetReadOnly(true);
    EXPECT_EQ(ReplaceAllInEditor(editor, ui, {"雪", "x", false, false, false}), 0);
    EXPECT_FALSE(ReplaceInEditor(editor, ui, {"雪", "x", false, false, false}));
    EXPECT_EQ(ui.messages.back(), kFindReadOnlyMessage);
    EXPECT_EQ(editor.GetText(), "とと雪");
}

}  // namespace
}  // namespace folix
