#pragma once

#include <string>
#include <string_view>

namespace folix {

// The rows of a "<TBL>" table: each text line fills the placeholders %1, %2 … of the row
// template with its fields, in order. Fields are separated by spaces or tabs, or written in
// double quotes to hold spaces; a space or quote inside a tag such as <A HREF="x"> never ends
// a field, so a field may be a whole link.

// Position of the first space or tab outside "<…>", or npos.
size_t FindSeparatorOutsideTags(std::string_view text);
// Position of the first double quote outside "<…>", or npos.
size_t FindQuoteOutsideTags(std::string_view text);

// The row template with %1, %2 … replaced by the fields of the line. Each placeholder is looked
// for after the previous field, so one that comes earlier ends the row; surplus fields are
// dropped and missing ones are empty.
std::string ExpandTableRow(std::string_view row_template, std::string_view line);

// Leading white space as the page writer knows it: space, tab, CR, LF, vertical tab, form feed.
std::string_view TrimLeadingSpace(std::string_view text);
std::string_view TrimSpace(std::string_view text);

}  // namespace folix
