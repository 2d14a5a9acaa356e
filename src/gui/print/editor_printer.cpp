#include "gui/print/editor_printer.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include "gui/print/horizontal_ruby.h"

namespace folix::gui {

EditorPrintJob::EditorPrintJob(const QTextDocument& document, QPrinter& printer,
                               const PrintMargins& margins, const QColor& text_color)
    : page_(printer, margins), text_color_(text_color), layout_(document.clone()) {
    // Laid out at the printer's resolution, so sizes in points come out at their true size.
    layout_->documentLayout()->setPaintDevice(&printer);
    layout_->setDocumentMargin(0);
    layout_->setPageSize(page_.Body().size());
    ruby_ = std::make_unique<HorizontalRuby>(*layout_, &printer);
}

EditorPrintJob::~EditorPrintJob() = default;

int EditorPrintJob::PageCount() const {
    return layout_->pageCount();
}

bool EditorPrintJob::Print(bool margin_guides) {
    return page_.PrintPages(PageCount(), margin_guides,
                            [this](QPainter& painter, int page) { PrintPage(painter, page); });
}

void EditorPrintJob::PrintPage(QPainter& painter, int page) const {
    const QRectF body = page_.Body();
    const QRectF view(0, page * body.height(), body.width(), body.height());
    painter.translate(body.left(), body.top() - view.top());
    painter.setClipRect(view);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = view;
    context.palette.setColor(QPalette::Text, text_color_);
    layout_->documentLayout()->draw(&painter, context);
    ruby_->Draw(painter, view, text_color_);
}

}  // namespace folix::gui
