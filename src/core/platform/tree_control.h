#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace folix {

// A handle of one item of a tree control; kNoItem stands for none (and, as a parent, for the
// control's own invisible root).
using TreeItem = std::uint64_t;
inline constexpr TreeItem kNoItem = 0;
// The picture an item shows beside its label, and its kind (kept in the item's data): numbers
// each tree gives a meaning of its own (the book's tree, the upload's remote tree), of two types
// so that one cannot be passed for the other.
enum class TreeItemImage : int {};
enum class TreeItemKind : int {};

// Positions for InsertItem besides "after this sibling".
inline constexpr TreeItem kInsertFirst = ~TreeItem{0};
inline constexpr TreeItem kInsertLast = ~TreeItem{0} - 1;

// The tree-control operations the book model needs. The Qt tree view implements it for the
// window, MemoryTreeControl for the command line and the tests; the book model's algorithms
// depend only on what is promised here.
class TreeControl {
public:
    // Called before an item opens (expand true) or closes; returning true refuses the change.
    using ExpandingHandler = std::function<bool(TreeItem item, bool expand)>;

    virtual ~TreeControl() = default;

    // Inserts under parent after the given sibling (or kInsertFirst / kInsertLast).
    virtual TreeItem InsertItem(TreeItem parent, TreeItem after, const std::string& label,
                                TreeItemImage image, TreeItemKind kind) = 0;
    // Deletes the item with all its children; false when the control refuses.
    virtual bool DeleteItem(TreeItem item) = 0;

    virtual TreeItem GetParentItem(TreeItem item) const = 0;
    virtual TreeItem GetChildItem(TreeItem item) const = 0;
    virtual TreeItem GetNextSiblingItem(TreeItem item) const = 0;
    virtual TreeItem GetPrevSiblingItem(TreeItem item) const = 0;

    virtual std::string GetItemText(TreeItem item) const = 0;
    virtual void SetItemText(TreeItem item, const std::string& label) = 0;
    // The same image is used for the normal and the selected state.
    virtual TreeItemImage GetItemImage(TreeItem item) const = 0;
    virtual void SetItemImage(TreeItem item, TreeItemImage image) = 0;
    // The item's data: its kind number.
    virtual TreeItemKind GetItemKind(TreeItem item) const = 0;
    virtual void SetItemKind(TreeItem item, TreeItemKind kind) = 0;
    virtual bool IsItemBold(TreeItem item) const = 0;
    virtual void SetItemBold(TreeItem item, bool bold) = 0;

    // The check box of an item, on a tree that shows them (the remote tree of the upload, whose
    // ticks mark files to delete). A tree without check boxes has every item unticked.
    virtual bool IsItemChecked(TreeItem) const { return false; }
    virtual void SetItemChecked(TreeItem, bool) {}

    virtual bool IsExpanded(TreeItem item) const = 0;
    // Opens or closes the item. When its state would change, the expanding handler is asked
    // first, and nothing changes when it refuses. An item without children does not open and
    // raises no notice.
    virtual void Expand(TreeItem item, bool expand) = 0;
    virtual void SetExpandingHandler(ExpandingHandler handler) = 0;

    // Single-expand style: selecting an item opens it and closes the branch selected before.
    virtual bool HasSingleExpandStyle() const = 0;
    virtual void SetSingleExpandStyle(bool single) = 0;

    virtual TreeItem GetSelectedItem() const = 0;
    virtual void SelectItem(TreeItem item) = 0;
    virtual TreeItem GetDropHighlightItem() const = 0;
    virtual void SetDropHighlightItem(TreeItem item) = 0;

    // The drag's visible side: a drag image following the pointer and the mouse held by the
    // tree from the start of a drag to its end.
    virtual void BeginDragFeedback(TreeItem item) = 0;
    virtual void EndDragFeedback() = 0;
};

}  // namespace folix
