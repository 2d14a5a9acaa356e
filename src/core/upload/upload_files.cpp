#include "upload/upload_files.h"

#include "book/path_parts.h"
#include "platform/ui.h"

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

std::vector<std::string> UploadFileList(const SiteFilePaths& paths, const HtmlOptions& options) {
    std::vector<std::string> files{paths.main_page};
    if (options.m_bFrame) {
        files.insert(files.end(), {paths.contents_page, paths.contents_style, paths.text_page});
        if (options.m_bTopBottom) {
            files.insert(files.end(), {paths.columns_frameset, paths.top_page, paths.bottom_page});
        }
    } else if (options.m_bTopBottom) {
        files.insert(files.end(), {paths.text_page, paths.top_page, paths.bottom_page});
    }
    files.push_back(paths.page_style);
    // Sending a file that is not there can only fail, and would stop the files after it.
    std::erase_if(files, [](const std::string& path) { return path.empty(); });
    return files;
}

}  // namespace folix
