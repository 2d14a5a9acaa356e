#pragma once

#include <optional>
#include <string>

#include "site/html_options.h"
#include "site/site_layout.h"

namespace folix {

class Ui;

// The template texts one HTML build wraps its files in, those of its layout only. The defaults
// of templates made now name the book and this build's output files.
struct SiteTemplates {
    std::string page_head;
    std::string page_tail;
    std::string page_style;
    std::string contents_head;   // with a contents frame
    std::string contents_style;  // with a contents frame
    std::string columns;         // with a contents frame
    std::string top;             // with top and bottom strips
    std::string bottom;          // with top and bottom strips
    std::string rows;            // with strips: around the columns, or the text page alone
};

// page_head: the page's head template, when the build has read it already.
SiteTemplates LoadSiteTemplates(Ui& ui, const std::string& root_path, const SiteLayout& layout,
                                const SiteFilePaths& outputs,
                                const std::optional<std::string>& page_head = std::nullopt);

// The page's head template in the book folder, by the layout's writing direction.
std::string PageHeadTemplatePath(const std::string& root_path, const SiteLayout& layout);

}  // namespace folix
