#include "site/table_row.h"

namespace folix {
namespace {

constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

size_t FindOutsideTags(std::string_view text, std::string_view wanted) {
    size_t from = 0;
    while (true) {
        size_t found = text.find_first_of(wanted, from);
        if (found == std::string_view::npos) {
            return found;
        }
        size_t tag = text.find('<', from);
        if (tag == std::string_view::npos || found < tag) {
            return found;
        }
        size_t tag_end = text.find('>', tag + 1);
        if (tag_end == std::string_view::npos) {
            return tag_end;
        }
        from = tag_end + 1;
    }
}

}  // namespace

std::string_view TrimLeadingSpace(std::string_view text) {
    size_t start = text.find_first_not_of(kWhiteSpace);
    return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

std::string_view TrimSpace(std::string_view text) {
    text = TrimLeadingSpace(text);
    size_t end = text.find_last_not_of(kWhiteSpace);
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

size_t FindSeparatorOutsideTags(std::string_view text) {
    return FindOutsideTags(text, " \t");
}

size_t FindQuoteOutsideTags(std::string_view text) {
    return FindOutsideTags(text, "\"");
}

std::string ExpandTableRow(std::string_view row_template, std::string_view line) {
    std::string result(row_template);
    std::string_view rest = line;
    size_t from = 0;
    for (int n = 1;; ++n) {
        const std::string key = "%" + std::to_string(n);
        size_t at = result.find(key, from);
        if (at == std::string::npos) {
            return result;
        }
        rest = TrimLeadingSpace(rest);
        size_t end = 0;
        if (!rest.empty() && rest[0] == '"') {
            rest.remove_prefix(1);
            end = FindQuoteOutsideTags(rest);
        } else {
            end = FindSeparatorOutsideTags(rest);
        }
        std::string_view field = rest;
        if (end == std::string_view::npos) {
            rest = {};
        } else {
            field = rest.substr(0, end);
            rest = rest.substr(end + 1);
        }
        result.replace(at, key.size(), field);
        from = at + field.size();
    }
}

}  // namespace folix
