#pragma once

#include <QColor>
#include <QRectF>

#include <memory>

#include "gui/print/printed_page.h"

class QPainter;
class QPrinter;
class QTextDocument;

namespace folix::gui {

class HorizontalRuby;

// One print job of the editor's text in horizontal lines: the document laid out again for the
// printer's pages, inside the book's margins, with the notation's ruby above its base.
class EditorPrintJob {
public:
    EditorPrintJob(const QTextDocument& document, QPrinter& printer, const PrintMargins& margins,
                   const QColor& text_color);
    ~EditorPrintJob();

    int PageCount() const;
    // Where the text goes on each page, in the printer's pixels from the paper's corner.
    QRectF BodyRect() const { return page_.Body(); }
    // Every page (or the range the print dialog asked for); false when the printer refused.
    bool Print(bool margin_guides);

private:
    void PrintPage(QPainter& painter, int page) const;

    PrintedPage page_;
    QColor text_color_;
    std::unique_ptr<QTextDocument> layout_;
    std::unique_ptr<HorizontalRuby> ruby_;
};

}  // namespace folix::gui
