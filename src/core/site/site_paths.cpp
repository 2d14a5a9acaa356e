#include "site/site_paths.h"

#include <algorithm>

#include "book/path_parts.h"

namespace folix {
namespace {

// The HTML file name without its extension.
std::string BaseName(const std::string& html_file_name) {
    return html_file_name.substr(0, html_file_name.rfind('.'));
}

}  // namespace

SiteFilePaths MakeSiteFilePaths(const std::string& parent_path, std::string html_file_name) {
    // The one folder a name may hold is the book folder, written with either separator.
    std::replace(html_file_name.begin(), html_file_name.end(), '\\', kPathSeparator);
    const std::string base = JoinPath(parent_path, BaseName(html_file_name));
    SiteFilePaths paths;
    paths.main_page = JoinPath(parent_path, html_file_name);
    paths.contents_page = base + "2_.htm";
    paths.contents_style = base + "2_.css";
    paths.text_page = base + "3_.htm";
    paths.columns_frameset = base + "4_.htm";
    paths.top_page = base + "5_.htm";
    paths.bottom_page = base + "6_.htm";
    paths.page_style = base + ".css";
    return paths;
}

}  // namespace folix
