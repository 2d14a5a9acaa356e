#include "gui/upload/ftp_tree_ctrl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "book/book_tree.h"
#include "gui/widgets/tree_images.h"
#include "upload/remote_tree.h"

namespace folix::gui {
namespace {

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
QIcon RemoteIcon(TreeItemImage image) {
    if (image == kRemoteFolderImage) {
        return TreeItemIcon(kImageClosedFolder);
    }
    if (image == kRemoteFileImage) {
        return TreeItemIcon(kImageEditableFile);
    }
    return NoticeIcon();
}

}  // namespace

CFtpTreeCtrl::CFtpTreeCtrl(QWidget* parent) : TreeWidgetControl(kRemoteNoticeImage, parent) {
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

QIcon CFtpTreeCtrl::ItemIcon(TreeItemImage image) const {
    return RemoteIcon(image);
}

void CFtpTreeCtrl::PrepareNewItem(QTreeWidgetItem& item) const {
    item.setFlags((item.flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
    item.setCheckState(0, Qt::Unchecked);
}

bool CFtpTreeCtrl::IsItemChecked(TreeItem item) const {
    QTreeWidgetItem* widget_item = FromItem(item);
    return widget_item && widget_item->checkState(0) == Qt::Checked;
}

void CFtpTreeCtrl::SetItemChecked(TreeItem item, bool checked) {
    FromItem(item)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
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
    if (!OpenOrCloseByKey(*event)) {
        QTreeWidget::keyPressEvent(event);
    }
}

}  // namespace folix::gui
