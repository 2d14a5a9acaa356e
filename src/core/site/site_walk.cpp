#include "site/site_walk.h"

#include "book/path_parts.h"
#include "site/contents_writer.h"
#include "site/page_writer.h"
#include "site/shared_listings.h"

namespace folix {
namespace {

// The walks over the book, with the writers of the page and contents lines they share.
class SiteWalk {
public:
    SiteWalk(Ui& ui, const SiteBook& book, const SiteLayout& layout, const std::string& page_name,
             std::vector<std::string>& menu, LineSink& page)
        : book_(book),
          layout_(layout),
          pages_(ui, book),
          listings_(ui),
          contents_(book, layout, page_name, listings_),
          menu_(menu),
          page_(page) {
        if (layout.notation) {
            pages_.ConvertNotation(layout.vertical, layout.upright_digits);
        }
    }

    // The title, the contents, and (unless the contents were walked apart) every entry.
    void WalkSite(const std::string& folder, int level) {
        const std::vector<BookEntry> entries = listings_.Take(folder);
        const bool root = folder == book_.root_path;
        if (root) {
            if (IsSingleTextFile(entries)) {
                pages_.AppendFileText(JoinPath(folder, entries[0].name), page_);
                return;
            }
            page_.Add(pages_.HeadingLine(folder, 0));
            std::vector<std::string> contents = BookContents(folder, entries);
            if (layout_.frame) {
                menu_.push_back(contents_.HeadingLine(folder));
                menu_.insert(menu_.end(), contents.begin(), contents.end());
                if (layout_.contents_of_contents) {
                    menu_.push_back("<HR>");
                }
            } else {
                Append(page_, contents);
            }
        }
        if (layout_.separate_contents) {
            return;
        }
        for (const BookEntry& entry : entries) {
            const std::string path = JoinPath(folder, entry.name);
            if (root && layout_.frame) {
                menu_.push_back(contents_.HeadingLine(path));
            }
            page_.Add(pages_.HeadingLine(path, level));
            if (entry.IsFolder()) {
                if (root && layout_.frame) {
                    contents_.AppendContents(path, menu_, 0);
                } else if (root) {
                    std::vector<std::string> contents;
                    contents_.AppendContents(path, contents, 0);
                    Append(page_, contents);
                }
                WalkSite(path, level + 1);
            } else {
                pages_.AppendFileText(path, page_);
            }
        }
    }

    // Every entry under its heading, when the contents were written as one list apart.
    void WalkPages(const std::string& folder, int level) {
        const std::vector<BookEntry> entries = listings_.Take(folder);
        if (folder == book_.root_path && IsSingleTextFile(entries)) {
            return;
        }
        for (const BookEntry& entry : entries) {
            const std::string path = JoinPath(folder, entry.name);
            page_.Add(pages_.HeadingLine(path, level));
            if (entry.IsFolder()) {
                WalkPages(path, level + 1);
            } else {
                pages_.AppendFileText(path, page_);
            }
        }
    }

private:
    static bool IsSingleTextFile(const std::vector<BookEntry>& entries) {
        return entries.size() == 1 && !entries[0].IsFolder();
    }

    static void Append(LineSink& to, const std::vector<std::string>& from) {
        for (const std::string& line : from) {
            to.Add(line);
        }
    }

    // What follows the book title: the short list of the first-level entries, or the whole
    // nested contents, or nothing when the walk puts contents under each first-level folder.
    std::vector<std::string> BookContents(const std::string& folder,
                                          const std::vector<BookEntry>& entries) {
        std::vector<std::string> contents;
        if (layout_.contents_of_contents) {
            contents.push_back("<DL>");
            for (const BookEntry& entry : entries) {
                // A file opens the text page; a folder jumps to its own contents further down.
                const bool target = layout_.frame && !entry.IsFolder();
                contents.push_back(contents_.ContentsEntry(JoinPath(folder, entry.name), target));
            }
            contents.push_back("</DL>");
        } else if (layout_.separate_contents) {
            contents_.AppendContents(folder, contents, 0);
        }
        return contents;
    }

    const SiteBook& book_;
    SiteLayout layout_;
    PageWriter pages_;
    // Declared before contents_, which lists through it.
    SharedListings listings_;
    ContentsWriter contents_;
    std::vector<std::string>& menu_;
    LineSink& page_;
};

}  // namespace

void WalkBook(Ui& ui, const SiteBook& book, const SiteLayout& layout, const std::string& page_name,
              std::vector<std::string>& menu, LineSink& page) {
    SiteWalk walk(ui, book, layout, page_name, menu, page);
    walk.WalkSite(book.root_path, 1);
    if (layout.separate_contents) {
        walk.WalkPages(book.root_path, 1);
    }
}

}  // namespace folix
