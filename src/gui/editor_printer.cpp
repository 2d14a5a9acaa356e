#include "gui/editor_printer.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

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

CEditorPrintJob::CEditorPrintJob(const QTextDocument& document, QPrinter& printer,
                                 const PrintMargins& margins, const QColor& text_color)
    : printer_(printer), text_color_(text_color), layout_(document.clone()) {
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

    // Laid out at the printer's resolution, so sizes in points come out at their true size.
    layout_->documentLayout()->setPaintDevice(&printer_);
    layout_->setDocumentMargin(0);
    layout_->setPageSize(body_.size());
}

CEditorPrintJob::~CEditorPrintJob() = default;

int CEditorPrintJob::PageCount() const {
    return layout_->pageCount();
}

bool CEditorPrintJob::Print(bool margin_guides) {
    QPainter painter;
    if (!painter.begin(&printer_)) {
        return false;
    }
    const int count = PageCount();
    int first = 1;
    int last = count;
    if (printer_.fromPage() > 0) {
        first = std::max(printer_.fromPage(), 1);
        last = std::min(printer_.toPage() > 0 ? printer_.toPage() : count, count);
    }
    for (int page = first; page <= last; ++page) {
        PrintPage(painter, page - 1);
        if (margin_guides) {
            DrawMarginGuides(painter);
        }
        if (page < last) {
            printer_.newPage();
        }
    }
    return painter.end();
}

void CEditorPrintJob::PrintPage(QPainter& painter, int page) const {
    painter.save();
    const QRectF view(0, page * body_.height(), body_.width(), body_.height());
    painter.translate(body_.left(), body_.top() - view.top());
    painter.setClipRect(view);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = view;
    context.palette.setColor(QPalette::Text, text_color_);
    layout_->documentLayout()->draw(&painter, context);
    painter.restore();
}

// Dotted lines of the thinnest pen along the four margins, right across the paper.
void CEditorPrintJob::DrawMarginGuides(QPainter& painter) const {
    painter.save();
    QPen pen(Qt::black, 0, Qt::DotLine);
    painter.setPen(pen);
    const double x1 = body_.left();
    const double x2 = body_.right();
    const double y1 = body_.top();
    const double y2 = body_.bottom();
    painter.drawLine(QPointF(0, y1), QPointF(paper_.width(), y1));
    painter.drawLine(QPointF(x1, 0), QPointF(x1, paper_.height()));
    painter.drawLine(QPointF(0, y2), QPointF(paper_.width(), y2));
    painter.drawLine(QPointF(x2, 0), QPointF(x2, paper_.height()));
    painter.restore();
}

}  // namespace folix::gui
