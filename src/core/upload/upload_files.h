#pragma once

#include <string>
#include <vector>

#include "site/html_options.h"

namespace folix {

class Ui;

inline constexpr char kCannotUploadNoname[] =
    "はアップロードできません。HTMLオプションボタンを押して"
    "正しいファイル名を指定してやり直してください。";

// Whether the site can be uploaded: a build must have given the main page a path, and a site
// under the placeholder name "noname.htm" is not sent. False after the message.
bool CheckUploadable(Ui& ui, const std::string& main_page_path);

// The site files the book's last build wrote, for an upload that did not see the build (the
// command line): the names are the ones the build derives from the options, beside the book
// folder in parent_path; a file counts only where the book records that very path as written
// and a regular file is there. The others are empty. The book may come from someone else, so
// no path it stores is sent as it stands.
SiteFilePaths LastBuiltSiteFiles(const std::string& parent_path, const HtmlOptions& options);

// The files of a build to send, in the order they go: the main page first, then the frames'
// pages as the options have them, the page style last. A file the build did not write (the
// writer declined to overwrite it) has an empty path and is left out.
std::vector<std::string> UploadFileList(const SiteFilePaths& paths, const HtmlOptions& options);

}  // namespace folix
