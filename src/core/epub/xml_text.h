#pragma once

#include <string>
#include <string_view>

namespace folix {

// Text as XML character data or inside a quoted attribute. The e-book's documents are XML, where
// one stray byte makes the whole book unreadable: & < > " are escaped, control characters other
// than the tab are left out, and a byte that is not part of valid UTF-8 (a file name from
// another system) becomes U+FFFD.
std::string XmlText(std::string_view text);

}  // namespace folix
