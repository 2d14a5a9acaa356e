#pragma once

#include <string>
#include <string_view>

#include "rtf/rtf_document.h"

namespace folix {

// The text of a rich-text file as the builds and the tree search use it: UTF-8, paragraphs
// joined by CR LF, a line break inside a paragraph also CR LF, table cells separated by a tab
// with each row a paragraph, pictures left out. The site and TEXT builds cut text at CR LF, so
// each paragraph becomes a line of its own rather than a whole chapter running on one line.
std::string RtfPlainText(std::string_view rtf_bytes);
std::string RtfPlainText(const RtfDocument& document);

}  // namespace folix
