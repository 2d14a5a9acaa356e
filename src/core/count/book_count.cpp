#include "count/book_count.h"

#include "book/path_parts.h"
#include "notation/notation_options.h"
#include "site/generation_listing.h"

namespace folix {
namespace {

class BookCounter {
public:
    BookCounter(Ui& ui, const SiteBook& book, int cells)
        : ui_(ui),
          book_(book),
          cells_(cells),
          upright_digits_(LoadNotationOptions(ui, book.root_path).upright_digits) {}

    // The folder's length; its files and folders are added to the rows on the way.
    TextLength Walk(const std::string& folder, const std::string& relative) {
        TextLength sum;
        for (const BookEntry& entry : ListBookEntries(ui_, folder)) {
            const std::string path = JoinPath(folder, entry.name);
            const std::string below = relative + entry.name;
            TextLength length;
            const size_t in_tree = count_.in_tree_order.size();
            if (entry.IsFolder()) {
                const size_t at = count_.folders.size();
                count_.folders.push_back({below + "/", {}});
                count_.in_tree_order.push_back({below + "/", {}});
                length = Walk(path, below + "/");
                count_.folders[at].length = length;
            } else {
                length = MeasureFile(path);
                count_.files.push_back({below, length});
                count_.in_tree_order.push_back({below, {}});
            }
            count_.in_tree_order[in_tree].length = length;
            sum.characters += length.characters;
            sum.grid_lines += length.grid_lines;
        }
        return sum;
    }

    BookCount Take(TextLength total) {
        count_.total = total;
        return std::move(count_);
    }

private:
    TextLength MeasureFile(const std::string& path) {
        std::string text;
        if (!book_.read_text(ui_, path, text)) {
            return {};
        }
        return MeasureText(text, cells_, upright_digits_);
    }

    Ui& ui_;
    const SiteBook& book_;
    const int cells_;
    const int upright_digits_;
    BookCount count_;
};

}  // namespace

BookCount CountBook(Ui& ui, const SiteBook& book, int cells) {
    BookCounter counter(ui, book, cells);
    const TextLength total = counter.Walk(book.root_path, "");
    return counter.Take(total);
}

std::string SheetsText(uint64_t grid_lines, int lines_per_sheet) {
    // Tenths, rounded half up, in whole numbers: no floating point to print 0.3 as 0.29….
    const uint64_t tenths = (grid_lines * 20 / static_cast<uint64_t>(lines_per_sheet) + 1) / 2;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

uint64_t SheetsBegun(uint64_t grid_lines, int lines_per_sheet) {
    const auto per_sheet = static_cast<uint64_t>(lines_per_sheet);
    return (grid_lines + per_sheet - 1) / per_sheet;
}

std::string GoalProgressText(const CountSettings& settings, const TextLength& total,
                             const std::string& today) {
    if (settings.goal_unit == GoalUnit::kNone || settings.goal == 0) {
        return {};
    }
    const bool sheets = settings.goal_unit == GoalUnit::kSheets;
    const uint64_t reached =
        sheets
            ? total.grid_lines * 100 / (static_cast<uint64_t>(settings.grid.lines) * settings.goal)
            : total.characters * 100 / settings.goal;
    std::string text = "目標 " + FormatGoal(settings.goal_unit, settings.goal) + "、現在 " +
                       (sheets ? SheetsText(total.grid_lines, settings.grid.lines) + "枚"
                               : std::to_string(total.characters) + "字") +
                       "（" + std::to_string(reached) + "%）";
    if (!settings.deadline.empty()) {
        text += "、締切 " + settings.deadline;
    }
    const int64_t written = WrittenOnTheDay(settings, today, total.characters);
    text += "、今日 " + std::string(written >= 0 ? "+" : "") + std::to_string(written) + "字";
    return text;
}

}  // namespace folix
