#include "epub/epub_documents.h"

#include <ctime>

#include "epub/xml_text.h"

namespace folix {
namespace {

constexpr char kNavTitle[] = "目次";
constexpr char kCoverTitle[] = "表紙";

// The body's attributes: its class, and for the cover its type.
std::string DocumentStart(const EpubMetadata& book, const std::string& title,
                          const std::string& body_attributes) {
    const std::string language = XmlText(book.language);
    // The guide's classes for the writing mode of a document: vrtl vertical, hltr horizontal.
    const char* mode = book.vertical ? "vrtl" : "hltr";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE html>\n"
           "<html xmlns=\"http://www.w3.org/1999/xhtml\" "
           "xmlns:epub=\"http://www.idpf.org/2007/ops\" xml:lang=\"" +
           language + "\" lang=\"" + language + "\" class=\"" + mode +
           "\">\n"
           "<head>\n"
           "<meta charset=\"UTF-8\"/>\n"
           "<title>" +
           XmlText(title) +
           "</title>\n"
           "<link rel=\"stylesheet\" type=\"text/css\" href=\"" +
           kStyleSheetName +
           "\"/>\n"
           "</head>\n"
           "<body " +
           body_attributes + ">\n";
}

constexpr char kDocumentEnd[] = "</body>\n</html>\n";

void AppendNavList(const std::vector<NavPoint>& points, std::string& out) {
    out += "<ol>\n";
    for (const NavPoint& point : points) {
        out += "<li><a href=\"" + XmlText(point.href) + "\">" + XmlText(point.title) + "</a>";
        if (!point.children.empty()) {
            out += "\n";
            AppendNavList(point.children, out);
        }
        out += "</li>\n";
    }
    out += "</ol>\n";
}

}  // namespace

std::string ChapterDocument(const EpubMetadata& book, const EpubChapter& chapter) {
    return DocumentStart(book, chapter.title, "class=\"chapter\"") + chapter.body + kDocumentEnd;
}

std::string NavDocument(const EpubMetadata& book, const std::vector<NavPoint>& nav) {
    std::string out = DocumentStart(book, kNavTitle, "class=\"contents\"");
    out += "<nav epub:type=\"toc\" id=\"toc\">\n<h1>";
    out += kNavTitle;
    out += "</h1>\n";
    AppendNavList(nav, out);
    out += "</nav>\n";
    return out + kDocumentEnd;
}

std::string CoverDocument(const EpubMetadata& book) {
    return DocumentStart(book, kCoverTitle, "class=\"cover\" epub:type=\"cover\"") +
           "<div><img src=\"" + XmlText(book.cover_file) + "\" alt=\"" + kCoverTitle +
           "\"/></div>\n" + kDocumentEnd;
}

std::string StyleSheet(bool vertical) {
    std::string css = "@charset \"UTF-8\";\n";
    if (vertical) {
        css +=
            "html {\n"
            "  writing-mode: vertical-rl;\n"
            "  -epub-writing-mode: vertical-rl;\n"
            "  -webkit-writing-mode: vertical-rl;\n"
            "}\n";
    }
    css +=
        "p {\n"
        "  margin: 0;\n"
        "}\n"
        "body.cover div {\n"
        "  text-align: center;\n"
        "}\n"
        "body.cover img {\n"
        "  max-width: 100%;\n"
        "  max-height: 100%;\n"
        "}\n";
    // The notation's classes, as the publishers' guide names them.
    css +=
        "em.em-sesame {\n"
        "  font-style: normal;\n"
        "  text-emphasis-style: sesame;\n"
        "  -epub-text-emphasis-style: sesame;\n"
        "  -webkit-text-emphasis-style: sesame;\n"
        "}\n"
        "span.tcy {\n"
        "  text-combine-upright: all;\n"
        "  -epub-text-combine: horizontal;\n"
        "  -webkit-text-combine: horizontal;\n"
        "}\n";
    return css;
}

std::string IsoTimestamp(long long seconds) {
    std::time_t time = static_cast<std::time_t>(seconds);
    std::tm utc{};
    gmtime_r(&time, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

}  // namespace folix
