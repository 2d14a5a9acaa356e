#include "site/site_templates.h"

#include "book/path_parts.h"
#include "site/frame_templates.h"
#include "site/page_templates.h"
#include "site/site_book.h"
#include "site/template_file.h"

namespace folix {

std::string PageHeadTemplatePath(const std::string& root_path, const SiteLayout& layout) {
    return JoinPath(root_path, layout.vertical ? kVerticalPageHeadTemplate : kPageHeadTemplate);
}

SiteTemplates LoadSiteTemplates(Ui& ui, const std::string& root_path, const SiteLayout& layout,
                                const SiteFilePaths& outputs,
                                const std::optional<std::string>& page_head) {
    const bool v = layout.vertical;
    const std::string book_name = HtmlEscaped(FileNamePart(root_path));
    const std::string page_name = FileNamePart(outputs.text_page);
    const auto load = [&](const char* name, const std::string& default_text) {
        return LoadTemplate(ui, JoinPath(root_path, name), default_text);
    };

    SiteTemplates t;
    t.page_head =
        page_head ? *page_head
                  : LoadTemplate(ui, PageHeadTemplatePath(root_path, layout),
                                 DefaultPageHead(book_name, FileNamePart(outputs.page_style), v));
    t.page_tail = load(v ? kVerticalPageTailTemplate : kPageTailTemplate, DefaultPageTail(v));
    t.page_style = load(v ? kVerticalPageStyleTemplate : kPageStyleTemplate, DefaultPageStyle(v));
    if (layout.frame) {
        t.contents_head =
            load(v ? kVerticalContentsHeadTemplate : kContentsHeadTemplate,
                 DefaultContentsHead(book_name, FileNamePart(outputs.contents_style), v));
        t.contents_style = load(v ? kVerticalContentsStyleTemplate : kContentsStyleTemplate,
                                DefaultContentsStyle(v));
        t.columns = load(
            v ? kVerticalColumnsTemplate : kColumnsTemplate,
            DefaultColumnsFrameset(book_name, FileNamePart(outputs.contents_page), page_name, v));
    }
    if (layout.top_bottom) {
        t.top = load(kTopTemplate, DefaultStripPage());
        t.bottom = load(kBottomTemplate, DefaultStripPage());
        const std::string top_name = FileNamePart(outputs.top_page);
        const std::string bottom_name = FileNamePart(outputs.bottom_page);
        if (layout.frame) {
            t.rows = load(kRowsTemplate, DefaultRowsFrameset(book_name, top_name,
                                                             FileNamePart(outputs.columns_frameset),
                                                             bottom_name, page_name));
        } else {
            t.rows = load(kRows2Template,
                          DefaultRows2Frameset(book_name, top_name, bottom_name, page_name));
        }
    }
    return t;
}

}  // namespace folix
