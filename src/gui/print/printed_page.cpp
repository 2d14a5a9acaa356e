#include "gui/print/printed_page.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace folix::gui {
namespace {

constexpr double kTwipsPerInch = 1440.0;
// Margins that leave less than this share of the paper for the text are narrowed, so an absurd
// setting still prints something instead of nothing.
constexpr double kLeastBodyShare = 0.2;

double TwipsToPixels(int twips, int dots_per_inch) {
    return std::round(static_cast<double>(twips) * dots_per_inch / kTwipsPerInch);
}

// The two margins of one direction, narrowed together when the text would have no room.
std::pair<double, double> FitMargins(double before, double after, double paper) {
    before = std::max(before, 0.0);
    after = std::max(after, 0.0);
    const double most = paper * (1.0 - kLeastBodyShare);
    if (before + after > most && before + after > 0) {
        const double scale = most / (before + after);
        before *= scale;
        after *= scale;
    }
    return {before, after};
}

}  // namespace

// The preview swaps in a paint engine of its own that records the pages as pictures.
bool IsPreviewPrinter(QPrinter& printer) {
    return printer.paintEngine() != nullptr &&
           printer.paintEngine()->type() == QPaintEngine::Picture;
}

PrintedPage::PrintedPage(QPrinter& printer, const PrintMargins& margins) : printer_(printer) {
    // The painter starts at the paper's corner, so the margins are measured from its edges.
    printer_.setFullPage(true);
    const int dpi_x = printer_.logicalDpiX();
    const int dpi_y = printer_.logicalDpiY();
    paper_ = QRectF(printer_.pageLayout().fullRectPixels(printer_.resolution()));
    paper_.moveTo(0, 0);
    const auto [left, right] = FitMargins(TwipsToPixels(margins.left, dpi_x),
                                          TwipsToPixels(margins.right, dpi_x), paper_.width());
    const auto [top, bottom] = FitMargins(TwipsToPixels(margins.top, dpi_y),
                                          TwipsToPixels(margins.bottom, dpi_y), paper_.height());
    body_ = QRectF(left, top, paper_.width() - left - right, paper_.height() - top - bottom);
}

bool PrintedPage::PrintPages(int page_count, bool margin_guides,
                             const std::function<void(QPainter&, int)>& paint_page) {
    QPainter painter;
    if (!painter.begin(&printer_)) {
        return false;
    }
    int first = 1;
    int last = page_count;
    if (printer_.fromPage() > 0) {
        first = std::max(printer_.fromPage(), 1);
        last = std::min(printer_.toPage() > 0 ? printer_.toPage() : page_count, page_count);
    }
    for (int page = first; page <= last; ++page) {
        painter.save();
        paint_page(painter, page - 1);
        painter.restore();
        if (margin_guides) {
            DrawMarginGuides(painter);
        }
        if (page < last) {
            printer_.newPage();
        }
    }
    return painter.end();
}

// Dotted lines of the thinnest pen along the four margins, right across the paper.
void PrintedPage::DrawMarginGuides(QPainter& painter) const {
    painter.save();
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    painter.drawLine(QPointF(0, body_.top()), QPointF(paper_.width(), body_.top()));
    painter.drawLine(QPointF(body_.left(), 0), QPointF(body_.left(), paper_.height()));
    painter.drawLine(QPointF(0, body_.bottom()), QPointF(paper_.width(), body_.bottom()));
    painter.drawLine(QPointF(body_.right(), 0), QPointF(body_.right(), paper_.height()));
    painter.restore();
}

}  // namespace folix::gui
