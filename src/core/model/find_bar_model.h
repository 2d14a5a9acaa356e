#pragma once

#include <string>
#include <vector>

namespace folix {

class CFileSystem;
class EditorControl;
class Ui;

// The name the bar opens under; without a tree the book refuses it with RequireTree.
inline constexpr char kFindBarAction[] = "folix検索";

// The find bar of a book without its window: what its fields, lists and check boxes hold, and
// what its buttons do to the editor and the book. The window copies its controls into the
// members before a command and shows the members again after it.
class FindBarModel {
public:
    FindBarModel(CFileSystem& book, EditorControl& editor);

    // What the bar shows when it opens: the book's check boxes, both histories from their
    // files, and the editor's selected text as the find text, on top of its list.
    void Open();
    // Copies the four check boxes to the book's options.
    void TakeOptions();

    // "次を検索": searches on from the selection, offering to go on from the start at the end.
    // True when a hit is selected.
    bool FindNext();
    // "置換して次に": replaces the selection when it is the find text, then finds the next one.
    void ReplaceAndFindNext();
    // "すべて置換": one pass from the start, each replacement its own undo step, never wrapping.
    // Returns the number of replacements.
    int ReplaceAll();
    // "ツリーを検索" and "リセット".
    void SearchTree();
    void ResetTree();
    // "閉じる": keeps the check boxes in the book and stores both histories.
    void Close();

    std::string find_text;
    std::string replace_text;
    bool match_case = false;   // "Case"
    bool whole_word = false;   // "Word"
    bool person_name = false;  // "人名"
    bool keep_tree = false;    // "残す"
    // The lists of the two fields, newest first.
    std::vector<std::string> find_history;
    std::vector<std::string> replace_history;

private:
    bool CheckReplace();
    bool FindAndSelect(long start);

    CFileSystem& book_;
    EditorControl& editor_;
    Ui& ui_;
};

}  // namespace folix
