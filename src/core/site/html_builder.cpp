#include "site/html_builder.h"

#include "book/path_parts.h"
#include "book/text_encoding.h"
#include "platform/ui.h"
#include "site/frame_templates.h"
#include "site/output_file.h"
#include "site/site_layout.h"
#include "site/site_paths.h"
#include "site/site_templates.h"
#include "site/site_walk.h"

namespace folix {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kHtmlStart = "<HTML>";

// What a generated file holds besides its template: the text page and the contents page are
// lines of the walk; every other file is a template alone.
enum class SiteFile {
    kTextPage,
    kContentsPage,
    kContentsStyle,
    kPageStyle,
    kColumns,
    kTop,
    kBottom,
    kRows
};

// Writes the files of one build, in the order given, each once the writer agreed.
class SiteFileWriter {
public:
    SiteFileWriter(Ui& ui, const std::string& root_path, const SiteLayout& layout,
                   const HtmlOptions& options, const BuildDate& date, const SiteLines& lines,
                   const SiteFilePaths& outputs, std::vector<std::string>& written)
        : ui_(ui),
          root_path_(root_path),
          layout_(layout),
          options_(options),
          date_(date),
          lines_(lines),
          outputs_(outputs),
          written_(written) {}

    // Writes one file to path, unless the writer declines to overwrite it (path is then
    // emptied). On success last_written becomes path.
    void Write(SiteFile file, std::string& path, std::string& last_written) {
        // Files written into the book folder itself are taken to be the build's own.
        if (ParentPath(path) != root_path_ && !MayWriteOutput(ui_, path, last_written)) {
            return;
        }
        std::string bytes(kUtf8Bom);
        for (const std::string& element : Assemble(file)) {
            bytes += element;
            bytes += kLineEnd;
        }
        if (!WriteOutput(ui_, path, bytes)) {
            failed_ = true;
            return;
        }
        last_written = path;
        written_.push_back(path);
    }

    bool failed() const { return failed_; }

private:
    // The templates are read once, when the first file is about to be written; their defaults
    // name the output files as this build set them, even when the writer then declined one.
    const SiteTemplates& Templates() {
        if (!templates_) {
            templates_ = LoadSiteTemplates(ui_, root_path_, layout_, outputs_);
        }
        return *templates_;
    }

    std::vector<std::string> Assemble(SiteFile file) {
        const SiteTemplates& t = Templates();
        switch (file) {
            case SiteFile::kTextPage:
                return TextPage(t);
            case SiteFile::kContentsPage: {
                std::vector<std::string> out{t.contents_head};
                out.insert(out.end(), lines_.menu.begin(), lines_.menu.end());
                out.push_back(kContentsPageEnd);
                return out;
            }
            case SiteFile::kContentsStyle:
                return {t.contents_style};
            case SiteFile::kPageStyle:
                return {t.page_style};
            case SiteFile::kColumns:
                return {t.columns};
            case SiteFile::kTop:
                return {t.top};
            case SiteFile::kBottom:
                return {t.bottom};
            case SiteFile::kRows:
                return {t.rows};
        }
        return {};
    }

    // A page that is already a whole HTML document (a book of one file that starts so) is
    // written as it is.
    std::vector<std::string> TextPage(const SiteTemplates& t) {
        const std::vector<std::string>& page = lines_.page;
        if (!page.empty() && page[0].rfind(kHtmlStart, 0) == 0) {
            return page;
        }
        std::vector<std::string> out{t.page_head};
        if (options_.m_bShowDate) {
            DateLineStyle style{options_.m_strDateBefore, options_.m_strDateAfter,
                                options_.m_bJapaneseDate, layout_.vertical, options_.m_bDateRight};
            out.push_back(DateLine(style, date_));
        }
        out.insert(out.end(), page.begin(), page.end());
        out.push_back(t.page_tail);
        return out;
    }

    Ui& ui_;
    const std::string& root_path_;
    const SiteLayout& layout_;
    const HtmlOptions& options_;
    const BuildDate& date_;
    const SiteLines& lines_;
    const SiteFilePaths outputs_;
    std::vector<std::string>& written_;
    std::optional<SiteTemplates> templates_;
    bool failed_ = false;
};

}  // namespace

HtmlBuilder::HtmlBuilder(Ui& ui, SiteBook book) : ui_(ui), book_(std::move(book)) {}

BuildOutcome HtmlBuilder::MakeHtml(HtmlOptions& options, const std::function<void()>& reset_tree) {
    auto wait = ui_.BeginWait();
    if (reset_tree) {
        reset_tree();
    }
    const SiteLayout layout = LayoutOf(options);
    if (IsDefaultHtmlFileName(options.m_strHtmlFileName)) {
        ui_.ShowMessage(options.m_strHtmlFileName + kNonameRefusal);
        return BuildOutcome::kRefused;
    }
    paths_ = MakeSiteFilePaths(book_.parent_path, options.m_strHtmlFileName);
    written_.clear();
    const BuildDate date = date_ ? *date_ : DateOfBuild();
    const SiteLines lines = WalkBook(ui_, book_, layout, FileNamePart(paths_.text_page));

    SiteFileWriter files(ui_, book_.root_path, layout, options, date, lines, paths_, written_);
    SiteFilePaths& last = options.m_lastWritten;
    if (layout.frame) {
        files.Write(SiteFile::kContentsPage, paths_.contents_page, last.contents_page);
        files.Write(SiteFile::kContentsStyle, paths_.contents_style, last.contents_style);
        files.Write(SiteFile::kTextPage, paths_.text_page, last.text_page);
        if (layout.top_bottom) {
            files.Write(SiteFile::kColumns, paths_.columns_frameset, last.columns_frameset);
            files.Write(SiteFile::kTop, paths_.top_page, last.top_page);
            files.Write(SiteFile::kBottom, paths_.bottom_page, last.bottom_page);
            files.Write(SiteFile::kRows, paths_.main_page, last.main_page);
        } else {
            files.Write(SiteFile::kColumns, paths_.main_page, last.main_page);
        }
    } else if (layout.top_bottom) {
        files.Write(SiteFile::kTextPage, paths_.text_page, last.text_page);
        files.Write(SiteFile::kTop, paths_.top_page, last.top_page);
        files.Write(SiteFile::kBottom, paths_.bottom_page, last.bottom_page);
        files.Write(SiteFile::kRows, paths_.main_page, last.main_page);
    } else {
        files.Write(SiteFile::kTextPage, paths_.main_page, last.main_page);
    }
    files.Write(SiteFile::kPageStyle, paths_.page_style, last.page_style);

    const bool saved = SaveHtmlOptions(ui_, book_.root_path, options);
    return files.failed() || !saved ? BuildOutcome::kIncomplete : BuildOutcome::kWritten;
}

}  // namespace folix
