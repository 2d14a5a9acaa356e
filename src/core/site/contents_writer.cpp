#include "site/contents_writer.h"

#include "book/path_parts.h"
#include "site/shared_listings.h"

namespace folix {

ContentsWriter::ContentsWriter(const SiteBook& book, const SiteLayout& layout,
                               std::string page_name, SharedListings& listings)
    : book_(book), layout_(layout), page_name_(std::move(page_name)), listings_(listings) {}

std::string ContentsWriter::HeadingLine(const std::string& path) const {
    const std::string anchor = HtmlEscaped(AnchorName(book_.root_path, path));
    const char* tag = anchor.empty() ? "H3" : "H4";
    return "<A NAME=\"" + anchor + "\" HREF=\"" + page_name_ + (anchor.empty() ? "" : "#") +
           anchor + "\" TARGET=\"main\"><" + tag + ">" + HtmlEscaped(TitlePart(path)) + "</" + tag +
           "></A>";
}

void ContentsWriter::AppendContents(const std::string& folder, std::vector<std::string>& lines,
                                    int depth) const {
    const std::vector<BookEntry> entries = listings_.ListAndKeep(folder);
    if (layout_.frame) {
        if (depth > 0) {
            lines.push_back(layout_.vertical ? "<DIV class=\"marginTop\">"
                                             : "<DIV class=\"marginLeft\">");
        }
        for (const BookEntry& entry : entries) {
            const std::string path = JoinPath(folder, entry.name);
            lines.push_back("<A HREF=\"" + page_name_ + "#" +
                            HtmlEscaped(AnchorName(book_.root_path, path)) + "\" TARGET=\"main\">" +
                            HtmlEscaped(TitlePart(path)) + "</A><BR>");
            if (entry.IsFolder()) {
                AppendContents(path, lines, depth + 1);
            }
        }
        if (depth > 0) {
            lines.push_back("</DIV>");
        }
        return;
    }
    lines.push_back("<DL>");
    for (const BookEntry& entry : entries) {
        const std::string path = JoinPath(folder, entry.name);
        lines.push_back(ContentsEntry(path, false));
        if (entry.IsFolder()) {
            AppendContents(path, lines, depth + 1);
        }
    }
    lines.push_back("</DL>");
}

std::string ContentsWriter::ContentsEntry(const std::string& path, bool target) const {
    const std::string prefix = layout_.indent && !layout_.frame ? "<DD>" : "<DT>";
    const std::string anchor = HtmlEscaped(AnchorName(book_.root_path, path));
    const std::string title = HtmlEscaped(TitlePart(path));
    if (target) {
        return prefix + "<A HREF=\"" + page_name_ + "#" + anchor +
               "\" TARGET=\"main\"><SPAN CLASS=\"target\">" + title + "</SPAN></A><BR>";
    }
    if (layout_.frame) {
        return prefix + "<A HREF=\"#" + anchor + "\"><SPAN CLASS=\"self\">" + title +
               "</SPAN></A><BR>";
    }
    return prefix + "<A HREF=\"#" + anchor + "\">" + title + "</A><BR>";
}

}  // namespace folix
