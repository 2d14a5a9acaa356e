#pragma once

#include <QFont>
#include <QIODevice>
#include <QPageSize>
#include <QString>

#include <cstdint>
#include <functional>

#include "count/manuscript_layout.h"

namespace folix::gui {

// How a manuscript is put on paper: the grid, the sheet, the writing direction and the title
// page. Lengths in millimetres.
struct ManuscriptPage {
    GridSize grid;
    QPageSize::PageSizeId paper = QPageSize::A4;
    bool landscape = false;
    bool vertical = true;
    bool ruled = false;
    bool title_page = true;
    QString title;
    QString author;
    uint64_t sheets_of_400 = 0;  // 四百字詰め原稿用紙換算, written on the title page
    QFont font;                  // the family; sizes follow the grid
    int margin_left = 20;
    int margin_right = 20;
    int margin_top = 20;
    int margin_bottom = 20;
};

// A4 landscape for a grid of 30 or more cells a line, A4 portrait for a smaller one.
bool LandscapeForGrid(const GridSize& grid);

// The family a manuscript is set in: the book's own face when it has chosen one, a Mincho face
// otherwise.
QFont ManuscriptFont(const QString& book_face);

// Writes the manuscript as a PDF to device, open for writing: the title page when asked for, then
// the text pages, each grid line of the manuscript on the sheet's next line, R lines a page.
// progress, when given, hears each page done (pages done, pages in all). False when the PDF cannot
// be written.
bool WriteManuscriptPdf(const GridManuscript& manuscript, const ManuscriptPage& page,
                        QIODevice& device, const std::function<void(int, int)>& progress = nullptr);

}  // namespace folix::gui
