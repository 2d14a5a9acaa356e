#include "cli/read_only_profile.h"

#include <charconv>
#include <cstdlib>
#include <fstream>

namespace folix {
namespace {

std::string Trim(const std::string& text) {
    const size_t start = text.find_first_not_of(" \t\r");
    if (start == std::string::npos) {
        return {};
    }
    const size_t end = text.find_last_not_of(" \t\r");
    return text.substr(start, end - start + 1);
}

// The window's settings library quotes a value that holds separators or blanks at its ends,
// with backslash escapes inside the quotes.
std::string Unquote(const std::string& value) {
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
        return value;
    }
    std::string text;
    for (size_t i = 1; i + 1 < value.size(); ++i) {
        char c = value[i];
        if (c == '\\' && i + 2 < value.size()) {
            c = value[++i];
            c = c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
        }
        text += c;
    }
    return text;
}

}  // namespace

ReadOnlyProfile::ReadOnlyProfile(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    std::string section;
    while (std::getline(file, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const size_t equals = line.find('=');
        if (equals != std::string::npos) {
            values_[{section, Trim(line.substr(0, equals))}] =
                Unquote(Trim(line.substr(equals + 1)));
        }
    }
}

std::string ReadOnlyProfile::DefaultPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (config != nullptr && *config == '/') {
        folder = config;
    } else if (const char* home = std::getenv("HOME"); home != nullptr) {
        folder = std::string(home) + "/.config";
    }
    return folder + "/morivane/folix.conf";
}

std::string ReadOnlyProfile::GetString(const std::string& section, const std::string& key,
                                       const std::string& fallback) const {
    auto it = values_.find({section, key});
    return it == values_.end() ? fallback : it->second;
}

void ReadOnlyProfile::WriteString(const std::string& section, const std::string& key,
                                  const std::string& value) {
    values_[{section, key}] = value;
}

int ReadOnlyProfile::GetInt(const std::string& section, const std::string& key,
                            int fallback) const {
    const std::string text = GetString(section, key);
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return text.empty() || error != std::errc() || end != text.data() + text.size() ? fallback
                                                                                    : value;
}

void ReadOnlyProfile::WriteInt(const std::string& section, const std::string& key, int value) {
    values_[{section, key}] = std::to_string(value);
}

}  // namespace folix
