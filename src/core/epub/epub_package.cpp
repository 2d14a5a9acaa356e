#include "epub/epub_package.h"

#include "epub/xml_text.h"

namespace folix {
namespace {

constexpr char kXhtmlType[] = "application/xhtml+xml";

std::string ManifestItem(const std::string& id, const std::string& href, const std::string& type,
                         const std::string& properties = {}) {
    std::string item =
        "    <item id=\"" + id + "\" href=\"" + XmlText(href) + "\" media-type=\"" + type + "\"";
    if (!properties.empty()) {
        item += " properties=\"" + properties + "\"";
    }
    return item + "/>\n";
}

std::string ChapterId(size_t index) {
    return "c" + std::to_string(index + 1);
}

}  // namespace

std::string ContainerDocument() {
    return std::string(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<container version=\"1.0\" "
               "xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
               "  <rootfiles>\n"
               "    <rootfile full-path=\"") +
           kContentFolder + "/" + kPackageDocumentName +
           "\" media-type=\"application/oebps-package+xml\"/>\n"
           "  </rootfiles>\n"
           "</container>\n";
}

std::string PackageDocument(const EpubMetadata& book, const std::vector<EpubChapter>& chapters) {
    const bool cover = !book.cover_file.empty();
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" "
        "unique-identifier=\"book-id\" xml:lang=\"" +
        XmlText(book.language) +
        "\">\n"
        "  <metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
        "    <dc:identifier id=\"book-id\">urn:uuid:" +
        XmlText(book.identifier) +
        "</dc:identifier>\n"
        "    <dc:title>" +
        XmlText(book.title) +
        "</dc:title>\n"
        "    <dc:language>" +
        XmlText(book.language) + "</dc:language>\n";
    if (!book.author.empty()) {
        out += "    <dc:creator>" + XmlText(book.author) + "</dc:creator>\n";
    }
    // Read by the Kindle apps, which take no writing mode from the style sheet.
    if (book.vertical) {
        out += "    <meta name=\"primary-writing-mode\" content=\"vertical-rl\"/>\n";
    }
    out += "    <meta property=\"dcterms:modified\">" + book.modified +
           "</meta>\n"
           "  </metadata>\n"
           "  <manifest>\n";
    out += ManifestItem("nav", kNavDocumentName, kXhtmlType, "nav");
    out += ManifestItem("style", kStyleSheetName, "text/css");
    if (cover) {
        out += ManifestItem("cover-image", book.cover_file, book.cover_media_type, "cover-image");
        out += ManifestItem("cover", kCoverDocumentName, kXhtmlType);
    }
    for (size_t i = 0; i < chapters.size(); ++i) {
        out += ManifestItem(ChapterId(i), chapters[i].file_name, kXhtmlType);
    }
    out += "  </manifest>\n";
    out += book.vertical ? "  <spine page-progression-direction=\"rtl\">\n" : "  <spine>\n";
    if (cover) {
        out += "    <itemref idref=\"cover\"/>\n";
    }
    for (size_t i = 0; i < chapters.size(); ++i) {
        out += "    <itemref idref=\"" + ChapterId(i) + "\"/>\n";
    }
    out +=
        "  </spine>\n"
        "</package>\n";
    return out;
}

}  // namespace folix
