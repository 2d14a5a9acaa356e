#include "site/html_builder.h"

#include "book/file_io.h"
#include "book/file_name_check.h"
#include "book/path_parts.h"
#include "book/system_error.h"
#include "book/text_encoding.h"
#include "notation/notation_options.h"
#include "platform/ui.h"
#include "site/frame_templates.h"
#include "site/notation_markup.h"
#include "site/output_file.h"
#include "site/page_spool.h"
#include "site/site_layout.h"
#include "site/site_paths.h"
#include "site/site_templates.h"
#include "site/site_walk.h"
#include "site/template_file.h"

namespace folix {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

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

// The bytes of the text page before its lines: the byte-order mark, then, unless the page is a
// whole HTML document (no head), the head template and the update-date line.
std::string TextPageStart(const HtmlOptions& options, const SiteLayout& layout,
                          const BuildDate& date, const std::string* head) {
    std::string start(kUtf8Bom);
    if (head != nullptr) {
        start += *head;
        start += kLineEnd;
        if (options.show_date) {
            DateLineStyle style{options.date_before, options.date_after, options.japanese_date,
                                layout.vertical, options.date_right};
            start += DateLine(style, date);
            start += kLineEnd;
        }
    }
    return start;
}

// A site in the book folder is the book's own: its files are written without the question.
bool AsksBeforeSiteFile(const std::string& root_path, const std::string& path,
                        const std::string& last_written) {
    return ParentPath(path) != root_path && AsksBeforeWriting(path, last_written);
}

// Whether the writer may be asked anything from the walk up to the text page's turn: about
// the text page itself or, with a contents frame, the two files written before it.
bool AsksBeforeTextPage(const std::string& root_path, const SiteLayout& layout,
                        const SiteFilePaths& paths, const SiteFilePaths& last) {
    const auto asks = [&](const std::string& path, const std::string& last_written) {
        return AsksBeforeSiteFile(root_path, path, last_written);
    };
    if (layout.frame) {
        return asks(paths.contents_page, last.contents_page) ||
               asks(paths.contents_style, last.contents_style) ||
               asks(paths.text_page, last.text_page);
    }
    return layout.top_bottom ? asks(paths.text_page, last.text_page)
                             : asks(paths.main_page, last.main_page);
}

// Writes the files of one build, in the order given, each once the writer agreed.
class SiteFileWriter {
public:
    SiteFileWriter(Ui& ui, const std::string& root_path, const SiteLayout& layout,
                   const HtmlOptions& options, const BuildDate& date,
                   const std::vector<std::string>& menu, PageSpool& page,
                   const std::optional<std::string>& page_head, const SiteFilePaths& outputs,
                   std::vector<std::string>& written)
        : ui_(ui),
          root_path_(root_path),
          layout_(layout),
          options_(options),
          date_(date),
          menu_(menu),
          page_(page),
          page_head_(page_head),
          outputs_(outputs),
          written_(written) {}

    // Writes one file to path, unless the writer declines to overwrite it (path is then
    // emptied). On success last_written becomes path.
    void Write(SiteFile file, std::string& path, std::string& last_written) {
        if (ParentPath(path) != root_path_ && !MayWriteOutput(ui_, path, last_written)) {
            return;
        }
        const bool written =
            file == SiteFile::kTextPage ? WriteTextPage(path) : WriteAssembled(file, path);
        if (!written) {
            failed_ = true;
            return;
        }
        last_written = path;
        written_.push_back(path);
    }

    bool failed() const { return failed_; }

private:
    bool WriteAssembled(SiteFile file, const std::string& path) {
        std::string bytes(kUtf8Bom);
        for (const std::string& element : Assemble(file)) {
            bytes += element;
            bytes += kLineEnd;
        }
        return WriteOutput(ui_, path, bytes);
    }

    // The page between the head and tail of its templates, unless it is a whole HTML document
    // already (a book of one file that starts so), which is written as it is. A page written
    // in place during the walk has its head already and only needs its tail.
    bool WriteTextPage(const std::string& path) {
        const SiteTemplates& t = Templates();
        if (int error = page_.InPlace() ? page_.CommitInPlace(t.page_tail) : WriteSpooled(path, t);
            error != 0) {
            ShowCannotOpen(ui_, path, error);
            return false;
        }
        return true;
    }

