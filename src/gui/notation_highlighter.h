#pragma once

#include <QSyntaxHighlighter>

namespace folix::gui {

// The horizontal editor shows the notation as typed with its marks (bars, brackets and the ruby
// text) in a lighter ink than the text, so the prose reads through them. It only colours what
// is shown: the document, and so what is saved, is never touched.
class NotationHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    // The marks take the colour half way between the widget's text and its background.
    NotationHighlighter(QTextDocument* document, const QWidget& colours);

protected:
    void highlightBlock(const QString& text) override;

private:
    const QWidget& colours_;
};

}  // namespace folix::gui
