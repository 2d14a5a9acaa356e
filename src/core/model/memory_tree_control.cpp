#include "model/memory_tree_control.h"

#include <stdexcept>

namespace folix {

MemoryTreeControl::Node& MemoryTreeControl::At(TreeItem item) {
    auto it = nodes_.find(item);
    if (it == nodes_.end()) {
        throw std::logic_error("tree item does not exist");
    }
    return it->second;
}

const MemoryTreeControl::Node* MemoryTreeControl::Find(TreeItem item) const {
    auto it = nodes_.find(item);
    return it == nodes_.end() || item == kNoItem ? nullptr : &it->second;
}

TreeItem MemoryTreeControl::InsertItem(TreeItem parent, TreeItem after, const std::string& label,
                                       TreeItemImage image, TreeItemKind kind) {
    Node& parent_node = At(parent);
    TreeItem item = next_id_++;
    Node node;
    node.parent = parent;
    node.label = label;
    node.image = image;
    node.kind = kind;
    if (after == kInsertFirst || (after == kInsertLast && parent_node.last_child == kNoItem) ||
        (after != kInsertLast && Find(after) == nullptr)) {
        node.next = parent_node.first_child;
    } else {
        node.prev = after == kInsertLast ? parent_node.last_child : after;
        node.next = At(node.prev).next;
    }
    nodes_.emplace(item, node);
    Node& inserted = At(item);
    if (inserted.prev != kNoItem) {
        At(inserted.prev).next = item;
    } else {
        At(parent).first_child = item;
    }
    if (inserted.next != kNoItem) {
        At(inserted.next).prev = item;
    } else {
        At(parent).last_child = item;
    }
    return item;
}

void MemoryTreeControl::Unlink(TreeItem item) {
    Node& node = At(item);
    Node& parent = At(node.parent);
    if (node.prev != kNoItem) {
        At(node.prev).next = node.next;
    } else {
        parent.first_child = node.next;
    }
    if (node.next != kNoItem) {
        At(node.next).prev = node.prev;
    } else {
        parent.last_child = node.prev;
    }
}

void MemoryTreeControl::Erase(TreeItem item) {
    for (TreeItem child = At(item).first_child; child != kNoItem;) {
        TreeItem next = At(child).next;
        Erase(child);
        child = next;
    }
    if (selected_ == item) {
        selected_ = kNoItem;
    }
    if (drop_highlight_ == item) {
        drop_highlight_ = kNoItem;
    }
    nodes_.erase(item);
}

bool MemoryTreeControl::DeleteItem(TreeItem item) {
    if (Find(item) == nullptr || refuse_next_delete_) {
        refuse_next_delete_ = false;
        return false;
    }
    Unlink(item);
    Erase(item);
    return true;
}

TreeItem MemoryTreeControl::GetParentItem(TreeItem item) const {
    const Node* node = Find(item);
    return node ? node->parent : kNoItem;
}

TreeItem MemoryTreeControl::GetChildItem(TreeItem item) const {
    auto it = nodes_.find(item);
    return it == nodes_.end() ? kNoItem : it->second.first_child;
}

TreeItem MemoryTreeControl::GetNextSiblingItem(TreeItem item) const {
    const Node* node = Find(item);
    return node ? node->next : kNoItem;
}

TreeItem MemoryTreeControl::GetPrevSiblingItem(TreeItem item) const {
    const Node* node = Find(item);
    return node ? node->prev : kNoItem;
}

std::string MemoryTreeControl::GetItemText(TreeItem item) const {
    const Node* node = Find(item);
    return node ? node->label : std::string();
}

void MemoryTreeControl::SetItemText(TreeItem item, const std::string& label) {
    At(item).label = label;
}

TreeItemImage MemoryTreeControl::GetItemImage(TreeItem item) const {
    const Node* node = Find(item);
    return node ? node->image : TreeItemImage{};
}

void MemoryTreeControl::SetItemImage(TreeItem item, TreeItemImage image) {
    At(item).image = image;
}

TreeItemKind MemoryTreeControl::GetItemKind(TreeItem item) const {
    const Node* node = Find(item);
    return node ? node->kind : TreeItemKind{};
}

void MemoryTreeControl::SetItemKind(TreeItem item, TreeItemKind kind) {
    At(item).kind = kind;
}

bool MemoryTreeControl::IsItemBold(TreeItem item) const {
    const Node* node = Find(item);
    return node && node->bold;
}

void MemoryTreeControl::SetItemBold(TreeItem item, bool bold) {
    At(item).bold = bold;
}

bool MemoryTreeControl::IsItemChecked(TreeItem item) const {
    const Node* node = Find(item);
    return node && node->checked;
}

void MemoryTreeControl::SetItemChecked(TreeItem item, bool checked) {
    At(item).checked = checked;
}

bool MemoryTreeControl::IsExpanded(TreeItem item) const {
    const Node* node = Find(item);
    return node && node->expanded;
}

void MemoryTreeControl::Expand(TreeItem item, bool expand) {
    if (Find(item) == nullptr || At(item).expanded == expand) {
        return;
    }
    // An item without children has nothing to open: no notice, as in the window's tree.
    if (expand && At(item).first_child == kNoItem) {
        return;
    }
    if (expanding_handler_ && expanding_handler_(item, expand)) {
        return;
    }
    // The handler may have changed the tree; the item may even be gone.
    if (Find(item) != nullptr) {
        At(item).expanded = expand && At(item).first_child != kNoItem;
    }
}

void MemoryTreeControl::SetExpandingHandler(ExpandingHandler handler) {
    expanding_handler_ = std::move(handler);
}

bool MemoryTreeControl::IsAncestorOf(TreeItem ancestor, TreeItem item) const {
    for (TreeItem walk = item; walk != kNoItem; walk = GetParentItem(walk)) {
        if (walk == ancestor) {
            return true;
        }
    }
    return false;
}

void MemoryTreeControl::SelectItem(TreeItem item) {
    TreeItem previous = selected_;
    selected_ = Find(item) ? item : kNoItem;
    if (!single_expand_ || selected_ == kNoItem) {
        return;
    }
    // The branch that was open for the old selection closes, unless the new one lies inside it.
    for (TreeItem walk = previous; walk != kNoItem && Find(walk); walk = GetParentItem(walk)) {
        if (!IsAncestorOf(walk, selected_)) {
            Expand(walk, false);
        }
    }
    Expand(selected_, true);
}

}  // namespace folix
