#pragma once

#include <unordered_map>

#include "platform/tree_control.h"

namespace folix {

// A tree control held in memory, for the command line and the tests. It behaves like the
// window's tree where the book model depends on it: item order, the walks, labels, images, kinds,
// bold, the expanding notice before a state change, the single-expand style, selection and drop
// highlight. Siblings are linked, so every walk step costs the same in a folder of any size.
class MemoryTreeControl : public TreeControl {
public:
    TreeItem InsertItem(TreeItem parent, TreeItem after, const std::string& label,
                        TreeItemImage image, TreeItemKind kind) override;
    bool DeleteItem(TreeItem item) override;

    TreeItem GetParentItem(TreeItem item) const override;
    TreeItem GetChildItem(TreeItem item) const override;
    TreeItem GetNextSiblingItem(TreeItem item) const override;
    TreeItem GetPrevSiblingItem(TreeItem item) const override;

    std::string GetItemText(TreeItem item) const override;
    void SetItemText(TreeItem item, const std::string& label) override;
    TreeItemImage GetItemImage(TreeItem item) const override;
    void SetItemImage(TreeItem item, TreeItemImage image) override;
    TreeItemKind GetItemKind(TreeItem item) const override;
    void SetItemKind(TreeItem item, TreeItemKind kind) override;
    bool IsItemBold(TreeItem item) const override;
    void SetItemBold(TreeItem item, bool bold) override;

    bool IsItemChecked(TreeItem item) const override;
    void SetItemChecked(TreeItem item, bool checked) override;

    bool IsExpanded(TreeItem item) const override;
    void Expand(TreeItem item, bool expand) override;
    void SetExpandingHandler(ExpandingHandler handler) override;

    bool HasSingleExpandStyle() const override { return single_expand_; }
    void SetSingleExpandStyle(bool single) override { single_expand_ = single; }

    TreeItem GetSelectedItem() const override { return selected_; }
    void SelectItem(TreeItem item) override;
    TreeItem GetDropHighlightItem() const override { return drop_highlight_; }
    void SetDropHighlightItem(TreeItem item) override { drop_highlight_ = item; }

    void BeginDragFeedback(TreeItem item) override { drag_feedback_item_ = item; }
    void EndDragFeedback() override { drag_feedback_item_ = kNoItem; }
    TreeItem drag_feedback_item() const { return drag_feedback_item_; }

    // Refuse the next deletion, as a control may.
    void RefuseNextDelete() { refuse_next_delete_ = true; }
    size_t item_count() const { return nodes_.size() - 1; }

private:
    struct Node {
        TreeItem parent = kNoItem;
        TreeItem first_child = kNoItem;
        TreeItem last_child = kNoItem;
        TreeItem prev = kNoItem;
        TreeItem next = kNoItem;
        std::string label;
        TreeItemImage image{};
        TreeItemKind kind{};
        bool bold = false;
        bool checked = false;
        bool expanded = false;
    };

    Node& At(TreeItem item);
    const Node* Find(TreeItem item) const;
    void Unlink(TreeItem item);
    void Erase(TreeItem item);
    bool IsAncestorOf(TreeItem ancestor, TreeItem item) const;

    // kNoItem is the invisible root that holds the top-level items.
    std::unordered_map<TreeItem, Node> nodes_{{kNoItem, Node{}}};
    TreeItem next_id_ = 1;
    TreeItem selected_ = kNoItem;
    TreeItem drop_highlight_ = kNoItem;
    TreeItem drag_feedback_item_ = kNoItem;
    bool single_expand_ = false;
    bool refuse_next_delete_ = false;
    ExpandingHandler expanding_handler_;
};

}  // namespace folix
