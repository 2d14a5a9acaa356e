#pragma once

#include <QPoint>

#include <functional>
#include <optional>

#include "gui/widgets/tree_widget_control.h"

class QLabel;
class QMenu;

namespace folix::gui {

class CFolixDoc;

// The tree pane: a QTreeWidget that is the book model's tree control. The view's own expansion
// is off; every way of opening a folder goes through Expand, which asks the model first. Right
// clicks never select; label edits and drags are handed to the model, which decides.
class CLeftView : public TreeWidgetControl {
    Q_OBJECT
public:
    explicit CLeftView(CFolixDoc& document, QWidget* parent = nullptr);

    // Attaches the book and applies its options, as the pane starts.
    void OnInitialUpdate();
    // The tree's context menu, made by the frame with the commands routed to this pane.
    void SetContextMenuFactory(std::function<QMenu*(QWidget*)> factory) {
        menu_factory_ = std::move(factory);
    }
    // Opens or closes the item as the writer asked (double click, keys).
    void ToggleItem(TreeItem item);
    // The selection moves to the item of the file the editor holds, opening its folders, without
    // opening anything in the editor: after every tree edit the highlighted row is that file.
    void FollowEditorFile();
    // Starts the rename of a new item, so that the writer names it at once.
    void EditLabel(TreeItem item);

signals:
    // The book's remembered tree width, for the frame's splitter.
    void TreeWidthWanted(int width);
    // A rename has been handled (the book itself may have a new name).
    void LabelEditEnded();

public:
    // TreeControl, beyond the shared item operations: inserting and deleting change the
    // selection without opening a file.
    TreeItem InsertItem(TreeItem parent, TreeItem after, const std::string& label,
                        TreeItemImage image, TreeItemKind kind) override;
    bool DeleteItem(TreeItem item) override;
    bool HasSingleExpandStyle() const override { return single_expand_; }
    void SetSingleExpandStyle(bool single) override { single_expand_ = single; }
    TreeItem GetSelectedItem() const override;
    void SelectItem(TreeItem item) override;
    TreeItem GetDropHighlightItem() const override { return drop_highlight_; }
    void SetDropHighlightItem(TreeItem item) override;
    void BeginDragFeedback(TreeItem item) override;
    void EndDragFeedback() override;

protected:
    QIcon ItemIcon(TreeItemImage image) const override;
    void PrepareNewItem(QTreeWidgetItem& item) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    // The tooltip of an item tells its 文字数 and sheets, counted when it is asked for.
    bool viewportEvent(QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);

    CFolixDoc& document_;
    std::function<QMenu*(QWidget*)> menu_factory_;
    bool single_expand_ = true;
    // Selection changes the model makes itself (deleting the selected item) open no file.
    int quiet_selection_ = 0;
    TreeItem drop_highlight_ = kNoItem;
    QPoint press_position_;
    bool press_on_item_ = false;
    // A press on an item that is not selected: a release there selects it (and opens it), a
    // drag moves it without opening it.
    QTreeWidgetItem* pending_click_ = nullptr;
    // The item whose label is being edited, which need not be the selected one.
    QTreeWidgetItem* edited_item_ = nullptr;
    bool dragging_ = false;
    QLabel* drag_image_ = nullptr;
    // The label typed in the editor, until the edit ends.
    std::optional<std::string> pending_label_;
};

}  // namespace folix::gui
