#include "cli/pdf/pdf_command.h"

#include <optional>
#include <ostream>

#include "book/file_name_check.h"
#include "cli/book_argument.h"
#include "cli/command_context.h"
#include "cli/command_line.h"
#include "count/count_settings.h"
#include "count/manuscript_settings.h"
#include "gui/manuscript/manuscript_build.h"
#include "platform/ui.h"

namespace folix {
namespace {

constexpr char kUsage[] =
    "pdf には本のファイル(BOOK.flx)を指定します。[--grid CxR] [--paper A4|B5|A5|B4] "
    "[--landscape | --portrait] [--horizontal] [--ruled] [--title TEXT] [--author TEXT] "
    "[--no-title-page] を付けられます。";
constexpr char kBadGridMessage[] =
    "--grid には 1行の字数と1枚の行数を 10 から 60 までで 20x20 のように指定します。";
constexpr char kBadPaperMessage[] = "--paper には A4、B5、A5、B4 のどれかを指定します。";

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
    if (!opened.Open(context, args.book, gui::kManuscriptActionName)) {
        return kExitFailure;
    }
    // The options are this run's alone; the book keeps only the file written.
    ManuscriptSettings choices;
    choices.grid = grid;
    choices.paper = args.paper.value_or("A4");
    choices.orientation = args.orientation.value_or("");
    choices.title = args.title.value_or("");
    choices.author = args.author.value_or("");
    choices.horizontal = args.horizontal;
    choices.ruled = args.ruled;
    choices.title_page = !args.no_title_page;
    const gui::ManuscriptResult made = gui::MakeManuscript(context.ui, opened.site(), choices);
    if (made.outcome == gui::ManuscriptOutcome::kWritten) {
        context.out << made.path << '\n';
    }
    return made.outcome == gui::ManuscriptOutcome::kFailed ? kExitFailure : kExitSuccess;
}

}  // namespace folix
