#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace folix {

class Ui;

// What the TEXT build does with the notation: writes it as typed, or writes the base text alone.
enum class TextNotation { kKeep, kBase };

// The notation settings of a book, kept in "notation.flc" in the book folder. A book without
// the file has the defaults, and the file is made only when a setting is saved.
struct NotationOptions {
    static constexpr int kMinUprightDigits = 2;
    static constexpr int kMaxUprightDigits = 4;

    bool html_notation = false;  // the site shows ruby, emphasis dots and upright digits
    TextNotation text_notation = TextNotation::kKeep;
    int upright_digits = kMinUprightDigits;  // the longest digit run set upright

    bool operator==(const NotationOptions&) const = default;
};

inline constexpr char kNotationOptionsFileName[] = "notation.flc";

// "keep" and "base", as the file and the command line write them.
std::string_view TextNotationName(TextNotation value);
std::optional<TextNotation> ParseTextNotation(std::string_view text);
// "2", "3" or "4"; nothing for any other text.
std::optional<int> ParseUprightDigits(std::string_view text);

// The defaults when the file is missing or cannot be used (reported); a value the file holds
// that is not one of the allowed ones takes its default.
NotationOptions LoadNotationOptions(Ui& ui, const std::string& root_path);
// Writes the 3 lines, unless the file there is not a control file of ours.
bool SaveNotationOptions(Ui& ui, const std::string& root_path, const NotationOptions& options);

}  // namespace folix
