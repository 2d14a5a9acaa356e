#pragma once

#include <QRectF>

#include <functional>

#include "platform/editor_control.h"

class QPainter;
class QPrinter;

namespace folix::gui {

// The sheet of one print job and where the text goes on it: the book's margins (twips from the
// paper's edges) measured at the printer's resolution, narrowed together when they would leave
// the text no room. Horizontal and vertical printing share it, so both keep the same margins and
// show the same guides in preview.
class PrintedPage {
public:
    PrintedPage(QPrinter& printer, const PrintMargins& margins);

    // In the printer's pixels from the paper's corner.
    QRectF Paper() const { return paper_; }
    QRectF Body() const { return body_; }

    // Every page of the job, or the range the print dialog asked for; each page is painted by
    // paint_page (0-based), then in preview the margin guides are drawn over it. False when the
    // printer refused.
    bool PrintPages(int page_count, bool margin_guides,
                    const std::function<void(QPainter&, int)>& paint_page);

private:
    void DrawMarginGuides(QPainter& painter) const;

    QPrinter& printer_;
    QRectF paper_;
    QRectF body_;
};

// True while the printer draws the pages of a print preview, not paper or a file.
bool IsPreviewPrinter(QPrinter& printer);

}  // namespace folix::gui