    int WriteSpooled(const std::string& path, const SiteTemplates& t) {
        AtomicFileWriter out(path);
        const bool wrapped = !page_.IsHtmlDocument();
        out.Append(TextPageStart(options_, layout_, date_, wrapped ? &t.page_head : nullptr));
        out.AppendFile(page_.file());
        if (wrapped) {
            AppendLine(out, t.page_tail);
        }
        return out.Commit();
    }

    // The writer's style sheet, and after it the rules of the notation's classes when the page
    // has them.
    std::string PageStyle(const std::string& style_sheet) const {
        const std::string rules =
            layout_.notation ? NotationStyleRules(style_sheet, layout_.vertical) : "";
        if (rules.empty()) {
            return style_sheet;
        }
        const bool ends_line = style_sheet.empty() || style_sheet.back() == '\n';
        return style_sheet + (ends_line ? "" : std::string(kLineEnd)) + rules;
    }

    static void AppendLine(AtomicFileWriter& out, std::string_view line) {
        out.Append(line);
        out.Append(kLineEnd);
    }

    // The templates are read once, when the first file is about to be written; their defaults
    // name the output files as this build set them, even when the writer then declined one.
    const SiteTemplates& Templates() {
        if (!templates_) {
            templates_ = LoadSiteTemplates(ui_, root_path_, layout_, outputs_, page_head_);
        }
        return *templates_;
    }

    std::vector<std::string> Assemble(SiteFile file) {
        const SiteTemplates& t = Templates();
        switch (file) {
            case SiteFile::kTextPage:
                break;  // WriteTextPage
            case SiteFile::kContentsPage: {
                std::vector<std::string> out{t.contents_head};
                out.insert(out.end(), menu_.begin(), menu_.end());
                out.push_back(kContentsPageEnd);
                return out;
            }
            case SiteFile::kContentsStyle:
                return {t.contents_style};
            case SiteFile::kPageStyle:
                return {PageStyle(t.page_style)};
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

    Ui& ui_;
    const std::string& root_path_;
    const SiteLayout& layout_;
    const HtmlOptions& options_;
    const BuildDate& date_;
    const std::vector<std::string>& menu_;
    PageSpool& page_;
    const std::optional<std::string>& page_head_;
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
    SiteLayout layout = LayoutOf(options);
    const NotationOptions notation = LoadNotationOptions(ui_, book_.root_path);
    layout.notation = notation.html_notation;
    layout.upright_digits = notation.upright_digits;
    if (IsDefaultHtmlFileName(options.html_file_name)) {
        ui_.ShowMessage(options.html_file_name + kNonameRefusal);
        return BuildOutcome::kRefused;
    }
    // The options check the name when it is typed or read; this holds whatever set it.
    if (!IsSiteFileName(options.html_file_name, book_.root_path)) {
        ui_.ShowMessage(options.html_file_name + kInvalidValueMessage);
        return BuildOutcome::kRefused;
    }
    paths_ = MakeSiteFilePaths(book_.parent_path, options.html_file_name);
    written_.clear();
    const BuildDate date = date_ ? *date_ : DateOfBuild();
    std::vector<std::string> menu;
    // The spool is named after the file the page becomes, so that the next build of that file
    // clears what a killed one left.
    PageSpool page(layout.frame || layout.top_bottom ? paths_.text_page : paths_.main_page);
    // Where nothing can be asked before the page's turn and its head template is in place, the
    // walk writes the page in its own temporary file, which its turn puts in place: the text
    // is written once instead of spooled and copied. The head is read now for that, and only
    // then; every other template is read at the first file's turn, as without it.
    std::optional<std::string> page_head;
    if (!AsksBeforeTextPage(book_.root_path, layout, paths_, options.last_written)) {
        page_head = ReadTemplateInPlace(PageHeadTemplatePath(book_.root_path, layout));
        if (page_head) {
            page.WriteInPlace(TextPageStart(options, layout, date, &*page_head));
        }
    }
    WalkBook(ui_, book_, layout, FileNamePart(paths_.text_page), menu, page);

    SiteFileWriter files(ui_, book_.root_path, layout, options, date, menu, page, page_head, paths_,
                         written_);
    SiteFilePaths& last = options.last_written;
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
