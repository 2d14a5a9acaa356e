#pragma once

#include <string>
#include <string_view>

namespace folix {

class Ui;

// The last full path each generated file of the site was written to. A file found at the same
// path next time is this book's own output and is replaced without a question. The paths are
// stored in the book, so they only ever count where they equal the paths the build derives.
struct SiteFilePaths {
    std::string main_page;
    std::string contents_page;
    std::string contents_style;
    std::string text_page;
    std::string columns_frameset;
    std::string top_page;
    std::string bottom_page;
    std::string page_style;
};

// The settings of the HTML build, kept in "html_options.flc" in the book folder together with
// the last-written paths of the site and the upload's remote folder.
struct HtmlOptions {
    std::string ftp_directory;
    std::string html_file_name = "noname.htm";
    std::string date_before;
    std::string date_after = "更新";
    bool indent_contents = true;
    bool m_bLevel1Heading = true;
    bool show_date = true;
    bool japanese_date = true;
    bool date_right = true;
    bool contents_of_contents = true;
    bool frame = true;
    bool top_bottom = false;
    bool m_bVertical = false;
    SiteFilePaths last_written;
};

inline constexpr char kHtmlOptionsFileName[] = "html_options.flc";
// The name a new book starts with; no site is built under it.
inline constexpr char kDefaultHtmlFileName[] = "noname.htm";
// Browsing or uploading before any build since the book was opened.
inline constexpr char kBuildFirstMessage[] =
    "HTML作成ボタンを押してHTMLファイルを更新してください。";
inline constexpr char kHtmlExtensionMessage[] = "ファイル名拡張子は htm でなければなりません。";

// Fills the options from the book folder's file, or with the defaults when it cannot be used.
// The HTML file name and the remote folder are checked as when typed; one that fails is
// reported ("は不正です。") and the default taken.
HtmlOptions LoadHtmlOptions(Ui& ui, const std::string& root_path);
// Writes the 21 lines, unless the file there is not a control file of ours.
bool SaveHtmlOptions(Ui& ui, const std::string& root_path, const HtmlOptions& options);

// Takes the HTML file name the writer entered in the options of the book in root_path: an
// empty entry stands for "noname.htm"; a name holding a folder (but the book folder's own, see
// NamesSiteInBook), "..", or a control character, or whose extension is not htm (html and HTM
// pass), is refused with a message and the previous name kept. False when refused.
bool SetHtmlFileName(Ui& ui, HtmlOptions& options, const std::string& entry,
                     const std::string& root_path);

// Whether the HTML file name puts the site into the book folder itself: the book folder's own
// name, a "\" or "/", and one file name ("本/index.htm"), as books set up elsewhere have it.
// Every other name holding a folder leads outside the places the site may go.
bool NamesSiteInBook(std::string_view html_file_name, const std::string& root_path);

// A name the options accept as the site's: one file name, or the form of NamesSiteInBook.
bool IsSiteFileName(const std::string& html_file_name, const std::string& root_path);

// The name the build refuses to work under, in any letter case.
bool IsDefaultHtmlFileName(const std::string& name);

}  // namespace folix
