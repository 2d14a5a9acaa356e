#include "upload/upload_files.h"

#include "book/file_io.h"
#include "book/path_parts.h"
#include "platform/ui.h"
#include "site/site_paths.h"

namespace folix {

bool CheckUploadable(Ui& ui, const std::string& main_page_path) {
    if (main_page_path.empty()) {
        ui.ShowMessage(kBuildFirstMessage);
        return false;
    }
    const std::string name = FileNamePart(main_page_path);
    if (name == kDefaultHtmlFileName) {
        ui.ShowMessage(name + kCannotUploadNoname);
        return false;
    }
    return true;
}

SiteFilePaths LastBuiltSiteFiles(const std::string& parent_path, const HtmlOptions& options) {
    SiteFilePaths derived = MakeSiteFilePaths(parent_path, options.html_file_name);
    const SiteFilePaths& recorded = options.last_written;
    const auto keep_if_built = [](std::string& path, const std::string& recorded_path) {
        uint64_t size = 0;
        if (path != recorded_path || RegularFileSize(path, size) != 0) {
            path.clear();
        }
    };
    keep_if_built(derived.main_page, recorded.main_page);
    keep_if_built(derived.contents_page, recorded.contents_page);
    keep_if_built(derived.contents_style, recorded.contents_style);
    keep_if_built(derived.text_page, recorded.text_page);
    keep_if_built(derived.columns_frameset, recorded.columns_frameset);
    keep_if_built(derived.top_page, recorded.top_page);
    keep_if_built(derived.bottom_page, recorded.bottom_page);
    keep_if_built(derived.page_style, recorded.page_style);
    return derived;
}

std::vector<std::string> UploadFileList(const SiteFilePaths& paths, const HtmlOptions& options) {
    std::vector<std::string> files{paths.main_page};
    if (options.frame) {
        files.insert(files.end(), {paths.contents_page, paths.contents_style, paths.text_page});
        if (options.top_bottom) {
            files.insert(files.end(), {paths.columns_frameset, paths.top_page, paths.bottom_page});
        }
    } else if (options.top_bottom) {
        files.insert(files.end(), {paths.text_page, paths.top_page, paths.bottom_page});
    }
    files.push_back(paths.page_style);
    // Sending a file that is not there can only fail, and would stop the files after it.
    std::erase_if(files, [](const std::string& path) { return path.empty(); });
    return files;
}

}  // namespace folix
