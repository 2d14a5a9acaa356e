#include "gui/manuscript/manuscript_build.h"

#include <QSaveFile>

#include "book/path_parts.h"
#include "count/book_count.h"
#include "count/count_settings.h"
#include "count/manuscript_layout.h"
#include "editing/font_settings.h"
#include "gui/manuscript/manuscript_pdf.h"
#include "platform/ui.h"
#include "site/output_file.h"

namespace folix::gui {
namespace {

constexpr char kCannotWriteMessage[] = "が書けません。";

QPageSize::PageSizeId PaperOf(const std::string& paper) {
    if (paper == "B5") {
        return QPageSize::JisB5;
    }
    if (paper == "A5") {
        return QPageSize::A5;
    }
    if (paper == "B4") {
        return QPageSize::JisB4;
    }
    return QPageSize::A4;
}

QString Qt(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

ManuscriptResult MakeManuscript(Ui& ui, const SiteBook& book, const ManuscriptSettings& choices,
                                const std::function<void(int, int)>& progress) {
    const GridSize grid = choices.grid.value_or(LoadCountSettings(ui, book.root_path).grid);
    FontSettings font;
    font.LoadFont(ui, book.root_path);

    ManuscriptPage page;
    page.grid = grid;
    page.paper = PaperOf(choices.paper);
    page.landscape =
        choices.orientation.empty() ? LandscapeForGrid(grid) : choices.orientation == "landscape";
    page.vertical = !choices.horizontal;
    page.ruled = choices.ruled;
    page.title_page = choices.title_page;
    const std::string name = FileNamePart(book.root_path);
    page.title = Qt(choices.title.empty() ? name : choices.title);
    page.author = Qt(choices.author);
    page.font = ManuscriptFont(font.HasFont() ? Qt(font.m_logFont.lfFaceName) : QString());
    page.margin_left = font.m_nMarginLeft;
    page.margin_right = font.m_nMarginRight;
    page.margin_top = font.m_nMarginTop;
    page.margin_bottom = font.m_nMarginBottom;

    const GridManuscript manuscript = SetBookOnGrid(ui, book, grid.cells);
    page.sheets_of_400 = grid.cells == 20
                             ? SheetsBegun(manuscript.lines, 20)
                             : SheetsBegun(CountBook(ui, book, 20).total.grid_lines, 20);

    ManuscriptResult result;
    result.path = JoinPath(book.parent_path, name + ".pdf");
    const ManuscriptSettings kept = LoadManuscriptSettings(ui, book.root_path);
    if (!MayWriteOutput(ui, result.path, kept.last_written)) {
        result.outcome = ManuscriptOutcome::kDeclined;
        return result;
    }
    QSaveFile file(Qt(result.path));
    if (!file.open(QIODevice::WriteOnly) || !WriteManuscriptPdf(manuscript, page, file, progress) ||
        !file.commit()) {
        ui.ShowMessage(result.path + kCannotWriteMessage);
        return result;
    }
    ManuscriptSettings written = kept;
    written.last_written = result.path;
    result.outcome = SaveManuscriptSettings(ui, book.root_path, written)
                         ? ManuscriptOutcome::kWritten
                         : ManuscriptOutcome::kFailed;
    return result;
}

}  // namespace folix::gui
