#include "cli/pdf/pdf_command.h"

#include <QFileInfo>
#include <QSaveFile>

#include <optional>
#include <ostream>

#include "book/file_name_check.h"
#include "book/path_parts.h"
#include "cli/book_argument.h"
#include "cli/command_context.h"
#include "cli/command_line.h"
#include "count/book_count.h"
#include "count/count_settings.h"
#include "count/manuscript_layout.h"
#include "count/manuscript_settings.h"
#include "editing/font_settings.h"
#include "gui/manuscript/manuscript_pdf.h"
#include "platform/ui.h"
#include "site/output_file.h"

namespace folix {
namespace {

constexpr char kUsage[] =
    "pdf には本のファイル(BOOK.flx)を指定します。[--grid CxR] [--paper A4|B5|A5|B4] "
    "[--landscape | --portrait] [--horizontal] [--ruled] [--title TEXT] [--author TEXT] "
    "[--no-title-page] を付けられます。";
constexpr char kBadGridMessage[] =
    "--grid には 1行の字数と1枚の行数を 10 から 60 までで 20x20 のように指定します。";
constexpr char kBadPaperMessage[] = "--paper には A4、B5、A5、B4 のどれかを指定します。";
constexpr char kActionName[] = "原稿作成";
constexpr char kCannotWriteMessage[] = "が書けません。";

struct PdfArguments {
    std::string book;
    std::optional<std::string> grid;
    std::optional<std::string> paper;
    std::optional<std::string> title;
    std::optional<std::string> author;
    std::optional<std::string> orientation;
    bool horizontal = false;
    bool ruled = false;
    bool no_title_page = false;
};

bool ParseArguments(const std::vector<std::string>& args, PdfArguments& parsed,
                    std::string& error) {
    const OptionValues values = {{"--grid", &parsed.grid},
                                 {"--paper", &parsed.paper},
                                 {"--title", &parsed.title},
                                 {"--author", &parsed.author}};
    const auto flag = [&](const std::string& arg, std::string& refusal) {
        if (arg == "--landscape" || arg == "--portrait") {
            const std::string orientation = arg.substr(2);
            if (parsed.orientation && *parsed.orientation != orientation) {
                refusal = "--landscape と --portrait は同時に指定できません。";
                return false;
            }
            parsed.orientation = orientation;
        } else if (arg == "--horizontal") {
            parsed.horizontal = true;
        } else if (arg == "--ruled") {
            parsed.ruled = true;
        } else if (arg == "--no-title-page") {
            parsed.no_title_page = true;
        } else {
            return false;
        }
        return true;
    };
    return ParseBookArguments(args, "pdf", kUsage, values, flag, parsed.book, error);
}

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

int RunPdf(CommandContext& context) {
    PdfArguments args;
    std::string error;
    if (!ParseArguments(context.args, args, error)) {
        return ReportUsageError(context, error);
    }
    std::optional<GridSize> grid;
    if (args.grid) {
        grid = ParseGrid(*args.grid);
        if (!grid) {
            return ReportUsageError(context, kBadGridMessage);
        }
    }
    if (args.paper && !IsManuscriptPaper(*args.paper)) {
        return ReportUsageError(context, kBadPaperMessage);
    }
    for (const auto* text : {&args.title, &args.author}) {
        if (*text && HasControlCharacter(**text)) {
            context.ui.ShowMessage(**text + kInvalidValueMessage);
            return kExitFailure;
        }
    }
    CommandBook opened(context.ui);
    if (!opened.Open(context, args.book, kActionName)) {
        return kExitFailure;
    }
    const SiteBook book = opened.site();
    // The options are this run's alone; the book keeps the file written, replaced next time
    // without asking.
    ManuscriptSettings settings = LoadManuscriptSettings(context.ui, book.root_path);
    settings.grid = grid;
    settings.paper = args.paper.value_or("A4");
    settings.orientation = args.orientation.value_or("");
    settings.title = args.title.value_or("");
    settings.author = args.author.value_or("");
    settings.horizontal = args.horizontal;
    settings.ruled = args.ruled;
    settings.title_page = !args.no_title_page;
    const GridSize used =
        settings.grid.value_or(LoadCountSettings(context.ui, book.root_path).grid);
    FontSettings font;
    font.LoadFont(context.ui, book.root_path);

    gui::ManuscriptPage page;
    page.grid = used;
    page.paper = PaperOf(settings.paper);
    page.landscape = settings.orientation.empty() ? gui::LandscapeForGrid(used)
                                                  : settings.orientation == "landscape";
    page.vertical = !settings.horizontal;
    page.ruled = settings.ruled;
    page.title_page = settings.title_page;
    const std::string name = FileNamePart(book.root_path);
    page.title = Qt(settings.title.empty() ? name : settings.title);
    page.author = Qt(settings.author);
    page.font = gui::ManuscriptFont(font.HasFont() ? Qt(font.m_logFont.lfFaceName) : QString());
    page.margin_left = font.m_nMarginLeft;
    page.margin_right = font.m_nMarginRight;
    page.margin_top = font.m_nMarginTop;
    page.margin_bottom = font.m_nMarginBottom;

    const GridManuscript manuscript = SetBookOnGrid(context.ui, book, used.cells);
    page.sheets_of_400 = used == GridSize{}
                             ? SheetsBegun(manuscript.lines, 20)
                             : SheetsBegun(CountBook(context.ui, book, 20).total.grid_lines, 20);

    std::string path = JoinPath(book.parent_path, name + ".pdf");
    if (!MayWriteOutput(context.ui, path, settings.last_written)) {
        return kExitSuccess;
    }
    QSaveFile file(Qt(path));
    if (!file.open(QIODevice::WriteOnly) || !gui::WriteManuscriptPdf(manuscript, page, file) ||
        !file.commit()) {
        context.ui.ShowMessage(path + kCannotWriteMessage);
        return kExitFailure;
    }
    ManuscriptSettings kept = LoadManuscriptSettings(context.ui, book.root_path);
    kept.last_written = path;
    if (!SaveManuscriptSettings(context.ui, book.root_path, kept)) {
        return kExitFailure;
    }
    context.out << path << '\n';
    return kExitSuccess;
}

}  // namespace folix
