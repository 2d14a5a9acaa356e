#pragma once

#include <QObject>
#include <QPointer>
#include <QTextBlock>
#include <QTextDocument>

#include <memory>

#include "typeset/grid_layout.h"

namespace folix::gui {

// The length of the text in the editor (文字数 and grid lines), kept as the writer types: each
// paragraph keeps its own length beside it, and a change recounts only the paragraphs it
// touched; a paragraph that goes takes its length out of the total with it.
class LiveCount : public QObject {
    Q_OBJECT
public:
    explicit LiveCount(QObject* parent = nullptr);
    ~LiveCount() override;

    // Counts this document from now on (nullptr: none), on lines of `cells` cells. A whole
    // document is counted once the events waiting now have run, so a file opens as fast as
    // before.
    void Watch(QTextDocument* document, int cells, int upright_digits);
    TextLength Total() const;

    // What every paragraph of the watched document adds up to; the lengths beside the
    // paragraphs hold it, so that one a document deletes later counts against its own total.
    struct Totals {
        TextLength total;
    };

signals:
    void Changed();

private:
    void OnContentsChange(int position, int removed, int added);
    void RecountBlock(QTextBlock block);
    void RecountAll();

    QPointer<QTextDocument> document_;
    QMetaObject::Connection connection_;
    int cells_ = 20;
    int upright_digits_ = 2;
    std::shared_ptr<Totals> totals_;
    bool recount_pending_ = false;
};

}  // namespace folix::gui
