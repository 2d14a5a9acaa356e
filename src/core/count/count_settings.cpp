#include "count/count_settings.h"

#include <charconv>
#include <cstdio>

#include "book/fixed_layout.h"
#include "book/path_parts.h"

namespace folix {
namespace {

constexpr size_t kCountLineCount = 4;
constexpr std::string_view kCharactersUnit = "字";
constexpr std::string_view kSheetsUnit = "枚";

std::optional<uint64_t> ParseWhole(std::string_view text) {
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    if (text.empty() || text.size() > 12 || std::from_chars(text.data(), end, value).ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> ParseGridSide(std::string_view text) {
    const std::optional<uint64_t> side = ParseWhole(text);
    if (!side || *side < CountSettings::kMinGrid || *side > CountSettings::kMaxGrid) {
        return std::nullopt;
    }
    return static_cast<int>(*side);
}

// The day's progress, as the file keeps it: "YYYY-MM-DD N".
std::string FormatProgress(const CountSettings& settings) {
    if (settings.progress_date.empty()) {
        return {};
    }
    return settings.progress_date + " " + std::to_string(settings.progress_start);
}

void ParseProgress(std::string_view text, CountSettings& settings) {
    const size_t space = text.find(' ');
    if (space == std::string_view::npos || !IsDeadline(text.substr(0, space))) {
        return;
    }
    if (const std::optional<uint64_t> start = ParseWhole(text.substr(space + 1))) {
        settings.progress_date = text.substr(0, space);
        settings.progress_start = *start;
    }
}

}  // namespace

std::optional<GridSize> ParseGrid(std::string_view text) {
    const size_t x = text.find('x');
    if (x == std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<int> cells = ParseGridSide(text.substr(0, x));
    const std::optional<int> lines = ParseGridSide(text.substr(x + 1));
    if (!cells || !lines) {
        return std::nullopt;
    }
    return GridSize{*cells, *lines};
}

std::string FormatGrid(const GridSize& grid) {
    return std::to_string(grid.cells) + "x" + std::to_string(grid.lines);
}

bool ParseGoal(std::string_view text, GoalUnit& unit, uint64_t& goal) {
    if (text.empty()) {
        unit = GoalUnit::kNone;
        goal = 0;
        return true;
    }
    for (const auto& [suffix, kind] : {std::pair{kCharactersUnit, GoalUnit::kCharacters},
                                       std::pair{kSheetsUnit, GoalUnit::kSheets}}) {
        if (text.ends_with(suffix)) {
            const std::optional<uint64_t> value =
                ParseWhole(text.substr(0, text.size() - suffix.size()));
            if (!value || *value == 0) {
                return false;
            }
            unit = kind;
            goal = *value;
            return true;
        }
    }
    return false;
}

std::string FormatGoal(GoalUnit unit, uint64_t goal) {
    switch (unit) {
        case GoalUnit::kNone:
            break;
        case GoalUnit::kCharacters:
            return std::to_string(goal) + std::string(kCharactersUnit);
        case GoalUnit::kSheets:
            return std::to_string(goal) + std::string(kSheetsUnit);
    }
    return {};
}

bool IsDeadline(std::string_view text) {
    if (text.empty()) {
        return true;
    }
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    const std::optional<uint64_t> year = ParseWhole(text.substr(0, 4));
    const std::optional<uint64_t> month = ParseWhole(text.substr(5, 2));
    const std::optional<uint64_t> day = ParseWhole(text.substr(8, 2));
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1) {
        return false;
    }
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (*year % 4 == 0 && *year % 100 != 0) || *year % 400 == 0;
    const uint64_t days = *month == 2 && !leap ? 28 : static_cast<uint64_t>(kDays[*month - 1]);
    return *day <= days;
}

std::string DayText(std::chrono::year_month_day day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return text;
}

CountSettings LoadCountSettings(Ui& ui, const std::string& root_path) {
    CountSettings settings;
    const std::string path = JoinPath(root_path, kCountSettingsFileName);
    ControlFile file;
    if (!ReadFixedLayoutIfPresent(ui, path, kCountLineCount, file)) {
        return settings;
    }
    const std::vector<std::string>& line = file.lines;
    settings.grid = ParseGrid(line[0]).value_or(settings.grid);
    if (!ParseGoal(line[1], settings.goal_unit, settings.goal)) {
        settings.goal_unit = GoalUnit::kNone;
        settings.goal = 0;
    }
    if (IsDeadline(line[2])) {
        settings.deadline = line[2];
    }
    ParseProgress(line[3], settings);
    return settings;
}

bool SaveCountSettings(Ui& ui, const std::string& root_path, const CountSettings& settings) {
    return WriteFixedLayout(ui, JoinPath(root_path, kCountSettingsFileName),
                            {
                                FormatGrid(settings.grid),
                                FormatGoal(settings.goal_unit, settings.goal),
                                settings.deadline,
                                FormatProgress(settings),
                            });
}

bool NoteSaveOfTheDay(CountSettings& settings, const std::string& today,
                      uint64_t characters_before) {
    if (settings.progress_date == today) {
        return false;
    }
    settings.progress_date = today;
    settings.progress_start = characters_before;
    return true;
}

int64_t WrittenOnTheDay(const CountSettings& settings, const std::string& today,
                        uint64_t characters_now) {
    if (settings.progress_date != today) {
        return 0;
    }
    return static_cast<int64_t>(characters_now) - static_cast<int64_t>(settings.progress_start);
}

}  // namespace folix
