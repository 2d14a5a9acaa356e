#include "upload/directory_listing.h"

#include <cctype>
#include <string>

namespace folix {
namespace {

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

// A name the tree may show and join to its folder's path: not the folder itself or its parent,
// and nothing that would lead a later delete or upload out of the folder ("/" and the "\\" of
// some servers) or break the command that carries it (NUL, CR, LF). A hostile or broken server
// can send any of these; such an entry is left out.
bool IsUsableName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\\0\r\n", 5)) == std::string_view::npos;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

// The value of one fact ("type") in "size=2;type=file;", letter case of the fact name ignored.
std::string FactValue(std::string_view facts, std::string_view name) {
    while (!facts.empty()) {
        size_t end = facts.find(';');
        std::string_view fact = facts.substr(0, end);
        size_t equals = fact.find('=');
        if (equals != std::string_view::npos && Lower(fact.substr(0, equals)) == name) {
            return Lower(fact.substr(equals + 1));
        }
        facts = end == std::string_view::npos ? std::string_view() : facts.substr(end + 1);
    }
    return {};
}

// Cuts the first n blank-separated fields off the line; what is left starts at the next field.
// False when the line has fewer fields.
bool SkipFields(std::string_view& line, int n) {
    for (int i = 0; i < n; ++i) {
        size_t start = line.find_first_not_of(' ');
        if (start == std::string_view::npos) {
            return false;
        }
        size_t end = line.find(' ', start);
        if (end == std::string_view::npos) {
            return false;
        }
        line.remove_prefix(end);
    }
    size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return false;
    }
    line.remove_prefix(start);
    return true;
}

bool IsDosDate(std::string_view field) {
    return field.size() >= 8 && std::isdigit(static_cast<unsigned char>(field[0])) &&
           (field[2] == '-' || field[2] == '/');
}

}  // namespace

std::vector<FtpEntry> ParseMachineListing(std::string_view text) {
    std::vector<FtpEntry> entries;
    for (std::string_view line : Lines(text)) {
        // The facts end at the first blank; the name is everything after it, blanks included.
        size_t blank = line.find(' ');
        if (blank == std::string_view::npos) {
            continue;
        }
        std::string_view name = line.substr(blank + 1);
        const std::string type = FactValue(line.substr(0, blank), "type");
        if (type == "cdir" || type == "pdir" || !IsUsableName(name)) {
            continue;
        }
        entries.push_back({std::string(name), type == "dir"});
    }
    return entries;
}

std::vector<FtpEntry> ParseListListing(std::string_view text) {
    std::vector<FtpEntry> entries;
    for (std::string_view line : Lines(text)) {
        FtpEntry entry;
        std::string_view rest = line;
        if (IsDosDate(line)) {
            // date, time, then "<DIR>" or a size, then the name.
            if (!SkipFields(rest, 2)) {
                continue;
            }
            entry.is_directory = rest.substr(0, 5) == "<DIR>";
            if (!SkipFields(rest, 1)) {
                continue;
            }
        } else if (line.size() >= 10 &&
                   std::string_view("-dl").find(line[0]) != std::string_view::npos) {
            // mode, links, owner, group, size, month, day, time or year, then the name.
            if (!SkipFields(rest, 8)) {
                continue;
            }
            entry.is_directory = line[0] == 'd';
            if (line[0] == 'l') {
                rest = rest.substr(0, rest.find(" -> "));
            }
        } else {
            continue;
        }
        if (!IsUsableName(rest)) {
            continue;
        }
        entry.name = std::string(rest);
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace folix
