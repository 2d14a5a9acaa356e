#include "book/path_parts.h"

#include "book/text_encoding.h"

namespace folix {

std::string ParentPath(std::string_view path) {
    if (path.size() < 2) {
        return {};
    }
    size_t separator = path.substr(0, path.size() - 1).rfind(kPathSeparator);
    if (separator == std::string_view::npos) {
        return {};
    }
    return std::string(path.substr(0, separator));
}

std::string FileNamePart(std::string_view path) {
    size_t separator = path.rfind(kPathSeparator);
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::string TitlePart(std::string_view path) {
    std::string name = FileNamePart(path);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ExtensionPart(std::string_view path) {
    std::string name = FileNamePart(path);
    size_t dot = name.rfind('.');
    if (dot == std::string::npos) {
        return {};
    }
    std::string_view rest = std::string_view(name).substr(dot + 1);
    size_t end = 0;
    for (int characters = 0; characters < 3 && end < rest.size(); ++characters) {
        NextCodePoint(rest, end);
    }
    return std::string(rest.substr(0, end));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    path += kPathSeparator;
    path += name;
    return path;
}

std::vector<std::string> PathNames(std::string_view path) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(kPathSeparator, start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        if (end > start) {
            names.emplace_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return names;
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

namespace {

// "." + extension, padded with blanks to four characters and folded to lower case, looked up in
// the list of known extensions: a shorter extension such as "tx" can never match "txt".
bool ExtensionIsOneOf(std::string_view path, std::string_view known) {
    std::string key = "." + AsciiLower(ExtensionPart(path));
    if (key.size() < 4) {
        key.append(4 - key.size(), ' ');
    }
    return known.find(key) != std::string_view::npos;
}

}  // namespace

bool IsEditableName(std::string_view path) {
    return ExtensionIsOneOf(path, ".txt.htx.lst");
}

bool IsHtmName(std::string_view path) {
    return ExtensionIsOneOf(path, ".htm");
}

bool HasTxtSuffix(std::string_view name) {
    return name.size() >= 4 && AsciiLower(name.substr(name.size() - 4)) == ".txt";
}

}  // namespace folix
