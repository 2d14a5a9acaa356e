#pragma once

#include "gui/widgets/tree_widget_control.h"

namespace folix::gui {

// The server's folders and files in the upload dialog: a QTreeWidget that is the remote tree's
// tree control, with a check box on every item, dotted lines and expand buttons. The view's own
// expansion is off: a click on a button, a double click or a key goes through Expand, so the
// remote tree lists the folder from the server before it opens or closes.
class CFtpTreeCtrl : public TreeWidgetControl {
    Q_OBJECT
public:
    explicit CFtpTreeCtrl(QWidget* parent = nullptr);

    // The lines and buttons of the top-level items, which the remote tree switches on while the
    // server's root holds something.
    void SetLinesAtRoot(bool lines) { setRootIsDecorated(lines); }
    // Opens a closed folder, closes an open one.
    void ToggleItem(TreeItem item);

    // TreeControl, beyond the shared item operations
    bool IsItemChecked(TreeItem item) const override;
    void SetItemChecked(TreeItem item, bool checked) override;
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
    QIcon ItemIcon(TreeItemImage image) const override;
    void PrepareNewItem(QTreeWidgetItem& item) const override;
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // True when the point lies on the expand button of the item's row.
    bool OnButton(QTreeWidgetItem* item, const QPoint& point) const;
};

}  // namespace folix::gui
