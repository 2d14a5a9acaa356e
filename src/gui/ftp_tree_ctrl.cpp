#include "gui/ftp_tree_ctrl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "book/book_tree.h"
#include "gui/tree_images.h"
#include "upload/remote_tree.h"

namespace folix::gui {
namespace {

constexpr int kKindRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kButtonSize = 9;

// The notice that no connection is open: a grey disc crossed out.
QIcon NoticeIcon() {
    static QIcon icon;
    if (icon.isNull()) {
        QPixmap pixmap(32, 32);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(110, 110, 110), 2));
        p.setBrush(QColor(220, 220, 220));
        p.drawEllipse(QRectF(4, 4, 24, 24));
        p.setPen(QPen(QColor(190, 40, 40), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(10, 22), QPointF(22, 10));
        icon = QIcon(pixmap);
    }
    return icon;
}

// The three images of the remote tree: the notice, a folder, a file. Folders and files look as
// they do in the book's own tree.
QIcon RemoteIcon(int image) {
    switch (image) {
        case kRemoteFolderImage:
            return TreeItemIcon(kImageClosedFolder);
        case kRemoteFileImage:
            return TreeItemIcon(kImageEditableFile);
        default:
            return NoticeIcon();
    }
}

}  // namespace

CFtpTreeCtrl::CFtpTreeCtrl(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("remote_tree");
    setHeaderHidden(true);
    setColumnCount(1);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setRootIsDecorated(false);
    setIndentation(19);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformRowHeights(true);
}

QTreeWidgetItem* CFtpTreeCtrl::ParentOf(TreeItem item) const {
    return item == kNoItem ? invisibleRootItem() : FromItem(item);
}

