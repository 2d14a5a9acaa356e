#include "epub/line_xhtml.h"

#include <algorithm>

#include "epub/xml_text.h"
#include "notation/novel_notation.h"

namespace folix {
namespace {

// The classes of the Japanese publishers' EPUB guide, which reading systems and the stores'
// converters know.
constexpr char kUprightClass[] = "tcy";
constexpr char kEmphasisClass[] = "em-sesame";
// The guide sets at most three digits upright.
constexpr int kMaxUprightDigits = 3;

std::string Classed(const char* element, const char* class_name, std::string_view text) {
    return std::string("<") + element + " class=\"" + class_name + "\">" + XmlText(text) + "</" +
           element + ">";
}

// Plain text, its short digit runs upright in vertical writing.
void AppendText(std::string_view text, const EpubNotation& notation, std::string& out) {
    if (!notation.vertical) {
        out += XmlText(text);
        return;
    }
    size_t done = 0;
    for (const UprightRun& run :
         FindUprightRuns(text, std::min(notation.upright_digits, kMaxUprightDigits))) {
        out += XmlText(text.substr(done, run.begin - done));
        out += Classed("span", kUprightClass, text.substr(run.begin, run.end - run.begin));
        done = run.end;
    }
    out += XmlText(text.substr(done));
}

}  // namespace

std::string LineXhtml(std::string_view line, const EpubNotation& notation) {
    if (!notation.on) {
        return XmlText(line);
    }
    std::string out;
    for (const NotationRun& run : ParseNotation(line)) {
        switch (run.kind) {
            case NotationKind::kText:
                AppendText(run.base, notation, out);
                break;
            case NotationKind::kRuby:
                // No rp: every reading system the stores sell to shows ruby itself.
                out += "<ruby>" + XmlText(run.base) + "<rt>" + XmlText(run.ruby) + "</rt></ruby>";
                break;
            case NotationKind::kEmphasis:
                out += Classed("em", kEmphasisClass, run.base);
                break;
        }
    }
    return out;
}

}  // namespace folix
