#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "site/build_outcome.h"
#include "site/date_line.h"
#include "site/html_options.h"
#include "site/site_book.h"

namespace folix {

class Ui;

inline constexpr char kNonameRefusal[] =
    "ではHTMLを作成できません。HTMLオプションボタンを押して、"
    "正しいファイル名を指定してやり直してください。";

// Builds the book's web site beside the book folder: the text page with every file of the book
// in tree order, and, as the options say, the contents page and its style sheet, the framesets,
// the top and bottom strips and the page style, each wrapped in the book's templates.
//
// The caller is the book model (CFileSystem::MakeHtml, which the window and the command line
// both use). Before MakeHtml it refuses when no tree is shown ("HTML作成");
// it passes its tree-search reset as reset_tree, which runs behind the wait cursor before
// anything else. Unless the outcome is kRefused, it then reloads the root folder item, so that
// templates made by the build appear in the tree. The main page's path (what the browser opens)
// is paths().main_page, empty until a build set it and after the writer declined to overwrite it.
class HtmlBuilder {
public:
    HtmlBuilder(Ui& ui, SiteBook book);

    // The date the update-date line shows; without one, the day of the build.
    void SetDate(const BuildDate& date) { date_ = date; }

    // Refuses the name "noname.htm"; otherwise writes the files and saves the options with the
    // paths now written.
    BuildOutcome MakeHtml(HtmlOptions& options, const std::function<void()>& reset_tree = {});

    // The output paths of the last build; a file the writer declined to overwrite has none.
    const SiteFilePaths& paths() const { return paths_; }
    // The files the last build wrote, in the order written.
    const std::vector<std::string>& written() const { return written_; }

private:
    Ui& ui_;
    SiteBook book_;
    std::optional<BuildDate> date_;
    SiteFilePaths paths_;
    std::vector<std::string> written_;
};

}  // namespace folix
