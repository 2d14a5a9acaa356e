#pragma once

#include <string>
#include <string_view>

namespace folix {

class Ui;

// The settings of "options.flc" in the book folder: window, TEXT output, the find bar's check
// boxes and vertical writing.
struct BookOptions {
    static constexpr int kMinTreeWidth = 100;

    int m_nTreeWidth = kMinTreeWidth;
    bool m_bMultiFolder = false;
    std::string m_strTextExt = "txt";
    std::string m_strHeadPrefix;
    bool m_bAllowText = false;
    std::string m_strLastTextPath;
    bool m_bFindCase = false;
    bool m_bFindWord = false;
    bool m_bFindName = false;
    bool m_bFindKeep = false;
    bool m_bVertical = false;
};

inline constexpr char kOptionsFileName[] = "options.flc";

// An extension that keeps the TEXT file one file beside the book folder: empty, or one that
// makes a single file name after the book's name and a dot.
bool IsTextExtension(std::string_view extension);

// Fills the options from the book folder's file, or with the defaults when it cannot be used.
// A TEXT extension that fails IsTextExtension is reported ("は不正です。") and "txt" taken.
BookOptions LoadBookOptions(Ui& ui, const std::string& root_path);
// Writes the 11 lines, unless the file there is not a control file of ours.
bool SaveBookOptions(Ui& ui, const std::string& root_path, const BookOptions& options);

}  // namespace folix
