#include "site/date_line.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>

namespace folix {
namespace {

// Month names are always the English ones, whatever the writer's locale says.
constexpr const char* kMonthNames[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};

constexpr const char* kKanjiDigits[] = {"〇", "一", "二", "三", "四", "五", "六", "七", "八", "九"};

std::string TwoDigits(int number) {
    std::string text = std::to_string(number);
    return text.size() < 2 ? "0" + text : text;
}

std::string DateText(const DateLineStyle& style, const BuildDate& date) {
    if (!style.japanese) {
        return std::string(kMonthNames[(date.month - 1) % 12]) + " " + TwoDigits(date.day) + ", " +
               std::to_string(date.year);
    }
    if (!style.vertical) {
        return std::to_string(date.year) + "年" + TwoDigits(date.month) + "月" +
               TwoDigits(date.day) + "日";
    }
    return KanjiNumber(date.year) + "年" + KanjiNumber(date.month) + "月" + KanjiNumber(date.day) +
           "日";
}

}  // namespace

bool SourceDateEpoch(std::time_t& seconds) {
    const char* value = std::getenv("SOURCE_DATE_EPOCH");
    if (value == nullptr || *value == '\0') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    long long parsed = std::strtoll(value, &end, 10);
    if (errno != 0 || *end != '\0' || parsed < 0) {
        return false;
    }
    seconds = static_cast<std::time_t>(parsed);
    return true;
}

BuildDate DateOfBuild() {
    std::time_t seconds = 0;
    std::tm parts{};
    if (SourceDateEpoch(seconds)) {
        gmtime_r(&seconds, &parts);
    } else {
        seconds = std::time(nullptr);
        localtime_r(&seconds, &parts);
    }
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
}

std::string KanjiNumber(int number) {
    std::string text;
    for (char digit : std::to_string(number < 0 ? 0 : number)) {
        text += kKanjiDigits[digit - '0'];
    }
    return text;
}

std::string DateLine(const DateLineStyle& style, const BuildDate& date) {
    std::string text = style.before + " " + DateText(style, date) + style.after;
    if (style.right) {
        return "<DIV ALIGN=\"RIGHT\">" + text + "</DIV><BR>";
    }
    return "<CENTER>" + text + "</CENTER><BR>";
}

}  // namespace folix
