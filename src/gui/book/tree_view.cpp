#include "gui/book/tree_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <utility>

#include "book/book_tree.h"
#include "book/path_parts.h"
#include "count/book_count.h"
#include "gui/book/folix_doc.h"
#include "gui/widgets/tree_images.h"
#include "notation/notation_options.h"
#include "rtf/book_text.h"

namespace folix::gui {
namespace {

// Hands the typed label to the view instead of writing it into the item: the book model sets
// the label itself, once the disk has taken the new name.
class LabelDelegate : public QStyledItemDelegate {
public:
    LabelDelegate(QObject* parent, std::function<void(const QString&)> typed)
        : QStyledItemDelegate(parent), typed_(std::move(typed)) {}

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex&) const override {
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            typed_(line->text());
        }
    }

private:
    std::function<void(const QString&)> typed_;
};

}  // namespace

CLeftView::CLeftView(CFolixDoc& document, QWidget* parent)
    : TreeWidgetControl(kImagePlaceholder, parent), document_(document) {
    setObjectName("tree");
    setHeaderHidden(true);
    setColumnCount(1);
    setItemsExpandable(false);
    setRootIsDecorated(false);
    setExpandsOnDoubleClick(false);
    setIndentation(16);
    // The book tree has no expand buttons: folders open by selection or double click.
    setStyleSheet("QTreeView::branch { image: none; border-image: none; }");
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setDragEnabled(false);
    auto* delegate = new LabelDelegate(
        this, [this](const QString& text) { pending_label_ = text.toStdString(); });
    setItemDelegate(delegate);
    connect(this, &QTreeWidget::currentItemChanged, this, &CLeftView::OnCurrentItemChanged);
}

void CLeftView::OnInitialUpdate() {
    CFileSystem& book = document_.FileSystem();
    book.AttachBook(*this, document_.PathName());
    if (!book.HasTree()) {
        return;
    }
    book.LoadOptions();
    book.LoadHtmlOptions();
    emit TreeWidthWanted(book.Options().m_nTreeWidth);
    book.SetMultiOpenStyle(book.Options().m_bMultiFolder);
    book.ApplyMultiFolderMode();
}

QIcon CLeftView::ItemIcon(TreeItemImage image) const {
    return TreeItemIcon(image);
}

void CLeftView::PrepareNewItem(QTreeWidgetItem& item) const {
    item.setFlags(item.flags() | Qt::ItemIsEditable);
}

TreeItem CLeftView::InsertItem(TreeItem parent, TreeItem after, const std::string& label,
                               TreeItemImage image, TreeItemKind kind) {
    ++quiet_selection_;
    const TreeItem item = TreeWidgetControl::InsertItem(parent, after, label, image, kind);
    --quiet_selection_;
    return item;
}

bool CLeftView::DeleteItem(TreeItem item) {
    QTreeWidgetItem* widget_item = FromItem(item);
    if (widget_item == nullptr) {
        return false;
    }
    // What the view holds on to must not outlive the branch going away.
    const auto inside = [widget_item](QTreeWidgetItem* held) {
        for (QTreeWidgetItem* walk = held; walk != nullptr; walk = walk->parent()) {
            if (walk == widget_item) {
                return true;
            }
        }
        return false;
    };
    if (drop_highlight_ != kNoItem && inside(FromItem(drop_highlight_))) {
        drop_highlight_ = kNoItem;
    }
    if (inside(pending_click_)) {
        pending_click_ = nullptr;
    }
    if (inside(edited_item_)) {
        edited_item_ = nullptr;
    }
    ++quiet_selection_;
    const bool deleted = TreeWidgetControl::DeleteItem(item);
    --quiet_selection_;
    return deleted;
}

void CLeftView::ToggleItem(TreeItem item) {
    if (document_.FileSystem().Tree().IsFolderItem(item)) {
        Expand(item, !IsExpanded(item));
    }
}

void CLeftView::FollowEditorFile() {
    CFileSystem& book = document_.FileSystem();
    // The tree search shows its own marks and branches, which the editor's file must not change.
    if (!book.HasTree() || book.Tree().m_bSearchLock) {
        return;
    }
    QTreeWidgetItem* item = FromItem(book.RevealPath(document_.PathName()));
    if (item == nullptr || item == currentItem()) {
        return;
    }
    ++quiet_selection_;
    setCurrentItem(item);
    --quiet_selection_;
    scrollToItem(item);
}

void CLeftView::EditLabel(TreeItem item) {
    if (QTreeWidgetItem* widget_item = FromItem(item)) {
        scrollToItem(widget_item);
        edit(indexFromItem(widget_item), AllEditTriggers, nullptr);
    }
}

