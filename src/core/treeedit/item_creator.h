#pragma once

#include <string>

#include "platform/tree_control.h"

namespace folix {

class BookTree;
class FolderRefresh;

// The tree's "新規作成" and "追加" commands: a new file or folder at the top of a folder, or an
// added file, list or folder right after an item (added on the book's own item, at the top of
// the book folder, right below that item). Disk first, then the stored order, then the tree; a
// refused disk step changes nothing else. Each returns the path of what it made, or an empty
// string when it made nothing.
class ItemCreator {
public:
    ItemCreator(BookTree& tree, FolderRefresh& refresh) : tree_(tree), refresh_(refresh) {}

    std::string NewFile(TreeItem folder_item);
    std::string NewFolder(TreeItem folder_item);
    // extension with its dot: ".txt" or ".lst"
    std::string AddFile(TreeItem context_item, const std::string& extension);
    std::string AddFolder(TreeItem context_item);

private:
    bool CheckNewTarget(TreeItem folder_item) const;
    bool CheckAddTarget(TreeItem context_item) const;
    // Makes the folder and its first page; false (after the system's text) if the folder could
    // not be made.
    bool MakeFolder(const std::string& folder, const std::string& name) const;
    bool MakeFile(const std::string& folder, const std::string& name) const;
    // Makes a file with the extension (a folder when it is empty) under a free name in the
    // folder, stores it at the index of the folder's order and refreshes the folder's item.
    std::string Create(const std::string& folder, size_t index, TreeItem folder_item,
                       const std::string& extension);

    BookTree& tree_;
    FolderRefresh& refresh_;
};

inline constexpr char kNewFileStem[] = "空白";
inline constexpr char kNewFolderStem[] = "新しいﾌｫﾙﾀﾞ";

}  // namespace folix
