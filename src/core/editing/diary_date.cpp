#include "editing/diary_date.h"

#include <ctime>

#include "platform/editor_control.h"

namespace folix {
namespace {

constexpr const char* kNumerals[] = {"零", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
constexpr const char* kWeekdays[] = {"日", "月", "火", "水", "木", "金", "土"};

// After the date went in at `from`, the caret goes behind the line end that closes the date
// line. The editor counts positions its own way (a Qt document one per paragraph end, the
// in-memory editor one per code point), so the place is found in the editor, never computed.
void PutCaretBehindDateLine(EditorControl& editor, long from, int line_ends_before_date) {
    TextRange caret = editor.GetSelection();
    long start = from;
    for (int i = 0; i <= line_ends_before_date; ++i) {
        std::optional<TextRange> line_end = editor.FindText("\n", {start, kEndOfText}, {});
        if (!line_end) {
            break;
        }
        start = line_end->end;
        caret = {start, start};
    }
    editor.SetSelection(caret);
}

}  // namespace

std::chrono::year_month_day LocalToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year{local.tm_year + 1900} /
           std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)} /
           std::chrono::day{static_cast<unsigned>(local.tm_mday)};
}

std::string KanjiDayNumber(int n) {
    if (n <= 0 || n >= 32) {
        return {};
    }
    std::string result;
    if (n >= 20) {
        result += kNumerals[n / 10];
    }
    if (n > 9) {
        result += "十";
    }
    if (n % 10 > 0) {
        result += kNumerals[n % 10];
    }
    return result;
}

std::string DiaryDateText(std::chrono::year_month_day date) {
    const std::chrono::weekday weekday{std::chrono::sys_days{date}};
    return KanjiDayNumber(static_cast<int>(static_cast<unsigned>(date.month()))) + "月" +
           KanjiDayNumber(static_cast<int>(static_cast<unsigned>(date.day()))) + "日(" +
           kWeekdays[weekday.c_encoding()] + ")";
}

bool InsertDiaryDateTop(EditorControl& editor, const std::string& date) {
    editor.SetSelection({0, 0});
    if (!editor.ReplaceSelection(date + "\n\n")) {
        return false;
    }
    PutCaretBehindDateLine(editor, 0, 0);
    return true;
}

bool InsertDiaryDateEnd(EditorControl& editor, const std::string& date) {
    if (editor.GetTextLength() == 0) {
        return InsertDiaryDateTop(editor, date);
    }
    const long end = editor.GetTextLength();
    editor.SetSelection({end, end});
    if (!editor.ReplaceSelection("\n" + date + "\n\n")) {
        return false;
    }
    PutCaretBehindDateLine(editor, end, 1);
    return true;
}

}  // namespace folix
