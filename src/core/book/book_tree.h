#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "book/book_entry.h"
#include "platform/tree_control.h"

namespace folix {

class Ui;

// Item kinds, kept in each item's data.
inline constexpr TreeItemKind kPlaceholderItem{0};  // "dummy" under a folder not listed yet
inline constexpr TreeItemKind kFolderItem{1};
inline constexpr TreeItemKind kTextItem{2};  // a ".txt" file, shown without its extension
inline constexpr TreeItemKind kOtherFileItem{3};

// The pictures of the book's tree, in the order of its image strip.
inline constexpr TreeItemImage kImagePlaceholder{0};
inline constexpr TreeItemImage kImageClosedFolder{1};
inline constexpr TreeItemImage kImageOpenFolder{2};
inline constexpr TreeItemImage kImageEditableFile{3};
inline constexpr TreeItemImage kImageEmptyFolder{4};
inline constexpr TreeItemImage kImageOtherFile{5};
inline constexpr TreeItemImage kImageClosedFolderAboveHit{6};
inline constexpr TreeItemImage kImageOpenFolderAboveHit{7};
inline constexpr TreeItemImage kImageFileHit{8};
inline constexpr int kTreeImageCount = 9;

// Where the tree search left its mark: on a file that holds the text, or on a folder above one.
// A flag of the model; the tree shows it through the item's picture.
enum class SearchMark { kNone, kHit, kAboveHit };

inline constexpr char kPlaceholderLabel[] = "dummy";

// Binds a tree control to the folders and files of one book: the book's paths, the root item,
// the mapping between items and paths or folder-list entries, and the search locks that make
// tree commands refuse.
class BookTree {
public:
    explicit BookTree(Ui& ui) : ui_(ui) {}

    // Binds the tree to the book named by its ".flx" file and inserts the root item. Does
    // nothing when already attached or when the path is not a book file.
    void AttachBook(TreeControl& tree, const std::string& book_path);

    bool HasTree() const { return m_hRootItem != kNoItem; }
    // Refuses, with a message naming the action, when no tree is shown.
    bool RequireTree(const std::string& action) const;
    // True (after the notice) while the tree search holds the tree: the caller stops.
    bool CheckSearchLock() const;
    bool IsExpandLocked() const;

    std::vector<BookEntry> BuildEntryList(const std::string& folder) const;
    // Inserts the item for an entry under parent (kNoItem: at the top) after the given sibling
    // or kInsertFirst / kInsertLast.
    TreeItem InsertItemFromEntry(const BookEntry& entry, TreeItem parent, TreeItem after);
    // Turns an existing item (a placeholder) into the item for an entry.
    void FillItemFromEntry(const BookEntry& entry, TreeItem item);
    // Gives a kept item the name of its entry as spelt on disk (a file renamed outside the
    // program only in letter case).
    void RespellItem(TreeItem item, const std::string& name);
    // Deletes an item; false when the control refuses.
    bool DeleteItem(TreeItem item);

    TreeItemKind ItemKind(TreeItem item) const;
    bool IsFolderItem(TreeItem item) const { return ItemKind(item) == kFolderItem; }
    bool IsTextItem(TreeItem item) const { return ItemKind(item) == kTextItem; }
    bool IsFileItem(TreeItem item) const;
    // The label, with a text file's extension as it is spelt on disk.
    std::string ItemFileName(TreeItem item) const;
    std::string ItemPath(TreeItem item) const;
    BookEntry ItemEntry(TreeItem item) const;
    int ItemIndex(TreeItem item) const;

    void SetFolderOpenImage(TreeItem item);
    void SetFolderClosedImage(TreeItem item);
    TreeItemImage GetItemImage(TreeItem item) const;
    void SetItemImage(TreeItem item, TreeItemImage image);

    // The search's mark on an item, shown in its picture: a hit file, or an open folder above
    // one. Forgetting the marks changes no picture; the search's reset rebuilds the tree.
    void SetSearchMark(TreeItem item, SearchMark mark);
    SearchMark GetSearchMark(TreeItem item) const;
    void ForgetSearchMarks() { search_marks_.clear(); }

    std::string BookFilePath() const;
    const std::string& GetRootPath() const { return m_strRootPath; }
    // True removes the single-expand style, false adds it.
    void SetMultiOpenStyle(bool multi_open);

    TreeControl& tree() const { return *tree_; }
    Ui& ui() const { return ui_; }

    std::string m_strParentPath;  // folder holding the book folder; generated files go there
    std::string m_strRootPath;    // the book folder
    std::string m_strBookFileName;
    TreeItem m_hRootItem = kNoItem;
    bool m_bSearchLock = false;
    bool m_bSearchMarks = false;

private:
    Ui& ui_;
    TreeControl* tree_ = nullptr;
    // Text files whose extension is not spelt ".txt" on disk (".TXT", ".Txt"): the path formed
    // from the item must name the file that exists.
    std::unordered_map<TreeItem, std::string> text_suffixes_;
    std::unordered_map<TreeItem, SearchMark> search_marks_;
};

}  // namespace folix
