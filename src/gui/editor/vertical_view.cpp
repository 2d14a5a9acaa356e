#include "gui/editor/vertical_view.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextBlock>
#include <QTextDocument>

#include <cmath>

#include "gui/editor/editor_view.h"

namespace folix::gui {

VerticalView::VerticalView(CFolixView& editor, QWidget* parent)
    : QAbstractScrollArea(parent), editor_(editor) {
    setObjectName("verticalEditor");
    setAttribute(Qt::WA_InputMethodEnabled, true);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The text starts at the right: the scroll bar's zero is its right end.
    horizontalScrollBar()->setInvertedAppearance(true);
    horizontalScrollBar()->setInvertedControls(true);
    FollowDocument();
    connect(&editor_, &CFolixView::DocumentSwitched, this, [this] {
        FollowDocument();
        CatchUp();
    });
    connect(&editor_, &CFolixView::cursorPositionChanged, this, [this] {
        if (isVisible()) {
            EnsureCaretVisible();
            RestartBlinking();
        }
    });
    connect(&editor_, &CFolixView::selectionChanged, viewport(), qOverload<>(&QWidget::update));
    connect(&editor_, &CFolixView::ZoomChanged, this, [this] {
        CatchUp();
        if (isVisible()) {
            EnsureCaretVisible();
        }
    });
}

// A layout over the editor's shown document. Hidden (horizontal writing), the view waits:
// laying a long file out in columns on every change would slow the horizontal editor down.
// Shown again, it catches up at once.
void VerticalView::FollowDocument() {
    layout_ = std::make_unique<VerticalLayout>(editor_.document());
    disconnect(document_changed_);
    document_changed_ =
        connect(editor_.document(), &QTextDocument::contentsChanged, this, [this] { CatchUp(); });
}

void VerticalView::CatchUp() {
    if (isVisible()) {
        UpdateScrollRange();
        viewport()->update();
    }
}

void VerticalView::SyncFont() {
    const QFont font = editor_.document()->defaultFont();
    if (font != layout_->Font()) {
        layout_->SetFont(font);
    }
    layout_->SetColumnHeight(viewport()->height() - 2 * margin_);
    layout_->SetUprightDigits(editor_.UprightDigits());
    // The caret's paragraph shows the notation as typed, so that it can be edited.
    layout_->SetTypedBlock(editor_.textCursor().blockNumber());
}

VerticalLayout& VerticalView::Layout() {
    SyncFont();
    return *layout_;
}

bool VerticalView::Writable() const {
    return !editor_.isReadOnly();
}

// Layout x runs leftwards from 0 at the first column's right edge; the scroll value is how far
// the page has been pulled to the right to show later columns.
QPointF VerticalView::ToViewport(const QPointF& point) const {
    return {point.x() + viewport()->width() - margin_ + horizontalScrollBar()->value(),
            point.y() + margin_};
}

QPointF VerticalView::FromViewport(const QPointF& point) const {
    return {point.x() - viewport()->width() + margin_ - horizontalScrollBar()->value(),
            point.y() - margin_};
}

QRect VerticalView::CaretRectInViewport() {
    const QRectF caret = Layout().CaretRect(editor_.textCursor().position());
    return QRectF(ToViewport(caret.topLeft()), caret.size()).toAlignedRect();
}

int VerticalView::VisibleColumns() const {
    const qreal pitch = layout_->ColumnPitch();
    return qMax(1, static_cast<int>((viewport()->width() - 2 * margin_) / pitch));
}

void VerticalView::UpdateScrollRange() {
    VerticalLayout& layout = Layout();
    const qreal width = layout.ColumnCount() * layout.ColumnPitch() + 2 * margin_;
    QScrollBar* bar = horizontalScrollBar();
    bar->setRange(0, qMax(0, static_cast<int>(std::ceil(width)) - viewport()->width()));
    bar->setPageStep(viewport()->width());
    bar->setSingleStep(static_cast<int>(layout.ColumnPitch()));
}

// The scroll values that show the caret's whole column: lowest has it at the left edge,
// highest at the right.
std::pair<int, int> VerticalView::CaretScrollRange() {
    UpdateScrollRange();
    VerticalLayout& layout = Layout();
    const int column = layout.ColumnOfPosition(editor_.textCursor().position());
    const qreal right = layout.ColumnRight(column);
    const qreal left = right - layout.ColumnPitch();
    return {static_cast<int>(std::ceil(2 * margin_ - viewport()->width() - left)),
            static_cast<int>(std::floor(-right))};
}

void VerticalView::EnsureCaretVisible() {
    const auto [lowest, highest] = CaretScrollRange();
    QScrollBar* bar = horizontalScrollBar();
    if (bar->value() < lowest) {
        bar->setValue(lowest);
    } else if (bar->value() > highest) {
        bar->setValue(highest);
    }
}

// The caret's column well inside the pane: near an edge, or outside, it goes to the middle.
void VerticalView::BringCaretIntoView() {
    const auto [lowest, highest] = CaretScrollRange();
    const int margin = viewport()->width() / 5;
    QScrollBar* bar = horizontalScrollBar();
    if (bar->value() < lowest + margin || bar->value() > highest - margin) {
        bar->setValue((lowest + highest) / 2);
    }
}

void VerticalView::paintEvent(QPaintEvent*) {
    VerticalLayout& layout = Layout();
    QPainter painter(viewport());
    const QPalette& colors = editor_.palette();
    painter.fillRect(viewport()->rect(), colors.color(QPalette::Base));
    painter.translate(ToViewport(QPointF(0, 0)));
    const qreal pitch = layout.ColumnPitch();
    const qreal shown_from = horizontalScrollBar()->value() - margin_;
    const int first = qMax(0, static_cast<int>(std::floor(shown_from / pitch)));
    const int last = static_cast<int>(std::ceil((shown_from + viewport()->width()) / pitch));
    const QTextCursor cursor = editor_.textCursor();
    VerticalLayout::Colors ink;
    ink.text = colors.color(QPalette::Text);
    ink.highlight = colors.color(QPalette::Highlight);
    ink.highlighted_text = colors.color(QPalette::HighlightedText);
    layout.Draw(painter, first, last, cursor.selectionStart(), cursor.selectionEnd(), ink);

    // The text being composed is laid out in the paragraph itself; the caret stands in it.
    if (caret_shown_ && !cursor.hasSelection()) {
        painter.fillRect(layout.CaretRect(cursor.position()), ink.text);
    }
}

void VerticalView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

void VerticalView::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    UpdateScrollRange();
}

