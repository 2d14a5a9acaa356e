#include "gui/editor/plain_text_editor.h"

#include <QTextBlock>

#include "gui/editor/notation_highlighter.h"

namespace folix::gui {
namespace {

// A line's state holds the revision its marks were coloured for; -1 is "never".
constexpr int kNeverMarked = -1;

}  // namespace

PlainTextEditor::PlainTextEditor(ShowMenu show_menu, const QWidget& colours, QWidget* parent)
    : PopupEditor<QPlainTextEdit>(std::move(show_menu), parent), colours_(colours) {}

void PlainTextEditor::MarkNotation(QTextBlock block) {
    if (block.userState() == block.revision()) {
        return;
    }
    QTextLayout* layout = block.layout();
    const QList<QTextLayout::FormatRange> marks = NotationMarkRanges(block.text(), colours_);
    if (marks != layout->formats()) {
        layout->setFormats(marks);
        // Settles the change the colours made, as a highlighter does, so that the next edit's
        // reported range is only its own.
        document()->markContentsDirty(block.position(), block.length());
    }
    block.setUserState(block.revision());
}

void PlainTextEditor::paintEvent(QPaintEvent* event) {
    const qreal bottom = viewport()->rect().bottom();
    for (QTextBlock block = firstVisibleBlock();
         block.isValid() &&
         blockBoundingGeometry(block).translated(contentOffset()).top() <= bottom;
         block = block.next()) {
        MarkNotation(block);
    }
    QPlainTextEdit::paintEvent(event);
}

// The marks take their ink from the pane's colours: new colours, every line coloured anew.
void PlainTextEditor::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
            block.setUserState(kNeverMarked);
        }
        viewport()->update();
    }
    QPlainTextEdit::changeEvent(event);
}

}  // namespace folix::gui
