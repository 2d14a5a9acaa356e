#include "site/site_book.h"

#include "book/path_parts.h"

namespace folix {

std::string AnchorName(const std::string& root_path, const std::string& path) {
    if (path == root_path) {
        return {};
    }
    std::string full = JoinPath(ParentPath(path), TitlePart(path));
    size_t below_root = root_path.size() + 1;
    return below_root < full.size() ? full.substr(below_root) : std::string();
}

const char* MarkupEntity(char c) {
    switch (c) {
        case '&':
            return "&amp;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '"':
            return "&quot;";
        default:
            return nullptr;
    }
}

std::string HtmlEscaped(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (char c : name) {
        if (const char* entity = MarkupEntity(c)) {
            out += entity;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace folix