void VerticalView::scrollContentsBy(int, int) {
    viewport()->update();
}

void VerticalView::MoveTo(QTextCursor& cursor, int position, QTextCursor::MoveMode mode) {
    cursor.setPosition(position, mode);
}

void VerticalView::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Copy) {
        editor_.copy();
        return;
    }
    if (event == QKeySequence::SelectAll) {
        editor_.selectAll();
        viewport()->update();
        return;
    }
    if (Writable()) {
        if (event == QKeySequence::Cut) {
            editor_.cut();
            return;
        }
        if (event == QKeySequence::Paste) {
            editor_.paste();
            return;
        }
        if (event == QKeySequence::Undo) {
            editor_.undo();
            return;
        }
        if (event == QKeySequence::Redo) {
            editor_.redo();
            return;
        }
    }
    VerticalLayout& layout = Layout();
    QTextCursor cursor = editor_.textCursor();
    const auto mode = (event->modifiers() & Qt::ShiftModifier) ? QTextCursor::KeepAnchor
                                                               : QTextCursor::MoveAnchor;
    const bool control = event->modifiers() & Qt::ControlModifier;
    const int position = cursor.position();
    const int column = layout.ColumnOfPosition(position);
    const qreal y = layout.CaretRect(position).center().y();
    const int last_column = layout.ColumnCount() - 1;
    bool handled = true;
    // Down the column is forward in the text; the next column is to the left.
    switch (event->key()) {
        case Qt::Key_Up:
            cursor.movePosition(QTextCursor::PreviousCharacter, mode);
            break;
        case Qt::Key_Down:
            cursor.movePosition(QTextCursor::NextCharacter, mode);
            break;
        case Qt::Key_Left:
            MoveTo(cursor,
                   column < last_column ? layout.PositionInColumn(column + 1, y)
                                        : layout.ColumnEndPosition(column),
                   mode);
            break;
        case Qt::Key_Right:
            MoveTo(
                cursor,
                column > 0 ? layout.PositionInColumn(column - 1, y) : layout.ColumnStartPosition(0),
                mode);
            break;
        case Qt::Key_Home:
            if (control) {
                cursor.movePosition(QTextCursor::Start, mode);
            } else {
                MoveTo(cursor, layout.ColumnStartPosition(column), mode);
            }
            break;
        case Qt::Key_End:
            if (control) {
                cursor.movePosition(QTextCursor::End, mode);
            } else {
                MoveTo(cursor, layout.ColumnEndPosition(column), mode);
            }
            break;
        case Qt::Key_PageDown:
            MoveTo(cursor, layout.PositionInColumn(qMin(last_column, column + VisibleColumns()), y),
                   mode);
            break;
        case Qt::Key_PageUp:
            MoveTo(cursor, layout.PositionInColumn(qMax(0, column - VisibleColumns()), y), mode);
            break;
        default:
            handled = false;
    }
    if (!handled && Writable()) {
        handled = true;
        switch (event->key()) {
            case Qt::Key_Backspace:
                cursor.deletePreviousChar();
                break;
            case Qt::Key_Delete:
                cursor.deleteChar();
                break;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                cursor.insertBlock();
                break;
            default: {
                const QString text = event->text();
                const bool printable = !text.isEmpty() && (text.at(0).isPrint() || text == "\t");
                if (printable && !control) {
                    cursor.insertText(text);
                } else {
                    handled = false;
                }
            }
        }
    }
    if (!handled) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    editor_.setTextCursor(cursor);
    EnsureCaretVisible();
    viewport()->update();
    event->accept();
}

