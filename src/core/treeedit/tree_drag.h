#pragma once

#include "platform/tree_control.h"

namespace folix {

class BookTree;
class DocumentHost;
class ItemMover;

// Dragging an item in the tree: begin, pointer moves (with the item under the pointer, or
// none), release. The last item highlighted is the drop target, even when the pointer has left
// the items since.
class TreeDrag {
public:
    TreeDrag(BookTree& tree, ItemMover& mover, DocumentHost* host)
        : tree_(tree), mover_(mover), host_(host) {}

    void OnBegindrag(TreeItem item);
    void OnMouseMove(TreeItem item_under_pointer);
    void OnLButtonUp();

    bool m_bDragging = false;
    TreeItem m_hDragItem = kNoItem;
    TreeItem m_hDropTarget = kNoItem;

private:
    BookTree& tree_;
    ItemMover& mover_;
    DocumentHost* host_;
};

}  // namespace folix
