#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>

#include "gui/vertical/vertical_layout.h"
#include "platform/editor_control.h"

class QPainter;
class QPrinter;
class QTextDocument;

namespace folix::gui {

// Pages of a document in vertical writing, drawn by the same layout as the vertical view: the
// columns of each page start at the right edge of the printable area and run leftwards, each as
// tall as the area. The page itself stays upright, so the margins the writer set for it are the
// ones used; no turned paper or turned face is needed.
class VerticalPrinter {
public:
    // The face is sized for the device: a point size counts at dots_per_inch.
    VerticalPrinter(QTextDocument& document, const QFont& font, qreal dots_per_inch,
                    const QRectF& area, const QColor& text_color = Qt::black);

    void SetUprightDigits(int digits) { layout_.SetUprightDigits(digits); }

    int PageCount();
    int ColumnsPerPage() {
        Measure();
        return columns_per_page_;
    }
    void PaintPage(QPainter& painter, int page);

private:
    // Lays the whole text out and fits the columns to the area, the first column's ruby inside
    // the right margin when there is any.
    void Measure();

    VerticalLayout layout_;
    bool measured_ = false;
    qreal ruby_inset_ = 0;
    QRectF area_;
    QColor text_color_;
    int columns_per_page_ = 1;
};

// Prints every page (or the range asked for) inside the book's margins, in the book's face and
// colour, every paragraph typeset; in preview with the margin guides. False when the printer
// refused.
bool PrintVertically(QTextDocument& document, const QFont& font, const QColor& text_color,
                     const PrintMargins& margins, QPrinter& printer, bool margin_guides,
                     int upright_digits);

}  // namespace folix::gui
