#include "gui/widgets/tree_widget_control.h"

namespace folix::gui {
namespace {

constexpr int kKindRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;

QTreeWidgetItem* ParentOrRoot(QTreeWidgetItem* item) {
    return item->parent() ? item->parent() : item->treeWidget()->invisibleRootItem();
}

}  // namespace

TreeWidgetControl::TreeWidgetControl(TreeItemImage image_of_nothing, QWidget* parent)
    : QTreeWidget(parent), image_of_nothing_(image_of_nothing) {}

QTreeWidgetItem* TreeWidgetControl::ParentOf(TreeItem item) const {
    return item == kNoItem ? invisibleRootItem() : FromItem(item);
}

TreeItem TreeWidgetControl::InsertItem(TreeItem parent, TreeItem after, const std::string& label,
                                       TreeItemImage image, TreeItemKind kind) {
    QTreeWidgetItem* parent_item = ParentOf(parent);
    auto* item = new QTreeWidgetItem;
    PrepareNewItem(*item);
    item->setText(0, QString::fromStdString(label));
    item->setData(0, kKindRole, static_cast<int>(kind));
    item->setData(0, kImageRole, static_cast<int>(image));
    item->setIcon(0, ItemIcon(image));
    int index = 0;
    if (after == kInsertLast) {
        index = parent_item->childCount();
    } else if (after != kInsertFirst) {
        index = parent_item->indexOfChild(FromItem(after)) + 1;
    }
    parent_item->insertChild(index, item);
    return ToItem(item);
}

bool TreeWidgetControl::DeleteItem(TreeItem item) {
    QTreeWidgetItem* widget_item = FromItem(item);
    if (widget_item == nullptr) {
        return false;
    }
    delete widget_item;
    return true;
}

TreeItem TreeWidgetControl::GetParentItem(TreeItem item) const {
    QTreeWidgetItem* widget_item = FromItem(item);
    return widget_item ? ToItem(widget_item->parent()) : kNoItem;
}

TreeItem TreeWidgetControl::GetChildItem(TreeItem item) const {
    QTreeWidgetItem* parent = ParentOf(item);
    return parent->childCount() > 0 ? ToItem(parent->child(0)) : kNoItem;
}

TreeItem TreeWidgetControl::GetNextSiblingItem(TreeItem item) const {
    QTreeWidgetItem* widget_item = FromItem(item);
    if (widget_item == nullptr) {
        return kNoItem;
    }
    QTreeWidgetItem* parent = ParentOrRoot(widget_item);
    return ToItem(parent->child(parent->indexOfChild(widget_item) + 1));
}

TreeItem TreeWidgetControl::GetPrevSiblingItem(TreeItem item) const {
    QTreeWidgetItem* widget_item = FromItem(item);
    if (widget_item == nullptr) {
        return kNoItem;
    }
    QTreeWidgetItem* parent = ParentOrRoot(widget_item);
    const int index = parent->indexOfChild(widget_item);
    return index > 0 ? ToItem(parent->child(index - 1)) : kNoItem;
}

std::string TreeWidgetControl::GetItemText(TreeItem item) const {
    QTreeWidgetItem* widget_item = FromItem(item);
    return widget_item ? widget_item->text(0).toStdString() : std::string();
}

void TreeWidgetControl::SetItemText(TreeItem item, const std::string& label) {
    FromItem(item)->setText(0, QString::fromStdString(label));
}

TreeItemImage TreeWidgetControl::GetItemImage(TreeItem item) const {
    QTreeWidgetItem* widget_item = FromItem(item);
    return widget_item ? static_cast<TreeItemImage>(widget_item->data(0, kImageRole).toInt())
                       : image_of_nothing_;
}

void TreeWidgetControl::SetItemImage(TreeItem item, TreeItemImage image) {
    FromItem(item)->setData(0, kImageRole, static_cast<int>(image));
    FromItem(item)->setIcon(0, ItemIcon(image));
}

TreeItemKind TreeWidgetControl::GetItemKind(TreeItem item) const {
    QTreeWidgetItem* widget_item = FromItem(item);
    return widget_item ? static_cast<TreeItemKind>(widget_item->data(0, kKindRole).toInt())
                       : TreeItemKind{};
}

void TreeWidgetControl::SetItemKind(TreeItem item, TreeItemKind kind) {
    FromItem(item)->setData(0, kKindRole, static_cast<int>(kind));
}

bool TreeWidgetControl::IsItemBold(TreeItem item) const {
    QTreeWidgetItem* widget_item = FromItem(item);
    return widget_item && widget_item->font(0).bold();
}

void TreeWidgetControl::SetItemBold(TreeItem item, bool bold) {
    QFont font = FromItem(item)->font(0);
    font.setBold(bold);
    FromItem(item)->setFont(0, font);
}

bool TreeWidgetControl::IsExpanded(TreeItem item) const {
    QTreeWidgetItem* widget_item = FromItem(item);
    return widget_item && widget_item->isExpanded();
}

// An item without children does not open; the handler (the model) may take the request over.
// A listing that found the folder empty leaves nothing to open.
void TreeWidgetControl::Expand(TreeItem item, bool expand) {
    QTreeWidgetItem* widget_item = FromItem(item);
    if (widget_item == nullptr || widget_item->isExpanded() == expand) {
        return;
    }
    if (expand && widget_item->childCount() == 0) {
        return;
    }
    if (expanding_handler_ && expanding_handler_(item, expand)) {
        return;
    }
    widget_item->setExpanded(expand && widget_item->childCount() > 0);
}

bool TreeWidgetControl::OpenOrCloseByKey(const QKeyEvent& event) {
    const TreeItem item = ToItem(currentItem());
    if (item == kNoItem) {
        return false;
    }
    switch (event.key()) {
        case Qt::Key_Right:
        case Qt::Key_Plus:
            if (!IsExpanded(item) && currentItem()->childCount() > 0) {
                Expand(item, true);
                return true;
            }
            return false;
        case Qt::Key_Left:
        case Qt::Key_Minus:
            if (IsExpanded(item)) {
                Expand(item, false);
                return true;
            }
            return false;
        default:
            return false;
    }
}

void TreeWidgetControl::SetExpandingHandler(ExpandingHandler handler) {
    expanding_handler_ = std::move(handler);
}

}  // namespace folix::gui
