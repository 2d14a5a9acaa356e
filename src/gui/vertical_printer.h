#pragma once

#include <QFont>
#include <QRectF>

#include "gui/vertical_layout.h"

class QPainter;
class QPrinter;
class QTextDocument;

namespace folix::gui {

// Pages of a document in vertical writing, drawn by the same layout as the vertical view: the
// columns of each page start at the right edge of the printable area and run leftwards, each as
// tall as the area. The page itself stays upright, so the margins the writer set for it are the
// ones used; no turned paper or turned face is needed.
class CVerticalPrinter {
public:
    // The face is sized for the device: a point size counts at dots_per_inch.
    CVerticalPrinter(QTextDocument& document, const QFont& font, qreal dots_per_inch,
                     const QRectF& area);

    int PageCount();
    int ColumnsPerPage() const { return columns_per_page_; }
    void PaintPage(QPainter& painter, int page);

private:
    CVerticalLayout layout_;
    QRectF area_;
    int columns_per_page_ = 1;
};

// Prints every page on the printer, inside the margins of its page layout.
void PrintVertically(QTextDocument& document, const QFont& font, QPrinter& printer);

}  // namespace folix::gui
