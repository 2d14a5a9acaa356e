#include "notation/notation_options.h"

#include "book/fixed_layout.h"
#include "book/path_parts.h"

namespace folix {
namespace {

constexpr size_t kNotationLineCount = 3;
constexpr std::string_view kKeepName = "keep";
constexpr std::string_view kBaseName = "base";
}  // namespace

std::string_view TextNotationName(TextNotation value) {
    return value == TextNotation::kBase ? kBaseName : kKeepName;
}

std::optional<TextNotation> ParseTextNotation(std::string_view text) {
    if (text == kKeepName) {
        return TextNotation::kKeep;
    }
    if (text == kBaseName) {
        return TextNotation::kBase;
    }
    return std::nullopt;
}

std::optional<int> ParseUprightDigits(std::string_view text) {
    if (text.size() != 1 || text[0] < '0' + NotationOptions::kMinUprightDigits ||
        text[0] > '0' + NotationOptions::kMaxUprightDigits) {
        return std::nullopt;
    }
    return text[0] - '0';
}

NotationOptions LoadNotationOptions(Ui& ui, const std::string& root_path) {
    NotationOptions options;
    const std::string path = JoinPath(root_path, kNotationOptionsFileName);
    ControlFile file;
    if (!ReadFixedLayoutIfPresent(ui, path, kNotationLineCount, file)) {
        return options;
    }
    const std::vector<std::string>& line = file.lines;
    options.html_notation = ParseControlBool(line[0]);
    options.text_notation = ParseTextNotation(line[1]).value_or(options.text_notation);
    options.upright_digits = ParseUprightDigits(line[2]).value_or(options.upright_digits);
    return options;
}

bool SaveNotationOptions(Ui& ui, const std::string& root_path, const NotationOptions& options) {
    return WriteFixedLayout(ui, JoinPath(root_path, kNotationOptionsFileName),
                            {
                                FormatControlBool(options.html_notation),
                                std::string(TextNotationName(options.text_notation)),
                                FormatControlInt(options.upright_digits),
                            });
}

}  // namespace folix
