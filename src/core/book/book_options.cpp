#include "book/book_options.h"

#include <algorithm>

#include "book/file_name_check.h"
#include "book/fixed_layout.h"
#include "book/path_parts.h"
#include "platform/ui.h"

namespace folix {
namespace {

constexpr size_t kOptionsLineCount = 11;

}  // namespace

bool IsTextExtension(std::string_view extension) {
    return extension.empty() || IsSingleFileName("book." + std::string(extension));
}

BookOptions LoadBookOptions(Ui& ui, const std::string& root_path) {
    BookOptions options;
    ControlFile file;
    if (!ReadFixedLayout(ui, JoinPath(root_path, kOptionsFileName), kOptionsLineCount, file)) {
        return options;
    }
    const std::vector<std::string>& line = file.lines;
    options.m_nTreeWidth = std::max(ParseControlInt(line[0]), BookOptions::kMinTreeWidth);
    options.m_bMultiFolder = ParseControlBool(line[1]);
    if (IsTextExtension(line[2])) {
        options.m_strTextExt = line[2];
    } else {
        ui.ShowMessage(line[2] + kInvalidValueMessage);
    }
    options.m_strHeadPrefix = line[3];
    options.m_bAllowText = ParseControlBool(line[4]);
    options.m_strLastTextPath = line[5];
    options.m_bFindCase = ParseControlBool(line[6]);
    options.m_bFindWord = ParseControlBool(line[7]);
    options.m_bFindName = ParseControlBool(line[8]);
    options.m_bFindKeep = ParseControlBool(line[9]);
    options.m_bVertical = ParseControlBool(line[10]);
    return options;
}

bool SaveBookOptions(Ui& ui, const std::string& root_path, const BookOptions& options) {
    return WriteFixedLayout(ui, JoinPath(root_path, kOptionsFileName),
                            {
                                FormatControlInt(options.m_nTreeWidth),
                                FormatControlBool(options.m_bMultiFolder),
                                options.m_strTextExt,
                                options.m_strHeadPrefix,
                                FormatControlBool(options.m_bAllowText),
                                options.m_strLastTextPath,
                                FormatControlBool(options.m_bFindCase),
                                FormatControlBool(options.m_bFindWord),
                                FormatControlBool(options.m_bFindName),
                                FormatControlBool(options.m_bFindKeep),
                                FormatControlBool(options.m_bVertical),
                            });
}

}  // namespace folix