TreeItem CLeftView::GetSelectedItem() const {
    return ToItem(currentItem());
}

void CLeftView::SelectItem(TreeItem item) {
    setCurrentItem(FromItem(item));
}

void CLeftView::SetDropHighlightItem(TreeItem item) {
    if (drop_highlight_ != kNoItem) {
        FromItem(drop_highlight_)->setBackground(0, QBrush());
    }
    drop_highlight_ = item;
    if (item != kNoItem) {
        FromItem(item)->setBackground(0, palette().highlight().color().lighter(150));
    }
}

// The dragged item's picture follows the pointer, and the tree holds the mouse until the
// button is released, wherever the pointer goes meanwhile.
void CLeftView::BeginDragFeedback(TreeItem item) {
    dragging_ = true;
    QTreeWidgetItem* widget_item = FromItem(item);
    if (widget_item != nullptr) {
        drag_image_ = new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint);
        drag_image_->setObjectName("dragImage");
        drag_image_->setPixmap(viewport()->grab(visualItemRect(widget_item)));
        drag_image_->setWindowOpacity(0.7);
        drag_image_->move(QCursor::pos() + QPoint(12, 4));
        drag_image_->show();
    }
    viewport()->setCursor(Qt::DragMoveCursor);
    viewport()->grabMouse();
}

void CLeftView::EndDragFeedback() {
    dragging_ = false;
    if (drag_image_ != nullptr) {
        drag_image_->deleteLater();
        drag_image_ = nullptr;
    }
    viewport()->unsetCursor();
    viewport()->releaseMouse();
}

bool CLeftView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip || !document_.FileSystem().HasTree()) {
        return TreeWidgetControl::viewportEvent(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    QTreeWidgetItem* item = itemAt(help->pos());
    if (item == nullptr) {
        QToolTip::hideText();
        return true;
    }
    const BookTree& tree = document_.FileSystem().Tree();
    const TreeItem at = ToItem(item);
    const std::string path = tree.ItemPath(at);
    const GridSize grid = LoadCountSettings(document_.GetUi(), tree.GetRootPath()).grid;
    TextLength length;
    if (tree.IsFolderItem(at)) {
        length = CountBook(document_.GetUi(), SiteBook{path, ParentPath(path)}, grid.cells).total;
    } else if (tree.IsTextItem(at)) {
        std::string text;
        if (ReadBookFileText(document_.GetUi(), path, text)) {
            const int upright =
                LoadNotationOptions(document_.GetUi(), tree.GetRootPath()).upright_digits;
            length = MeasureText(text, grid.cells, upright);
        }
    } else {
        QToolTip::hideText();
        return true;
    }
    QToolTip::showText(help->globalPos(),
                       QString("文字数 %1　%2行　%3枚")
                           .arg(length.characters)
                           .arg(length.grid_lines)
                           .arg(QString::fromStdString(SheetsText(length.grid_lines, grid.lines))),
                       this);
    return true;
}

void CLeftView::OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
    if (quiet_selection_ > 0 || current == nullptr) {
        return;
    }
    CFileSystem& book = document_.FileSystem();
    if (!book.HasTree()) {
        return;
    }
    const TreeItem item = ToItem(current);
    // A changed file the writer cancelled for, or chose to save and the disk refused, keeps its
    // place: the selection goes back to it and nothing else opens or closes.
    if (book.Tree().IsFileItem(item) && !document_.AskSaveIfModified()) {
        ++quiet_selection_;
        setCurrentItem(previous);
        --quiet_selection_;
        return;
    }
    if (single_expand_) {
        // The branch open for the old selection closes, unless the new one lies inside it.
        for (QTreeWidgetItem* walk = previous; walk != nullptr; walk = walk->parent()) {
            bool ancestor = false;
            for (QTreeWidgetItem* up = current; up != nullptr; up = up->parent()) {
                ancestor = ancestor || up == walk;
            }
            if (!ancestor) {
                Expand(ToItem(walk), false);
            }
        }
        Expand(item, true);
    }
    if (book.Tree().IsFileItem(item)) {
        document_.OpenDocument(book.Tree().ItemPath(item));
    }
}

