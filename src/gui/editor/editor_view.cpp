#include "gui/editor/editor_view.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QScrollBar>
#include <QTextEdit>
#include <QWheelEvent>

#include <algorithm>
#include <type_traits>

#include "gui/editor/notation_highlighter.h"
#include "gui/editor/plain_text_editor.h"
#include "gui/editor/popup_editor.h"
#include "gui/print/editor_printer.h"
#include "gui/print/vertical_printer.h"

namespace folix::gui {
namespace {

// No text, no undo, nothing modified.
void Empty(QTextDocument& text) {
    text.clear();
    text.clearUndoRedoStacks();
    text.setModified(false);
}

}  // namespace

QFont DefaultBookFont() {
    QFont font;
    font.setFamilies({"Noto Sans CJK JP", "Noto Serif CJK JP"});
    font.setPointSize(11);
    return font;
}

CFolixView::CFolixView(QWidget* parent)
    : QStackedWidget(parent),
      plain_(new PlainTextEditor([this](const QPoint& at) { ShowPopupMenu(at); }, *this, this)),
      rich_(new PopupEditor<QTextEdit>([this](const QPoint& at) { ShowPopupMenu(at); }, this)) {
    setObjectName("editor");
    setFont(DefaultBookFont());
    addWidget(plain_);
    addWidget(rich_);
    setCurrentWidget(plain_);
    setFocusProxy(plain_);
    SetDefaultFont(DefaultBookFont());
    new NotationHighlighter(rich_->document(), *this);
    ForwardSignals(plain_);
    ForwardSignals(rich_);
    plain_->viewport()->installEventFilter(this);
    rich_->viewport()->installEventFilter(this);
}

template <class Widget>
void CFolixView::ForwardSignals(Widget* widget) {
    connect(widget, &Widget::cursorPositionChanged, this, [this, widget] {
        if (currentWidget() == widget) {
            emit cursorPositionChanged();
        }
    });
    connect(widget, &Widget::selectionChanged, this, [this, widget] {
        if (currentWidget() == widget) {
            emit selectionChanged();
        }
    });
}

template <class Action>
decltype(auto) CFolixView::OnShown(Action&& action) const {
    return rich_shown_ ? action(*rich_) : action(*plain_);
}

QAbstractScrollArea& CFolixView::TextWidget() const {
    return OnShown([](QAbstractScrollArea& widget) -> QAbstractScrollArea& { return widget; });
}

void CFolixView::ShowWidget(bool rich) {
    if (rich == rich_shown_) {
        return;
    }
    const bool had_focus = TextWidget().hasFocus();
    rich_shown_ = rich;
    QAbstractScrollArea& shown = TextWidget();
    setCurrentWidget(&shown);
    setFocusProxy(&shown);
    if (had_focus) {
        shown.setFocus();
    }
    // The hidden widget lets go of the last file of its kind.
    Empty(*(rich ? plain_->document() : rich_->document()));
    emit DocumentSwitched();
}

void CFolixView::SetPlainFileText(const QString& text) {
    ShowWidget(false);
    plain_->setPlainText(text);
}

QTextDocument& CFolixView::StartRichFile() {
    ShowWidget(true);
    return *rich_->document();
}

QTextDocument* CFolixView::document() const {
    return OnShown([](auto& widget) { return widget.document(); });
}

QTextCursor CFolixView::textCursor() const {
    return OnShown([](auto& widget) { return widget.textCursor(); });
}

void CFolixView::setTextCursor(const QTextCursor& cursor) {
    OnShown([&](auto& widget) { widget.setTextCursor(cursor); });
}

void CFolixView::moveCursor(QTextCursor::MoveOperation operation, QTextCursor::MoveMode mode) {
    OnShown([&](auto& widget) { widget.moveCursor(operation, mode); });
}

void CFolixView::ensureCursorVisible() {
    OnShown([](auto& widget) { widget.ensureCursorVisible(); });
}

QString CFolixView::toPlainText() const {
    return OnShown([](auto& widget) { return widget.toPlainText(); });
}

void CFolixView::setPlainText(const QString& text) {
    OnShown([&](auto& widget) { widget.setPlainText(text); });
}

void CFolixView::insertPlainText(const QString& text) {
    OnShown([&](auto& widget) { widget.insertPlainText(text); });
}

bool CFolixView::find(const QString& text, QTextDocument::FindFlags flags) {
    return OnShown([&](auto& widget) { return widget.find(text, flags); });
}

bool CFolixView::isReadOnly() const {
    return OnShown([](auto& widget) { return widget.isReadOnly(); });
}

void CFolixView::setReadOnly(bool read_only) {
    plain_->setReadOnly(read_only);
    rich_->setReadOnly(read_only);
}

void CFolixView::clear() {
    Empty(*plain_->document());
    Empty(*rich_->document());
}

void CFolixView::undo() {
    OnShown([](auto& widget) { widget.undo(); });
}

void CFolixView::redo() {
    OnShown([](auto& widget) { widget.redo(); });
}

void CFolixView::cut() {
    OnShown([](auto& widget) { widget.cut(); });
}

void CFolixView::copy() {
    OnShown([](auto& widget) { widget.copy(); });
}

void CFolixView::paste() {
    OnShown([](auto& widget) { widget.paste(); });
}

void CFolixView::selectAll() {
    OnShown([](auto& widget) { widget.selectAll(); });
}

void CFolixView::SetDefaultFont(const QFont& font) {
    book_font_ = font;
    ApplyZoom();
}

void CFolixView::Zoom(int steps) {
    const int percent = std::clamp(zoom_percent_ + steps * kZoomStepPercent, kZoomSmallestPercent,
                                   kZoomLargestPercent);
    if (percent != zoom_percent_) {
        zoom_percent_ = percent;
        ApplyZoom();
    }
}

void CFolixView::ResetZoom() {
    if (zoom_percent_ != 100) {
        zoom_percent_ = 100;
        ApplyZoom();
    }
}

// Zooming changes the documents' default face, which the modified flag and the undo steps do
// not see.
void CFolixView::ApplyZoom() {
    QFont shown = book_font_;
    if (shown.pointSizeF() > 0) {
        shown.setPointSizeF(book_font_.pointSizeF() * zoom_percent_ / 100.0);
    } else if (shown.pixelSize() > 0) {
        shown.setPixelSize(std::max(1, book_font_.pixelSize() * zoom_percent_ / 100));
    }
    const QTextCursor caret = textCursor();
    plain_->document()->setDefaultFont(shown);
    rich_->document()->setDefaultFont(shown);
    setTextCursor(caret);
    emit ZoomChanged();
}

bool CFolixView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            if (const int steps = WheelSteps(wheel->angleDelta().y()); steps != 0) {
                Zoom(steps);
            }
            return true;
        }
    }
    return QStackedWidget::eventFilter(watched, event);
}

