#include "gui/print/vertical_printer.h"

#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include "gui/print/printed_page.h"

namespace folix::gui {
namespace {

QFont DeviceFont(const QFont& font, qreal dots_per_inch) {
    QFont sized = font;
    if (font.pixelSize() > 0) {
        // A face sized in screen pixels keeps its size on paper, as the screen's 96 dpi.
        sized.setPixelSize(qMax(1, qRound(font.pixelSize() * dots_per_inch / 96.0)));
    } else {
        sized.setPixelSize(qMax(1, qRound(font.pointSizeF() * dots_per_inch / 72.0)));
    }
    return sized;
}

}  // namespace

VerticalPrinter::VerticalPrinter(QTextDocument& document, const QFont& font, qreal dots_per_inch,
                                 const QRectF& area, const QColor& text_color)
    : layout_(&document), area_(area), text_color_(text_color) {
    layout_.SetFont(DeviceFont(font, dots_per_inch));
    layout_.SetColumnHeight(area.height());
    layout_.SetTypedBlock(-1);
}

void VerticalPrinter::Measure() {
    if (measured_) {
        return;
    }
    measured_ = true;
    layout_.ExactColumnCount();
    if (layout_.HasRuby()) {
        ruby_inset_ = layout_.RubySize();
    }
    // The last column's glyphs must fit: the gap after it may fall into the margin.
    const qreal gap = layout_.ColumnPitch() - layout_.ColumnWidth();
    columns_per_page_ =
        qMax(1, static_cast<int>((area_.width() - ruby_inset_ + gap / 2) / layout_.ColumnPitch()));
}

int VerticalPrinter::PageCount() {
    Measure();
    const int columns = layout_.ExactColumnCount();
    return qMax(1, (columns + columns_per_page_ - 1) / columns_per_page_);
}

void VerticalPrinter::PaintPage(QPainter& painter, int page) {
    Measure();
    const int first = page * columns_per_page_;
    // The first column's glyphs touch the right margin: its share of the gap is given up.
    const qreal gap = (layout_.ColumnPitch() - layout_.ColumnWidth()) / 2;
    painter.save();
    painter.translate(area_.right() - ruby_inset_ + gap + first * layout_.ColumnPitch(),
                      area_.top());
    VerticalLayout::Colors ink;
    ink.text = text_color_;
    layout_.Draw(painter, first, first + columns_per_page_ - 1, 0, 0, ink);
    painter.restore();
}

bool PrintVertically(QTextDocument& document, const QFont& font, const QColor& text_color,
                     const PrintMargins& margins, QPrinter& printer, bool margin_guides,
                     int upright_digits) {
    PrintedPage sheet(printer, margins);
    VerticalPrinter pages(document, font, printer.resolution(), sheet.Body(), text_color);
    pages.SetUprightDigits(upright_digits);
    return sheet.PrintPages(
        pages.PageCount(), margin_guides,
        [&pages](QPainter& painter, int page) { pages.PaintPage(painter, page); });
}

}  // namespace folix::gui
