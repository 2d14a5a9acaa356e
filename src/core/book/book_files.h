#pragma once

#include <string>
#include <vector>

namespace folix {

class Ui;
struct FolderEntry;

// Tests and small operations on the files of a book.

enum class RtfCheck {
    kRtf = 0,         // the file begins with "{\rtf"
    kPlain = 1,       // anything else, an empty file included
    kCannotOpen = 2,  // reported to the writer already
};

inline constexpr char kRtfSignature[] = "{\\rtf";
inline constexpr char kBlankPageBase[] = "空白";

RtfCheck IsRtfFile(Ui& ui, const std::string& path);

// Something the tree would show: a ".txt" file or a folder whose name does not begin with ".".
bool HasVisibleChildren(const std::string& folder);
// The same test on a listing the caller made already.
bool HasVisibleChildren(const std::vector<FolderEntry>& listing);

// A file the program may treat as part of the book: a ".txt" file, or a "contents.flc" that is
// empty or begins with the control-file header.
bool IsBookFile(Ui& ui, const std::string& path);

// Every file in the folder and its sub-folders (those beginning with "." skipped) is a book file.
bool HoldsOnlyBookFiles(Ui& ui, const std::string& folder);

// The first of base, base2 … base99 that no name in the folder equals or begins with followed
// by "."; base100 when all are taken.
std::string UniqueName(const std::string& folder, const std::string& base);

// Creates a new empty page "空白.txt" (or "空白2.txt" …) in the folder; a failure is shown with
// the system's text. Returns the path made, or empty.
std::string CreateBlankTextFile(Ui& ui, const std::string& folder);

}  // namespace folix
