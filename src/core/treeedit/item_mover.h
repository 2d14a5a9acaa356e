#pragma once

#include "platform/tree_control.h"

namespace folix {

class BookTree;
class FolderRefresh;

// Moves an item in front of another, across folders too: the disk, then both folders' stored
// orders, then the tree.
class ItemMover {
public:
    ItemMover(BookTree& tree, FolderRefresh& refresh) : tree_(tree), refresh_(refresh) {}

    // The dragged item ends up immediately before the target, in the target's folder.
    void MoveItem(TreeItem dragged, TreeItem target);

private:
    BookTree& tree_;
    FolderRefresh& refresh_;
};

}  // namespace folix
