#include "gui/notation_highlighter.h"

#include <QWidget>

#include "gui/notation_line.h"

namespace folix::gui {

NotationHighlighter::NotationHighlighter(QTextDocument* document, const QWidget& colours)
    : QSyntaxHighlighter(document), colours_(colours) {}

void NotationHighlighter::highlightBlock(const QString& text) {
    const QVector<LineRun> runs = NotationRunsOf(text);
    if (runs.isEmpty()) {
        return;
    }
    const QPalette& palette = colours_.palette();
    const QColor ink = palette.color(QPalette::Text);
    const QColor paper = palette.color(QPalette::Base);
    QTextCharFormat mark;
    mark.setForeground(QColor((ink.red() + paper.red()) / 2, (ink.green() + paper.green()) / 2,
                              (ink.blue() + paper.blue()) / 2));
    const ReadLine read = ReadNotationLine(text);
    // Every typed character the reading does not show is a mark: the bars, the brackets, the
    // ruby and the bar that escapes a bracket.
    int shown = 0;
    for (int typed = 0; typed < text.size(); ++typed) {
        const bool is_shown =
            shown < read.text.size() && read.typed_offset.value(shown, shown) == typed;
        if (is_shown) {
            ++shown;
        } else {
            setFormat(typed, 1, mark);
        }
    }
}

}  // namespace folix::gui
