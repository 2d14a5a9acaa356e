#include "book/file_name_check.h"

#include <algorithm>

namespace folix {

bool HasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

bool IsSingleFileName(std::string_view name) {
    return !name.empty() && name.find_first_of("/\\") == std::string_view::npos &&
           name.find("..") == std::string_view::npos && !HasControlCharacter(name);
}

std::optional<std::string> RelativeBookPath(std::string_view path) {
    std::string relative;
    while (true) {
        const size_t separator = path.find_first_of("/\\");
        const std::string_view name = path.substr(0, separator);
        if (!IsSingleFileName(name)) {
            return std::nullopt;
        }
        relative += name;
        if (separator == std::string_view::npos) {
            return relative;
        }
        // The builds skip hidden folders, and the program keeps its own files in them.
        if (name.starts_with('.')) {
            return std::nullopt;
        }
        relative += '/';
        path.remove_prefix(separator + 1);
    }
}

}  // namespace folix
