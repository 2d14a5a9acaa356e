#pragma once

#include <string>

#include "platform/tree_control.h"

namespace folix {

class BookTree;
class DocumentHost;
class EditorControl;
class FileTextMatch;
class FolderRefresh;
struct BookOptions;

// The whole-book search of the tree: every file of the book is read and tested, the files that
// hold the text and the folders above them are marked, and the tree is either kept whole or cut
// down to the hits. Until a reset the search holds the tree: editing is refused, and after a
// cut-down search expanding as well. The check boxes of the find bar (case, word, person name,
// keep) are read from the book's options.
class TreeSearch {
public:
    // The host and the editor may be absent (the command line): a whole-word search then tests
    // each file's text in an editor of its own instead of the window's.
    TreeSearch(BookTree& tree, FolderRefresh& refresh, const BookOptions& options,
               DocumentHost* host)
        : tree_(tree), refresh_(refresh), options_(options), host_(host) {}

    void SetEditor(EditorControl* editor) { editor_ = editor; }

    // Searches the book for text; an empty text only resets the tree.
    void SearchTree(const std::string& text);
    // Rebuilds the tree's first level from disk, drops the marks and releases both locks.
    void ResetTree();
    // The item after item in depth-first pre-order over the whole tree; kNoItem after the last.
    TreeItem NextItem(TreeItem item) const;

private:
    // The item after item and its whole branch.
    TreeItem NextItemAfterBranch(TreeItem item) const;
    bool IsHit(TreeItem item, FileTextMatch& match) const;
    void MarkHit(TreeItem item);
    void CloseAllKeepingMarks();
    void PruneToHits();

    BookTree& tree_;
    FolderRefresh& refresh_;
    const BookOptions& options_;
    DocumentHost* host_;
    EditorControl* editor_ = nullptr;
};

}  // namespace folix
