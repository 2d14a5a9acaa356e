#include <optional>
#include <ostream>

#include "cli/book_argument.h"
#include "cli/command_context.h"
#include "cli/command_line.h"
#include "count/book_count.h"
#include "editing/diary_date.h"

namespace folix {
namespace {

constexpr char kUsage[] =
    "count には本のファイル(BOOK.flx)を指定します。[--grid CxR] を付けられます。";
constexpr char kBadGridMessage[] =
    "--grid には 1行の字数と1枚の行数を 10 から 60 までで 20x20 のように指定します。";
constexpr char kBookRowName[] = "合計";

void PrintRow(std::ostream& out, const TextLength& length, const GridSize& grid,
              const std::string& name) {
    out << length.characters << '\t' << length.grid_lines << '\t'
        << SheetsText(length.grid_lines, grid.lines) << '\t' << name << '\n';
}

}  // namespace

// folix count BOOK.flx [--grid CxR]: 文字数, 行 and 枚 of every file, then of every folder, then
// of the book, and the goal with the day's progress when the book has one.
int RunCountCommand(CommandContext& context) {
    std::optional<std::string> grid_text;
    std::string book_argument;
    std::string error;
    if (!ParseBookArguments(
            context.args, "count", kUsage, {{"--grid", &grid_text}},
            [](const std::string&, std::string&) { return false; }, book_argument, error)) {
        return ReportUsageError(context, error);
    }
    std::optional<GridSize> grid;
    if (grid_text) {
        grid = ParseGrid(*grid_text);
        if (!grid) {
            return ReportUsageError(context, kBadGridMessage);
        }
    }
    CommandBook opened(context.ui);
    if (!opened.Open(context, book_argument, "文字数の表示")) {
        return kExitFailure;
    }
    const SiteBook book = opened.site();
    const CountSettings settings = LoadCountSettings(context.ui, book.root_path);
    const GridSize used = grid.value_or(settings.grid);
    const BookCount count = CountBook(context.ui, book, used.cells);
    for (const CountRow& row : count.files) {
        PrintRow(context.out, row.length, used, row.path);
    }
    for (const CountRow& row : count.folders) {
        PrintRow(context.out, row.length, used, row.path);
    }
    PrintRow(context.out, count.total, used, kBookRowName);
    CountSettings shown = settings;
    shown.grid = used;
    if (const std::string goal = GoalProgressText(shown, count.total, DayText(LocalToday()));
        !goal.empty()) {
        context.out << goal << '\n';
    }
    return kExitSuccess;
}

}  // namespace folix
