#include "site/html_options.h"

#include <optional>

#include "book/file_name_check.h"
#include "book/fixed_layout.h"
#include "book/path_parts.h"
#include "platform/ui.h"

namespace folix {
namespace {

constexpr size_t kHtmlOptionsLineCount = 21;

std::string HtmlOptionsPath(const std::string& root_path) {
    return JoinPath(root_path, kHtmlOptionsFileName);
}

// What is wrong with a non-empty HTML file name, or nothing. The site's eight files are named
// after it beside the book folder (or in it), so it must be one file name there.
std::optional<std::string> HtmlFileNameProblem(const std::string& name,
                                               const std::string& root_path) {
    if (!IsSiteFileName(name, root_path)) {
        return name + kInvalidValueMessage;
    }
    // Only three characters of the extension count, so "index.html" passes as htm.
    if (AsciiLower(ExtensionPart(name)) != "htm") {
        return kHtmlExtensionMessage;
    }
    return std::nullopt;
}

// A remote folder is a path from the server's root, on one line.
bool IsRemoteFolder(const std::string& folder) {
    return folder.starts_with('/') && !HasControlCharacter(folder);
}

}  // namespace

HtmlOptions LoadHtmlOptions(Ui& ui, const std::string& root_path) {
    HtmlOptions options;
    ControlFile file;
    if (!ReadFixedLayout(ui, HtmlOptionsPath(root_path), kHtmlOptionsLineCount, file)) {
        return options;
    }
    const std::vector<std::string>& line = file.lines;
    // The book may come from someone else: its names are checked as if typed, and one that
    // fails is said so and replaced by the default.
    if (line[0].empty() || IsRemoteFolder(line[0])) {
        options.ftp_directory = line[0];
    } else {
        ui.ShowMessage(line[0] + kInvalidValueMessage);
    }
    options.last_written.main_page = line[1];
    if (!line[2].empty()) {
        if (std::optional<std::string> problem = HtmlFileNameProblem(line[2], root_path)) {
            ui.ShowMessage(*problem);
        } else {
            options.html_file_name = line[2];
        }
    }
    options.date_before = line[3];
    options.date_after = line[4];
    options.indent_contents = ParseControlBool(line[5]);
    options.show_date = ParseControlBool(line[6]);
    options.japanese_date = ParseControlBool(line[7]);
    options.date_right = ParseControlBool(line[8]);
    options.contents_of_contents = ParseControlBool(line[9]);
    options.frame = ParseControlBool(line[10]);
    options.last_written.contents_page = line[11];
    options.last_written.text_page = line[12];
    options.top_bottom = ParseControlBool(line[13]);
    options.last_written.columns_frameset = line[14];
    options.last_written.top_page = line[15];
    options.last_written.bottom_page = line[16];
    options.last_written.page_style = line[17];
    options.last_written.contents_style = line[18];
    options.m_bLevel1Heading = ParseControlBool(line[19]);
    options.m_bVertical = ParseControlBool(line[20]);
    return options;
}

bool SaveHtmlOptions(Ui& ui, const std::string& root_path, const HtmlOptions& options) {
    const SiteFilePaths& last = options.last_written;
    return WriteFixedLayout(ui, HtmlOptionsPath(root_path),
                            {
                                options.ftp_directory,
                                last.main_page,
                                options.html_file_name,
                                options.date_before,
                                options.date_after,
                                FormatControlBool(options.indent_contents),
                                FormatControlBool(options.show_date),
                                FormatControlBool(options.japanese_date),
                                FormatControlBool(options.date_right),
                                FormatControlBool(options.contents_of_contents),
                                FormatControlBool(options.frame),
                                last.contents_page,
                                last.text_page,
                                FormatControlBool(options.top_bottom),
                                last.columns_frameset,
                                last.top_page,
                                last.bottom_page,
                                last.page_style,
                                last.contents_style,
                                FormatControlBool(options.m_bLevel1Heading),
                                FormatControlBool(options.m_bVertical),
                            });
}

bool SetHtmlFileName(Ui& ui, HtmlOptions& options, const std::string& entry,
                     const std::string& root_path) {
    if (entry.empty()) {
        options.html_file_name = kDefaultHtmlFileName;
        return true;
    }
    if (std::optional<std::string> problem = HtmlFileNameProblem(entry, root_path)) {
        ui.ShowMessage(*problem);
        return false;
    }
    options.html_file_name = entry;
    return true;
}

bool NamesSiteInBook(std::string_view html_file_name, const std::string& root_path) {
    const std::string book_folder = FileNamePart(root_path);
    return !book_folder.empty() && html_file_name.starts_with(book_folder) &&
           html_file_name.size() > book_folder.size() &&
           (html_file_name[book_folder.size()] == '/' ||
            html_file_name[book_folder.size()] == '\\') &&
           IsSingleFileName(html_file_name.substr(book_folder.size() + 1));
}

bool IsSiteFileName(const std::string& html_file_name, const std::string& root_path) {
    return IsSingleFileName(html_file_name) || NamesSiteInBook(html_file_name, root_path);
}

bool IsDefaultHtmlFileName(const std::string& name) {
    return AsciiLower(name) == kDefaultHtmlFileName;
}

}  // namespace folix
