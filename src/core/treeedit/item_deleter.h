#pragma once

#include "platform/tree_control.h"

namespace folix {

class BookTree;
class Desktop;
class FolderRefresh;

// The tree's "削除" command: the item goes to the desktop's trash, after the writer confirms.
// A folder holding anything the tree does not show is refused, so nothing unseen is thrown away.
class ItemDeleter {
public:
    // Without a desktop (the command line) nothing can go to the trash.
    ItemDeleter(BookTree& tree, FolderRefresh& refresh, Desktop* desktop)
        : tree_(tree), refresh_(refresh), desktop_(desktop) {}

    void Delete(TreeItem context_item);

private:
    BookTree& tree_;
    FolderRefresh& refresh_;
    Desktop* desktop_;
};

inline constexpr char kFolderNotDeletableMessage[] =
    "このフォルダは削除できません！！\n\n解説：\nこのフォルダにはこのソフトが表示しないファイルやフォルダ"
    "が含まれています。このフォルダはエクスプローラ等で内容を確認の上削除してください。";

}  // namespace folix
