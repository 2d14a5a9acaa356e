#include "gui/editor_view.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>

#include "gui/editor_printer.h"
#include "gui/notation_highlighter.h"
#include "gui/vertical_printer.h"

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
    new NotationHighlighter(document(), *this);
}

void CFolixView::SetPlainFileText(const QString& text) {
    setAcceptRichText(false);
    // The text takes the format the caret has; after a rich-text file that is no longer the
    // book's, so the caret starts plain and the text follows the default format.
    setCurrentCharFormat(QTextCharFormat());
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

bool CFolixView::PrintDocument(QPrinter& printer, bool preview, bool vertical) {
    const QColor ink = palette().color(QPalette::Text);
    if (vertical) {
        return PrintVertically(*document(), document()->defaultFont(), ink,
                               control_.GetPrintMargins(), printer, preview, upright_digits_);
    }
    EditorPrintJob job(*document(), printer, control_.GetPrintMargins(), ink);
    return job.Print(preview);
}

}  // namespace folix::gui