// Puts the caret at the text under a point of the viewport. The paragraph left behind is
// typeset again and the one reached shows its notation as typed, which may move the columns:
// the text pointed at stays under the mouse.
void VerticalView::PlaceCaret(const QPointF& point, QTextCursor::MoveMode mode) {
    QTextCursor cursor = editor_.textCursor();
    const QPointF at = FromViewport(point);
    const int column = Layout().ColumnAtX(at.x());
    const int position = Layout().PositionAt(at);
    cursor.setPosition(position, mode);
    editor_.setTextCursor(cursor);
    const int moved = Layout().ColumnOfPosition(position) - column;
    if (moved != 0) {
        UpdateScrollRange();
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() +
                                        qRound(moved * layout_->ColumnPitch()));
    }
    EnsureCaretVisible();
    viewport()->update();
}

void VerticalView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    PlaceCaret(event->position(), (event->modifiers() & Qt::ShiftModifier)
                                      ? QTextCursor::KeepAnchor
                                      : QTextCursor::MoveAnchor);
}

void VerticalView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        PlaceCaret(event->position(), QTextCursor::KeepAnchor);
    }
}

void VerticalView::mouseDoubleClickEvent(QMouseEvent* event) {
    PlaceCaret(event->position(), QTextCursor::MoveAnchor);
    QTextCursor cursor = editor_.textCursor();
    cursor.select(QTextCursor::WordUnderCursor);
    editor_.setTextCursor(cursor);
    viewport()->update();
}

// The wheel turns the pages: down goes on through the text, which is to the left.
void VerticalView::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        if (const int zoom = WheelSteps(delta.y()); zoom != 0) {
            editor_.Zoom(zoom);
        }
        event->accept();
        return;
    }
    const int steps = delta.y() != 0 ? delta.y() : -delta.x();
    QScrollBar* bar = horizontalScrollBar();
    bar->setValue(bar->value() - steps * bar->singleStep() / 40);
    event->accept();
}

void VerticalView::contextMenuEvent(QContextMenuEvent* event) {
    editor_.ShowPopupMenu(event->globalPos());
    event->accept();
}

void VerticalView::inputMethodEvent(QInputMethodEvent* event) {
    if (!Writable()) {
        event->ignore();
        return;
    }
    QTextCursor cursor = editor_.textCursor();
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        cursor.beginEditBlock();
        if (event->replacementLength() > 0) {
            const int from = cursor.position() + event->replacementStart();
            cursor.setPosition(from);
            cursor.setPosition(from + event->replacementLength(), QTextCursor::KeepAnchor);
        }
        cursor.insertText(event->commitString());
        cursor.endEditBlock();
        editor_.setTextCursor(cursor);
    }
    preedit_ = event->preeditString();
    int preedit_cursor = static_cast<int>(preedit_.size());
    for (const QInputMethodEvent::Attribute& attribute : event->attributes()) {
        if (attribute.type == QInputMethodEvent::Cursor) {
            preedit_cursor = attribute.start;
        }
    }
    layout_->SetPreedit(editor_.textCursor().position(), preedit_, preedit_cursor);
    EnsureCaretVisible();
    RestartBlinking();
    event->accept();
}

QVariant VerticalView::inputMethodQuery(Qt::InputMethodQuery query) const {
    auto* self = const_cast<VerticalView*>(this);
    const QTextCursor cursor = editor_.textCursor();
    switch (query) {
        case Qt::ImEnabled:
            return Writable();
        case Qt::ImCursorRectangle:
            // The candidate window opens beside the caret, in this widget's coordinates.
            return QRect(viewport()->mapTo(self, self->CaretRectInViewport().topLeft()),
                         self->CaretRectInViewport().size());
        case Qt::ImFont:
            return editor_.document()->defaultFont();
        case Qt::ImCursorPosition:
            return cursor.position() - cursor.block().position();
        case Qt::ImAnchorPosition:
            return cursor.anchor() - cursor.block().position();
        case Qt::ImSurroundingText:
            return cursor.block().text();
        case Qt::ImCurrentSelection:
            return cursor.selectedText();
        case Qt::ImHints:
            return static_cast<int>(Qt::ImhMultiLine);
        default:
            return QAbstractScrollArea::inputMethodQuery(query);
    }
}

void VerticalView::RestartBlinking() {
    caret_shown_ = hasFocus();
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (caret_shown_ && flash > 0) {
        blink_.start(flash / 2, this);
    } else {
        blink_.stop();
    }
    viewport()->update();
}

void VerticalView::timerEvent(QTimerEvent* event) {
    if (event->timerId() != blink_.timerId()) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    caret_shown_ = !caret_shown_;
    viewport()->update(CaretRectInViewport().adjusted(-1, -1, 1, 1));
}

void VerticalView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    RestartBlinking();
}

void VerticalView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    RestartBlinking();
}

}  // namespace folix::gui