TreeItem CFtpTreeCtrl::InsertItem(TreeItem parent, TreeItem after, const std::string& label,
                                  int image, int kind) {
    QTreeWidgetItem* parent_item = ParentOf(parent);
    auto* item = new QTreeWidgetItem;
    item->setFlags((item->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
    item->setCheckState(0, Qt::Unchecked);
    item->setText(0, QString::fromStdString(label));
    item->setData(0, kKindRole, kind);
    item->setData(0, kImageRole, image);
    item->setIcon(0, RemoteIcon(image));
    int index = 0;
    if (after == kInsertLast) {
        index = parent_item->childCount();
    } else if (after != kInsertFirst) {
        index = parent_item->indexOfChild(FromItem(after)) + 1;
    }
    parent_item->insertChild(index, item);
    return ToItem(item);
}

bool CFtpTreeCtrl::DeleteItem(TreeItem item) {
    QTreeWidgetItem* widget_item = FromItem(item);
    if (widget_item == nullptr) {
        return false;
    }
    delete widget_item;
    return true;
}

TreeItem CFtpTreeCtrl::GetParentItem(TreeItem item) const {
    QTreeWidgetItem* widget_item = FromItem(item);
    return widget_item ? ToItem(widget_item->parent()) : kNoItem;
}

TreeItem CFtpTreeCtrl::GetChildItem(TreeItem item) const {
    QTreeWidgetItem* parent = ParentOf(item);
    return parent->childCount() > 0 ? ToItem(parent->child(0)) : kNoItem;
}

TreeItem CFtpTreeCtrl::GetNextSiblingItem(TreeItem item) const {
    QTreeWidgetItem* widget_item = FromItem(item);
    if (widget_item == nullptr) {
        return kNoItem;
    }
    QTreeWidgetItem* parent = widget_item->parent() ? widget_item->parent() : invisibleRootItem();
    return ToItem(parent->child(parent->indexOfChild(widget_item) + 1));
}

TreeItem CFtpTreeCtrl::GetPrevSiblingItem(TreeItem item) const {
    QTreeWidgetItem* widget_item = FromItem(item);
    if (widget_item == nullptr) {
        return kNoItem;
    }
    QTreeWidgetItem* parent = widget_item->parent() ? widget_item->parent() : invisibleRootItem();
    const int index = parent->indexOfChild(widget_item);
    return index > 0 ? ToItem(parent->child(index - 1)) : kNoItem;
}

std::string CFtpTreeCtrl::GetItemText(TreeItem item) const {
    QTreeWidgetItem* widget_item = FromItem(item);
    return widget_item ? widget_item->text(0).toStdString() : std::string();
}

void CFtpTreeCtrl::SetItemText(TreeItem item, const std::string& label) {
    FromItem(item)->setText(0, QString::fromStdString(label));
}

int CFtpTreeCtrl::GetItemImage(TreeItem item) const {
    QTreeWidgetItem* widget_item = FromItem(item);
    return widget_item ? widget_item->data(0, kImageRole).toInt() : kRemoteNoticeImage;
}

void CFtpTreeCtrl::SetItemImage(TreeItem item, int image) {
    FromItem(item)->setData(0, kImageRole, image);
    FromItem(item)->setIcon(0, RemoteIcon(image));
}

int CFtpTreeCtrl::GetItemKind(TreeItem item) const {
    QTreeWidgetItem* widget_item = FromItem(item);
    return widget_item ? widget_item->data(0, kKindRole).toInt() : 0;
}

void CFtpTreeCtrl::SetItemKind(TreeItem item, int kind) {
    FromItem(item)->setData(0, kKindRole, kind);
}

bool CFtpTreeCtrl::IsItemBold(TreeItem item) const {
    QTreeWidgetItem* widget_item = FromItem(item);
    return widget_item && widget_item->font(0).bold();
}

void CFtpTreeCtrl::SetItemBold(TreeItem item, bool bold) {
    QFont font = FromItem(item)->font(0);
    font.setBold(bold);
    FromItem(item)->setFont(0, font);
}

bool CFtpTreeCtrl::IsItemChecked(TreeItem item) const {
    QTreeWidgetItem* widget_item = FromItem(item);
    return widget_item && widget_item->checkState(0) == Qt::Checked;
}

void CFtpTreeCtrl::SetItemChecked(TreeItem item, bool checked) {
    FromItem(item)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

bool CFtpTreeCtrl::IsExpanded(TreeItem item) const {
    QTreeWidgetItem* widget_item = FromItem(item);
    return widget_item && widget_item->isExpanded();
}

void CFtpTreeCtrl::Expand(TreeItem item, bool expand) {
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
    // The listing may have found the folder empty: there is nothing to open then.
    widget_item->setExpanded(expand && widget_item->childCount() > 0);
}

void CFtpTreeCtrl::SetExpandingHandler(ExpandingHandler handler) {
    expanding_handler_ = std::move(handler);
}

void CFtpTreeCtrl::ToggleItem(TreeItem item) {
    if (item != kNoItem) {
        Expand(item, !IsExpanded(item));
    }
}

TreeItem CFtpTreeCtrl::GetSelectedItem() const {
    QTreeWidgetItem* item = currentItem();
    return item != nullptr && item->isSelected() ? ToItem(item) : kNoItem;
}

void CFtpTreeCtrl::SelectItem(TreeItem item) {
    setCurrentItem(FromItem(item));
    if (item != kNoItem) {
        scrollToItem(FromItem(item));
    }
}

bool CFtpTreeCtrl::OnButton(QTreeWidgetItem* item, const QPoint& point) const {
    if (item == nullptr || item->childCount() == 0) {
        return false;
    }
    const QRect row = visualItemRect(item);
    // The button sits in the last indentation step before the item's own content.
    return point.x() < row.left() && point.x() >= row.left() - indentation();
}

void CFtpTreeCtrl::drawBranches(QPainter* painter, const QRect& rect,
                                const QModelIndex& index) const {
    const int step = indentation();
    if (rect.width() < step) {
        return;  // a top-level item while the lines at the root are off
    }
    painter->save();
    QPen dotted(QColor(128, 128, 128));
    dotted.setStyle(Qt::DotLine);
    painter->setPen(dotted);
    const int middle_y = rect.center().y();
    int left = rect.right() + 1 - step;
    // The item's own step: a line from its parent's line to the item; then, further left, the
    // lines of the ancestors that have siblings still to come below.
    bool own = true;
    for (QModelIndex walk = index; walk.isValid() && left >= rect.left();
         walk = walk.parent(), left -= step) {
        const bool more_below = walk.sibling(walk.row() + 1, 0).isValid();
        const int middle_x = left + step / 2;
        if (own) {
            const bool first_at_top = !walk.parent().isValid() && walk.row() == 0;
            painter->drawLine(middle_x, first_at_top ? middle_y : rect.top(), middle_x,
                              more_below ? rect.bottom() : middle_y);
            painter->drawLine(middle_x, middle_y, left + step - 2, middle_y);
        } else if (more_below) {
            painter->drawLine(middle_x, rect.top(), middle_x, rect.bottom());
        }
        own = false;
    }
    if (model()->hasChildren(index)) {
        const int middle_x = rect.right() + 1 - step + step / 2;
        const QRect button(middle_x - kButtonSize / 2, middle_y - kButtonSize / 2, kButtonSize - 1,
                           kButtonSize - 1);
        painter->setPen(QColor(128, 128, 128));
        painter->setBrush(Qt::white);
        painter->drawRect(button);
        painter->setPen(Qt::black);
        painter->drawLine(button.left() + 2, middle_y, button.right() - 2, middle_y);
        if (!isExpanded(index)) {
            painter->drawLine(middle_x, button.top() + 2, middle_x, button.bottom() - 2);
        }
    }
    painter->restore();
}

void CFtpTreeCtrl::mousePressEvent(QMouseEvent* event) {
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && OnButton(item, event->position().toPoint())) {
        ToggleItem(ToItem(item));
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void CFtpTreeCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (item != nullptr && event->button() == Qt::LeftButton &&
        !OnButton(item, event->position().toPoint())) {
        ToggleItem(ToItem(item));
    }
    event->accept();
}

void CFtpTreeCtrl::keyPressEvent(QKeyEvent* event) {
    const TreeItem item = ToItem(currentItem());
    switch (event->key()) {
        case Qt::Key_Right:
        case Qt::Key_Plus:
            if (item != kNoItem && !IsExpanded(item) && FromItem(item)->childCount() > 0) {
                Expand(item, true);
                return;
            }
            break;
        case Qt::Key_Left:
        case Qt::Key_Minus:
            if (item != kNoItem && IsExpanded(item)) {
                Expand(item, false);
                return;
            }
            break;
        default:
            break;
    }
    QTreeWidget::keyPressEvent(event);
}

}  // namespace folix::gui
