#pragma once

#include <QColor>
#include <QRectF>

#include <memory>

#include "platform/editor_control.h"

class QPainter;
class QPrinter;
class QTextDocument;

namespace folix::gui {

// One print job of the editor's text: the document laid out again for the printer's pages,
// inside the book's margins (twips from the paper's edges), and in preview the dotted guides
// that show where the margins lie.
class CEditorPrintJob {
public:
    CEditorPrintJob(const QTextDocument& document, QPrinter& printer, const PrintMargins& margins,
                    const QColor& text_color);
    ~CEditorPrintJob();

    int PageCount() const;
    // Where the text goes on each page, in the printer's pixels from the paper's corner.
    QRectF BodyRect() const { return body_; }
    // Every page (or the range the print dialog asked for); false when the printer refused.
    bool Print(bool margin_guides);

private:
    void PrintPage(QPainter& painter, int page) const;
    void DrawMarginGuides(QPainter& painter) const;

    QPrinter& printer_;
    QColor text_color_;
    std::unique_ptr<QTextDocument> layout_;
    QRectF paper_;
    QRectF body_;
};

// True while the printer draws the pages of a print preview, not paper or a file.
bool IsPreviewPrinter(QPrinter& printer);

}  // namespace folix::gui
