#include "epub/line_xhtml.h"

#include "epub/xml_text.h"

namespace folix {

std::string LineXhtml(std::string_view line) {
    return XmlText(line);
}

}  // namespace folix
