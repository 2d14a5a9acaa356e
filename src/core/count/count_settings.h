#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "typeset/grid_layout.h"

namespace folix {

class Ui;

// What a goal is counted in: characters (文字数) or manuscript sheets (枚).
enum class GoalUnit { kNone, kCharacters, kSheets };

// The book's counting settings and the day's progress, kept in "count.flc" in the book folder.
// A book without the file has the defaults, and the file is made only when something is saved.
struct CountSettings {
    static constexpr int kMinGrid = 10;
    static constexpr int kMaxGrid = 60;

    GridSize grid;  // 20×20 unless the book sets another
    GoalUnit goal_unit = GoalUnit::kNone;
    uint64_t goal = 0;
    std::string deadline;  // YYYY-MM-DD, or empty
    // The day the writer last saved, and the book's 文字数 before the first save of that day:
    // what was written since is the day's progress.
    std::string progress_date;
    uint64_t progress_start = 0;

    bool operator==(const CountSettings&) const = default;
};

inline constexpr char kCountSettingsFileName[] = "count.flc";

// "CxR" with C and R from 10 to 60 ("20x20"); nothing for any other text.
std::optional<GridSize> ParseGrid(std::string_view text);
std::string FormatGrid(const GridSize& grid);
// "" (no goal), "N字" or "N枚" with N a positive whole number.
bool ParseGoal(std::string_view text, GoalUnit& unit, uint64_t& goal);
std::string FormatGoal(GoalUnit unit, uint64_t goal);
// YYYY-MM-DD of a real day, or empty.
bool IsDeadline(std::string_view text);
// A day as the file and the messages write it, YYYY-MM-DD.
std::string DayText(std::chrono::year_month_day day);

// The defaults when the file is missing or cannot be used (reported); a value the file holds
// that is not allowed takes its default.
CountSettings LoadCountSettings(Ui& ui, const std::string& root_path);
// Writes the file, unless the file there is not a control file of ours.
bool SaveCountSettings(Ui& ui, const std::string& root_path, const CountSettings& settings);

// Notes a save of the book on the day given (YYYY-MM-DD): the first save of a day takes the
// book's 文字数 before it as that day's start. True when the settings changed.
bool NoteSaveOfTheDay(CountSettings& settings, const std::string& today,
                      uint64_t characters_before);
// What was written on the day given: the book's 文字数 now less the day's start (negative when
// more was cut than written); 0 before the day's first save.
int64_t WrittenOnTheDay(const CountSettings& settings, const std::string& today,
                        uint64_t characters_now);

}  // namespace folix
