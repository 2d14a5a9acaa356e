#pragma once

#include <ctime>
#include <string>

namespace folix {

// The calendar date a build stamps on the text page.
struct BuildDate {
    int year = 1970;
    int month = 1;  // 1 to 12
    int day = 1;
};

// The seconds of SOURCE_DATE_EPOCH, when it is set to a plain decimal number.
bool SourceDateEpoch(std::time_t& seconds);

// Today in local time, or, when SOURCE_DATE_EPOCH holds a time in seconds, that day in UTC, so
// that a scripted build of an unchanged book gives the same bytes every time.
BuildDate DateOfBuild();

// The number with each decimal digit written as a kanji digit: 2004 gives 二〇〇四, 10 gives 一〇.
std::string KanjiNumber(int number);

// How the update-date line is worded and placed (the date options of the HTML options).
struct DateLineStyle {
    std::string before;
    std::string after;
    bool japanese = true;
    bool vertical = false;
    bool right = true;
};

// The line that opens the text page: "May 03, 2004", "2004年05月03日" or, written vertically,
// "二〇〇四年五月三日", between the texts before and after, centred or at the right.
std::string DateLine(const DateLineStyle& style, const BuildDate& date);

}  // namespace folix
