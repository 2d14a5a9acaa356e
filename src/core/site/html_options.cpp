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
// after it beside the book folder, so it must be one file name there.
std::optional<std::string> HtmlFileNameProblem(const std::string& name) {
    if (!IsSingleFileName(name)) {
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
        options.m_strFtpDirectory = line[0];
    } else {
        ui.ShowMessage(line[0] + kInvalidValueMessage);
    }
    options.m_lastWritten.main_page = line[1];
    if (!line[2].empty()) {
        if (std::optional<std::string> problem = HtmlFileNameProblem(line[2])) {
            ui.ShowMessage(*problem);
        } else {
            options.m_strHtmlFileName = line[2];
        }
    }
    options.m_strDateBefore = line[3];
    options.m_strDateAfter = line[4];
    options.m_bIndentContents = ParseControlBool(line[5]);
    options.m_bShowDate = ParseControlBool(line[6]);
    options.m_bJapaneseDate = ParseControlBool(line[7]);
    options.m_bDateRight = ParseControlBool(line[8]);
    options.m_bContentsOfContents = ParseControlBool(line[9]);
    options.m_bFrame = ParseControlBool(line[10]);
    options.m_lastWritten.contents_page = line[11];
    options.m_lastWritten.text_page = line[12];
    options.m_bTopBottom = ParseControlBool(line[13]);
    options.m_lastWritten.columns_frameset = line[14];
    options.m_lastWritten.top_page = line[15];
    options.m_lastWritten.bottom_page = line[16];
    options.m_lastWritten.page_style = line[17];
    options.m_lastWritten.contents_style = line[18];
    options.m_bLevel1Heading = ParseControlBool(line[19]);
    options.m_bVertical = ParseControlBool(line[20]);
    return options;
}

bool SaveHtmlOptions(Ui& ui, const std::string& root_path, const HtmlOptions& options) {
    const SiteFilePaths& last = options.m_lastWritten;
    return WriteFixedLayout(ui, HtmlOptionsPath(root_path),
                            {
                                options.m_strFtpDirectory,
                                last.main_page,
                                options.m_strHtmlFileName,
                                options.m_strDateBefore,
                                options.m_strDateAfter,
                                FormatControlBool(options.m_bIndentContents),
                                FormatControlBool(options.m_bShowDate),
                                FormatControlBool(options.m_bJapaneseDate),
                                FormatControlBool(options.m_bDateRight),
                                FormatControlBool(options.m_bContentsOfContents),
                                FormatControlBool(options.m_bFrame),
                                last.contents_page,
                                last.text_page,
                                FormatControlBool(options.m_bTopBottom),
                                last.columns_frameset,
                                last.top_page,
                                last.bottom_page,
                                last.page_style,
                                last.contents_style,
                                FormatControlBool(options.m_bLevel1Heading),
                                FormatControlBool(options.m_bVertical),
                            });
}

bool SetHtmlFileName(Ui& ui, HtmlOptions& options, const std::string& entry) {
    if (entry.empty()) {
        options.m_strHtmlFileName = kDefaultHtmlFileName;
        return true;
    }
    if (std::optional<std::string> problem = HtmlFileNameProblem(entry)) {
        ui.ShowMessage(*problem);
        return false;
    }
    options.m_strHtmlFileName = entry;
    return true;
}

bool IsDefaultHtmlFileName(const std::string& name) {
    return AsciiLower(name) == kDefaultHtmlFileName;
}

}  // namespace folix
