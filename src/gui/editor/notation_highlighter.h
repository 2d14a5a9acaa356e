#pragma once

#include <QSyntaxHighlighter>
#include <QTextLayout>

namespace folix::gui {

// What of a typed line is notation mark rather than text (the bars, the brackets, the ruby and
// the bar that escapes a bracket), as ranges in the colour half way between the widget's text
// and its background.
QList<QTextLayout::FormatRange> NotationMarkRanges(const QString& line, const QWidget& colours);

// The horizontal editor shows the notation as typed with its marks in a lighter ink than the
// text, so the prose reads through them. It only colours what is shown: the document, and so
// what is saved, is never touched. (The rich widget's way; the plain widget colours only the
// lines it paints.)
class NotationHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    NotationHighlighter(QTextDocument* document, const QWidget& colours);

protected:
    void highlightBlock(const QString& text) override;

private:
    const QWidget& colours_;
};

}  // namespace folix::gui
