#include "treeedit/tree_drag.h"

#include "book/book_tree.h"
#include "platform/document_host.h"
#include "platform/ui.h"
#include "treeedit/item_mover.h"

namespace folix {

void TreeDrag::OnBegindrag(TreeItem item) {
    // A changed file is offered for saving instead; the writer starts the drag again.
    if (host_ != nullptr && host_->IsModified()) {
        host_->AskSaveIfModified();
        return;
    }
    m_bDragging = true;
    m_hDragItem = item;
    m_hDropTarget = kNoItem;
    tree_.tree().BeginDragFeedback(item);
}

void TreeDrag::OnMouseMove(TreeItem item_under_pointer) {
    if (!m_bDragging || item_under_pointer == kNoItem) {
        return;
    }
    tree_.tree().SetDropHighlightItem(item_under_pointer);
    m_hDropTarget = item_under_pointer;
}

void TreeDrag::OnLButtonUp() {
    if (!m_bDragging) {
        return;
    }
    TreeControl& control = tree_.tree();
    control.EndDragFeedback();
    m_bDragging = false;
    // Released before any item was highlighted: there is nowhere to move to.
    if (m_hDropTarget == m_hDragItem) {
        tree_.ui().Beep();
    } else if (m_hDropTarget != kNoItem) {
        mover_.MoveItem(m_hDragItem, m_hDropTarget);
    }
    control.SetDropHighlightItem(kNoItem);
}

}  // namespace folix
