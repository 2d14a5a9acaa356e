#pragma once

#include <QTreeWidget>

#include "platform/tree_control.h"

namespace folix::gui {

// The server's folders and files in the upload dialog: a QTreeWidget that is the remote tree's
// tree control, with a check box on every item, dotted lines and expand buttons. The view's own
// expansion is off: a click on a button, a double click or a key goes through Expand, so the
// remote tree lists the folder from the server before it opens or closes.
class CFtpTreeCtrl : public QTreeWidget, public TreeControl {
    Q_OBJECT
public:
    explicit CFtpTreeCtrl(QWidget* parent = nullptr);

    // The lines and buttons of the top-level items, which the remote tree switches on while the
    // server's root holds something.
    void SetLinesAtRoot(bool lines) { setRootIsDecorated(lines); }
    // Opens a closed folder, closes an open one.
    void ToggleItem(TreeItem item);

    static TreeItem ToItem(QTreeWidgetItem* item) { return reinterpret_cast<TreeItem>(item); }
    static QTreeWidgetItem* FromItem(TreeItem item) {
        return reinterpret_cast<QTreeWidgetItem*>(item);
    }

    // TreeControl
    TreeItem InsertItem(TreeItem parent, TreeItem after, const std::string& label, int image,
                        int kind) override;
    bool DeleteItem(TreeItem item) override;
    TreeItem GetParentItem(TreeItem item) const override;
    TreeItem GetChildItem(TreeItem item) const override;
    TreeItem GetNextSiblingItem(TreeItem item) const override;
    TreeItem GetPrevSiblingItem(TreeItem item) const override;
    std::string GetItemText(TreeItem item) const override;
    void SetItemText(TreeItem item, const std::string& label) override;
    int GetItemImage(TreeItem item) const override;
    void SetItemImage(TreeItem item, int image) override;
    int GetItemKind(TreeItem item) const override;
    void SetItemKind(TreeItem item, int kind) override;
    bool IsItemBold(TreeItem item) const override;
    void SetItemBold(TreeItem item, bool bold) override;
    bool IsItemChecked(TreeItem item) const override;
    void SetItemChecked(TreeItem item, bool checked) override;
    bool IsExpanded(TreeItem item) const override;
    void Expand(TreeItem item, bool expand) override;
    void SetExpandingHandler(ExpandingHandler handler) override;
    // The remote tree opens several folders at once; selecting opens nothing.
    bool HasSingleExpandStyle() const override { return false; }
    void SetSingleExpandStyle(bool) override {}
    TreeItem GetSelectedItem() const override;
    void SelectItem(TreeItem item) override;
    // Nothing is dragged in the remote tree.
    TreeItem GetDropHighlightItem() const override { return kNoItem; }
    void SetDropHighlightItem(TreeItem) override {}
    void BeginDragFeedback(TreeItem) override {}
    void EndDragFeedback() override {}

protected:
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTreeWidgetItem* ParentOf(TreeItem item) const;
    // True when the point lies on the expand button of the item's row.
    bool OnButton(QTreeWidgetItem* item, const QPoint& point) const;

    ExpandingHandler expanding_handler_;
};

}  // namespace folix::gui
