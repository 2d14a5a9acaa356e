#pragma once

#include <string>

#include "site/html_options.h"

namespace folix {

// Where the eight files of the site go: all beside the book folder, named after the HTML file
// name. With index.htm they are index.htm, index2_.htm, index2_.css, index3_.htm, index4_.htm,
// index5_.htm, index6_.htm and index.css. The name is one file name, or the book folder's name
// and one file name, which puts them all in the book folder (the options check it).
SiteFilePaths MakeSiteFilePaths(const std::string& parent_path, std::string html_file_name);

}  // namespace folix
