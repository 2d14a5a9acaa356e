#include "editing/person_name.h"

#include <string>

namespace folix {
namespace {

constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

std::string_view TrimLeft(std::string_view text) {
    size_t first = text.find_first_not_of(kWhiteSpace);
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

std::string_view TrimRight(std::string_view text) {
    size_t last = text.find_last_not_of(kWhiteSpace);
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

}  // namespace

bool MatchPersonName(std::string_view name, std::string_view text) {
    if (Contains(text, name)) {
        return true;
    }
    // The parts are cut from the trimmed name: a stray space typed before or after the name must
    // not end up inside the family or the given name.
    const std::string_view trimmed = TrimRight(TrimLeft(name));
    const size_t space = trimmed.find(' ');
    if (space == std::string_view::npos) {
        return false;
    }
    const std::string family(trimmed.substr(0, space));
    const std::string_view given = TrimLeft(trimmed.substr(space));
    return Contains(text, family + std::string(given)) ||
           Contains(text, family + ' ' + std::string(given));
}

}  // namespace folix
