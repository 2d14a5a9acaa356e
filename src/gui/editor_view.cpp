#include "gui/editor_view.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>

namespace folix::gui {

QFont DefaultBookFont() {
    QFont font;
    font.setFamilies({"Noto Sans CJK JP", "Noto Serif CJK JP"});
    font.setPointSize(11);
    return font;
}

CFolixView::CFolixView(QWidget* parent) : QTextEdit(parent) {
    setObjectName("editor");
    setFont(DefaultBookFont());
    document()->setDefaultFont(DefaultBookFont());
    setLineWrapMode(QTextEdit::WidgetWidth);
    setReadOnly(true);
}

void CFolixView::SetPlainFileText(const QString& text) {
    setAcceptRichText(false);
    setPlainText(text);
}

// A plain file never acquires formatting: what is pasted into it is its text alone.
void CFolixView::insertFromMimeData(const QMimeData* source) {
    if (acceptRichText()) {
        QTextEdit::insertFromMimeData(source);
    } else if (source->hasText()) {
        textCursor().insertText(source->text());
    }
}

void CFolixView::contextMenuEvent(QContextMenuEvent* event) {
    ShowPopupMenu(event->globalPos());
    event->accept();
}

void CFolixView::ShowPopupMenu(const QPoint& position) {
    if (!popup_factory_) {
        return;
    }
    QMenu* menu = popup_factory_(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(position);
}

}  // namespace folix::gui
