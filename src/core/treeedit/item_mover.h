#pragma once

#include "platform/tree_control.h"
#include "platform/version_recorder.h"

namespace folix {

class BookTree;
class DocumentHost;
class FolderRefresh;

// Moves an item in front of another, across folders too: the disk, then both folders' stored
// orders, then the tree. The editor's file follows the item it is or lies in.
class ItemMover {
public:
    ItemMover(BookTree& tree, FolderRefresh& refresh, DocumentHost* host)
        : tree_(tree), refresh_(refresh), host_(host) {}

    // The dragged item ends up immediately before the target, in the target's folder.
    void MoveItem(TreeItem dragged, TreeItem target);
    // Where the moved files' versions are kept; none by default.
    void SetVersionRecorder(VersionRecorder* recorder) { recorder_ = recorder; }

private:
    BookTree& tree_;
    FolderRefresh& refresh_;
    DocumentHost* host_;
    VersionRecorder* recorder_ = nullptr;
};

}  // namespace folix