void CLeftView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();  // a right click neither selects nor starts a drag
        return;
    }
    pending_click_ = nullptr;
    if (event->button() == Qt::LeftButton) {
        press_position_ = event->position().toPoint();
        QTreeWidgetItem* item = itemAt(press_position_);
        press_on_item_ = item != nullptr;
        // Only the release decides whether this is a click, which selects, or a drag, which
        // does not.
        if (item != nullptr && item != currentItem() && state() != EditingState &&
            event->modifiers() == Qt::NoModifier) {
            pending_click_ = item;
            setFocus(Qt::MouseFocusReason);
            event->accept();
            return;
        }
    }
    QTreeWidget::mousePressEvent(event);
}

void CLeftView::mouseMoveEvent(QMouseEvent* event) {
    CFileSystem& book = document_.FileSystem();
    const QPoint position = event->position().toPoint();
    if (!dragging_ && press_on_item_ && (event->buttons() & Qt::LeftButton) &&
        (position - press_position_).manhattanLength() >= QApplication::startDragDistance() &&
        book.HasTree() && state() != QAbstractItemView::EditingState) {
        press_on_item_ = false;
        pending_click_ = nullptr;
        book.OnBegindrag(ToItem(itemAt(press_position_)));
    }
    if (dragging_) {
        if (drag_image_ != nullptr) {
            drag_image_->move(event->globalPosition().toPoint() + QPoint(12, 4));
        }
        book.OnMouseMove(ToItem(itemAt(position)));
        event->accept();
        return;
    }
    // The view's own selecting by dragging would open every file the pointer passes; with the
    // button held the tree waits for the release.
    if (event->buttons() & Qt::LeftButton) {
        event->accept();
        return;
    }
    QTreeWidget::mouseMoveEvent(event);
}

void CLeftView::mouseReleaseEvent(QMouseEvent* event) {
    press_on_item_ = false;
    if (dragging_ && event->button() == Qt::LeftButton) {
        document_.FileSystem().OnLButtonUp();
        FollowEditorFile();
        event->accept();
        return;
    }
    if (QTreeWidgetItem* clicked = std::exchange(pending_click_, nullptr);
        clicked != nullptr && event->button() == Qt::LeftButton) {
        if (itemAt(event->position().toPoint()) == clicked) {
            setCurrentItem(clicked);
        }
        event->accept();
        return;
    }
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QTreeWidget::mouseReleaseEvent(event);
}

void CLeftView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    // The first click of the two, on a selected item, has asked for a rename a moment later; a
    // double click is not a rename, so that request is withdrawn.
    QTreeWidget::edit(indexAt(event->position().toPoint()), DoubleClicked, event);
    if (item != nullptr && !single_expand_ && event->button() == Qt::LeftButton) {
        ToggleItem(ToItem(item));
    }
    event->accept();
}

void CLeftView::keyPressEvent(QKeyEvent* event) {
    if (OpenOrCloseByKey(*event)) {
        return;
    }
    const TreeItem item = ToItem(currentItem());
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (item != kNoItem && state() != QAbstractItemView::EditingState) {
                ToggleItem(item);
                return;
            }
            break;
        default:
            break;
    }
    QTreeWidget::keyPressEvent(event);
}

void CLeftView::contextMenuEvent(QContextMenuEvent* event) {
    // A right click reaches us through the viewport, in its coordinates.
    QTreeWidgetItem* item = itemAt(event->pos());
    event->accept();
    if (item == nullptr || !menu_factory_ || !document_.FileSystem().HasTree()) {
        return;
    }
    document_.FileSystem().m_hContextItem = ToItem(item);
    QMenu* menu = menu_factory_(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos() + QPoint(10, 0));
}

// The save question comes once, as the rename ends, where the book model asks it.
bool CLeftView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!document_.FileSystem().HasTree()) {
        return false;
    }
    const bool was_editing = state() == EditingState;
    const bool started = QTreeWidget::edit(index, trigger, event);
    if (!was_editing && started) {
        pending_label_.reset();
        edited_item_ = itemFromIndex(index);
    }
    return started;
}

// Tab and Shift+Tab end the rename like Return; they never go on to edit, or open, the next item
// before this rename is done.
void CLeftView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTreeWidgetItem* item = std::exchange(edited_item_, nullptr);
    if (hint == QAbstractItemDelegate::EditNextItem ||
        hint == QAbstractItemDelegate::EditPreviousItem) {
        hint = QAbstractItemDelegate::SubmitModelCache;
    }
    QTreeWidget::closeEditor(editor, hint);
    std::optional<std::string> text =
        hint == QAbstractItemDelegate::RevertModelCache ? std::nullopt : pending_label_;
    pending_label_.reset();
    if (item != nullptr) {
        document_.FileSystem().FinishLabelEdit(ToItem(item), text);
        FollowEditorFile();
        emit LabelEditEnded();
    }
}

}  // namespace folix::gui
