#pragma once

#include <QIcon>
#include <QKeyEvent>
#include <QTreeWidget>

#include "platform/tree_control.h"

namespace folix::gui {

// A QTreeWidget as the core's tree control: the item operations the book's tree and the upload
// dialog's remote tree share. Each item keeps its kind and image number in data roles; the
// picture for an image and the flags of a new item are the subclass's. The view's own expansion
// is the subclass's to switch off: Expand asks the expanding handler before an item opens.
class TreeWidgetControl : public QTreeWidget, public TreeControl {
    Q_OBJECT
public:
    // image_of_nothing is what GetItemImage answers for no item.
    TreeWidgetControl(TreeItemImage image_of_nothing, QWidget* parent);

    static TreeItem ToItem(QTreeWidgetItem* item) { return reinterpret_cast<TreeItem>(item); }
    static QTreeWidgetItem* FromItem(TreeItem item) {
        return reinterpret_cast<QTreeWidgetItem*>(item);
    }

    // TreeControl
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
    bool IsExpanded(TreeItem item) const override;
    void Expand(TreeItem item, bool expand) override;
    void SetExpandingHandler(ExpandingHandler handler) override;

protected:
    // Right or + opens the current item when it has children, Left or - closes it; true when
    // the key was used so.
    bool OpenOrCloseByKey(const QKeyEvent& event);

    virtual QIcon ItemIcon(TreeItemImage image) const = 0;
    // Flags, check box and the like of an item about to be inserted.
    virtual void PrepareNewItem(QTreeWidgetItem& item) const = 0;

private:
    QTreeWidgetItem* ParentOf(TreeItem item) const;

    TreeItemImage image_of_nothing_;
    ExpandingHandler expanding_handler_;
};

}  // namespace folix::gui
