#include "book/fixed_layout.h"

#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <climits>

namespace folix {

int ParseControlInt(const std::string& line) {
    size_t pos = 0;
    while (pos < line.size() && std::isspace(static_cast<unsigned char>(line[pos]))) {
        ++pos;
    }
    bool negative = false;
    if (pos < line.size() && (line[pos] == '-' || line[pos] == '+')) {
        negative = line[pos] == '-';
        ++pos;
    }
    long long value = 0;
    while (pos < line.size() && std::isdigit(static_cast<unsigned char>(line[pos]))) {
        // Saturate rather than overflow on an absurd line.
        if (value < static_cast<long long>(INT_MAX) + 1) {
            value = value * 10 + (line[pos] - '0');
        }
        ++pos;
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

bool ParseControlBool(const std::string& line) {
    return line == "true";
}

std::string FormatControlInt(int value) {
    return std::to_string(value);
}

std::string FormatControlBool(bool value) {
    return value ? "true" : "false";
}

bool ReadFixedLayout(Ui& ui, const std::string& path, size_t line_count, ControlFile& file) {
    if (!ReadControlFile(ui, path, file) || file.lines.empty()) {
        return false;
    }
    file.lines.resize(line_count);
    return true;
}

bool ReadFixedLayoutIfPresent(Ui& ui, const std::string& path, size_t line_count,
                              ControlFile& file) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 && errno == ENOENT) {
        return false;
    }
    return ReadFixedLayout(ui, path, line_count, file);
}

bool WriteFixedLayout(Ui& ui, const std::string& path, std::vector<std::string> lines) {
    ControlFile file;
    if (!ReadControlFile(ui, path, file)) {
        return false;
    }
    file.lines = std::move(lines);
    return WriteControlFile(ui, path, file);
}

}  // namespace folix
