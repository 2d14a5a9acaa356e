#include "epub/line_xhtml.h"

#include "epub/xml_text.h"
#include "notation/novel_notation.h"
#include "site/notation_markup.h"

namespace folix {
namespace {

std::string ClassSpan(const char* class_name, std::string_view text) {
    return std::string("<span class=\"") + class_name + "\">" + XmlText(text) + "</span>";
}

// Plain text, its short digit runs upright in vertical writing.
void AppendText(std::string_view text, const EpubNotation& notation, std::string& out) {
    if (!notation.vertical) {
        out += XmlText(text);
        return;
    }
    size_t done = 0;
    for (const UprightRun& run : FindUprightRuns(text, notation.upright_digits)) {
        out += XmlText(text.substr(done, run.begin - done));
        out += ClassSpan(kUprightClass, text.substr(run.begin, run.end - run.begin));
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
                out += "<ruby>" + XmlText(run.base) + "<rp>（</rp><rt>" + XmlText(run.ruby) +
                       "</rt><rp>）</rp></ruby>";
                break;
            case NotationKind::kEmphasis:
                out += ClassSpan(kEmphasisClass, run.base);
                break;
        }
    }
    return out;
}

}  // namespace folix
