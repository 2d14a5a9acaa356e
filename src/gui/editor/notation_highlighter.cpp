#include "gui/editor/notation_highlighter.h"

#include <QWidget>

#include "gui/platform/notation_line.h"

namespace folix::gui {

QList<QTextLayout::FormatRange> NotationMarkRanges(const QString& line, const QWidget& colours) {
    QList<QTextLayout::FormatRange> ranges;
    if (NotationRunsOf(line).isEmpty()) {
        return ranges;
    }
    const QPalette& palette = colours.palette();
    const QColor ink = palette.color(QPalette::Text);
    const QColor paper = palette.color(QPalette::Base);
    QTextCharFormat mark;
    mark.setForeground(QColor((ink.red() + paper.red()) / 2, (ink.green() + paper.green()) / 2,
                              (ink.blue() + paper.blue()) / 2));
    const ReadLine read = ReadNotationLine(line);
    // Every typed character the reading does not show is a mark; neighbours make one range.
    int shown = 0;
    for (int typed = 0; typed < line.size(); ++typed) {
        const bool is_shown =
            shown < read.text.size() && read.typed_offset.value(shown, shown) == typed;
        if (is_shown) {
            ++shown;
        } else if (!ranges.isEmpty() && ranges.back().start + ranges.back().length == typed) {
            ++ranges.back().length;
        } else {
            ranges.push_back({typed, 1, mark});
        }
    }
    return ranges;
}

NotationHighlighter::NotationHighlighter(QTextDocument* document, const QWidget& colours)
    : QSyntaxHighlighter(document), colours_(colours) {}

void NotationHighlighter::highlightBlock(const QString& text) {
    for (const QTextLayout::FormatRange& range : NotationMarkRanges(text, colours_)) {
        setFormat(range.start, range.length, range.format);
    }
}

}  // namespace folix::gui