void CFolixView::BringCaretIntoView() {
    OnShown([](auto& widget) {
        widget.ensureCursorVisible();
        const int height = widget.viewport()->height();
        const QRect caret = widget.cursorRect();
        // Within the middle three fifths the caret stays where it is; nearer an edge it goes to
        // the middle, with text on both sides of it.
        if (caret.top() >= height / 5 && caret.bottom() <= height - height / 5) {
            return;
        }
        if constexpr (std::is_same_v<std::decay_t<decltype(widget)>, QPlainTextEdit>) {
            widget.centerCursor();
        } else {
            QScrollBar* bar = widget.verticalScrollBar();
            bar->setValue(bar->value() + caret.center().y() - height / 2);
        }
    });
}

void CFolixView::ShowPopupMenu(const QPoint& position) {
    if (!popup_factory_) {
        return;
    }
    QMenu* menu = popup_factory_(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(position);
}

bool CFolixView::PrintDocument(QPrinter& printer, bool preview, bool vertical) {
    const QColor ink = palette().color(QPalette::Text);
    // The print takes the book's font, whatever the view's zoom.
    if (vertical) {
        return PrintVertically(*document(), book_font_, ink, control_.GetPrintMargins(), printer,
                               preview, upright_digits_);
    }
    QTextDocument& text = *document();
    const QFont shown = text.defaultFont();
    const bool modified = text.isModified();
    text.setDefaultFont(book_font_);
    EditorPrintJob job(text, printer, control_.GetPrintMargins(), ink);
    text.setDefaultFont(shown);
    text.setModified(modified);
    return job.Print(preview);
}

}  // namespace folix::gui
