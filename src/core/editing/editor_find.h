#pragma once

#include <string>

namespace folix {

class EditorControl;
class Ui;

// What the editor's find and replace dialog asks for.
struct EditorFindRequest {
    std::string text;
    std::string replacement;
    bool match_case = false;
    bool whole_word = false;
    bool up = false;  // towards the start of the file
};

// The editor's own find and replace, on the file in the editor: from the selection on in the
// asked direction; at the end (or the start) the writer is asked before the search goes on from
// the other end; a text found nowhere is said so. Each returns what it did.
bool FindInEditor(EditorControl& editor, Ui& ui, const EditorFindRequest& request);
// The selection, when it is the find text, is replaced (one undo step); then the next is found.
bool ReplaceInEditor(EditorControl& editor, Ui& ui, const EditorFindRequest& request);
// Every occurrence from the start of the file, as one undo step; the number replaced. None at
// all is said so.
int ReplaceAllInEditor(EditorControl& editor, Ui& ui, const EditorFindRequest& request);

// The selection is the find text: the same with case, and without it letter case and widths
// forgiven. Both finds check it again before they replace, as the writer may have moved it.
bool SelectionIsTheFindText(const EditorControl& editor, const std::string& text, bool match_case);

inline constexpr char kFindNotFoundSuffix[] = "は見つかりませんでした。";
inline constexpr char kFindWrapQuestion[] = "最後まで検索しました。最初から検索しますか？";
inline constexpr char kFindWrapUpQuestion[] = "先頭まで検索しました。最後から検索しますか？";
inline constexpr char kFindReadOnlyMessage[] = "読取専用ファイルです。";

}  // namespace folix
