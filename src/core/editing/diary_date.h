#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace folix {

class EditorControl;

// Today's date as the diary writes it, and the two diary commands. The clock is a parameter so
// the tests can pin a date; the window uses the computer's local date.
using DiaryClock = std::function<std::chrono::year_month_day()>;

// The local calendar day of now.
std::chrono::year_month_day LocalToday();

// The kanji numeral of n for 1 to 31 (一, 十, 十一, 二十, 三十一); empty for anything else.
std::string KanjiDayNumber(int n);

// Month, day and weekday in kanji, no year: 十二月七日(月) for Monday 7 December.
std::string DiaryDateText(std::chrono::year_month_day date);

// "一行日記": the date on a new first line, an empty line after it with the caret on it. One undo
// step; false (nothing changed) when the editor refuses the edit.
bool InsertDiaryDateTop(EditorControl& editor, const std::string& date);
// "日記": the date as a new paragraph at the end, the caret on the empty line after it. On an
// empty text it is the one-line diary.
bool InsertDiaryDateEnd(EditorControl& editor, const std::string& date);

}  // namespace folix
