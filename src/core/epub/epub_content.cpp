#include "epub/epub_content.h"

#include <algorithm>
#include <cstdio>

#include "book/path_parts.h"
#include "epub/line_xhtml.h"
#include "epub/xml_text.h"
#include "site/generation_listing.h"
#include "site/list_embedding.h"
#include "site/page_writer.h"

namespace folix {
namespace {

constexpr int kMaxHeadingLevel = 6;
constexpr char kUntitled[] = "無題";

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string ChapterFileName(size_t number) {
    char name[32];
    std::snprintf(name, sizeof name, "chapter%04zu.xhtml", number);
    return name;
}

// Fills the chapters from the book, reading the files through the site's list embedding.
class EpubContentWalk : private ListEmbedder {
public:
    EpubContentWalk(Ui& ui, const SiteBook& book, const EpubNotation& notation,
                    size_t max_text_bytes)
        : ListEmbedder(ui, book), notation_(notation), max_text_bytes_(max_text_bytes) {}

    EpubContent Walk() {
        const std::vector<BookEntry> entries = ListBookEntries(ui_, book_.root_path);
        for (const BookEntry& entry : entries) {
            const std::string path = JoinPath(book_.root_path, entry.name);
            StartDocument(EpubTitle(path));
            current_path_ = path;
            next_id_ = 1;
            NavPoint& point = content_.nav.emplace_back();
            point.title = Current().title;
            point.href = Current().file_name;
            AddHeading(point.title, 1);
            WalkEntry(entry, path, 2, point);
        }
        if (content_.chapters.empty()) {
            EpubChapter& chapter = content_.chapters.emplace_back();
            chapter.file_name = ChapterFileName(1);
            chapter.title = EpubTitle(book_.root_path);
            chapter.body = "<h1>" + XmlText(chapter.title) + "</h1>\n";
            content_.nav.push_back({chapter.title, chapter.file_name, {}});
        }
        return std::move(content_);
    }

private:
    void WalkEntry(const BookEntry& entry, const std::string& path, int level, NavPoint& point) {
        current_path_ = path;
        if (!entry.IsFolder()) {
            if (content_.too_large_at.empty()) {
                ReadFileLines(path);
            }
            return;
        }
        for (const BookEntry& child : ListBookEntries(ui_, path)) {
            const std::string child_path = JoinPath(path, child.name);
            NavPoint& child_point = point.children.emplace_back();
            child_point.title = EpubTitle(child_path);
            // The heading may be the one that begins the chapter's next document.
            const std::string id = AddHeading(child_point.title, level);
            child_point.href = Current().file_name + "#" + id;
            WalkEntry(child, child_path, level + 1, child_point);
        }
    }

    EpubChapter& Current() { return content_.chapters[chapter_]; }

    void StartDocument(std::string title) {
        EpubChapter& chapter = content_.chapters.emplace_back();
        chapter.file_name = ChapterFileName(content_.chapters.size());
        chapter.title = std::move(title);
        chapter_ = content_.chapters.size() - 1;
    }

    // The heading's id.
    std::string AddHeading(const std::string& title, int level) {
        const std::string n = std::to_string(std::min(level, kMaxHeadingLevel));
        std::string id = "h" + std::to_string(next_id_++);
        Add("<h" + n + " id=\"" + id + "\">" + XmlText(title) + "</h" + n + ">\n");
        return id;
    }

    // The site's tables are HTML templates the e-book cannot take: their rows stay as lines of
    // text, and the lines that open and close them are left out.
    void TakeLine(std::string_view line, std::string_view test, int depth) override {
        if (StartsWith(test, kEmbedTag)) {
            EmbedList(test, depth);
        } else if (!StartsWith(test, kTableStartTag) && !StartsWith(test, kTableEndTag)) {
            Add(line.empty() ? std::string("<p><br/></p>\n")
                             : "<p>" + LineXhtml(line, notation_) + "</p>\n");
        }
    }

    void Add(const std::string& xhtml) {
        if (!content_.too_large_at.empty()) {
            return;
        }
        if (xhtml.size() > max_text_bytes_ - text_bytes_) {
            content_.too_large_at = current_path_;
            return;
        }
        text_bytes_ += xhtml.size();
        // A chapter longer than a reading system takes in one document goes on in the next,
        // between two paragraphs.
        if (!Current().body.empty() &&
            Current().body.size() + xhtml.size() > kMaxDocumentBodyBytes) {
            StartDocument(Current().title);
        }
        Current().body += xhtml;
    }

    EpubNotation notation_;
    size_t max_text_bytes_;
    size_t text_bytes_ = 0;
    EpubContent content_;
    size_t chapter_ = 0;  // the document being filled
    int next_id_ = 1;
    std::string current_path_;
};

}  // namespace

std::string EpubTitle(const std::string& path) {
    std::string title = TitlePart(path);
    if (title.find_first_not_of(" \t") == std::string::npos) {
        title = FileNamePart(path);
    }
    return title.find_first_not_of(" \t") == std::string::npos ? kUntitled : title;
}

EpubContent CollectEpubContent(Ui& ui, const SiteBook& book, const EpubNotation& notation,
                               size_t max_text_bytes) {
    return EpubContentWalk(ui, book, notation, max_text_bytes).Walk();
}

}  // namespace folix
