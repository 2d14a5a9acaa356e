#pragma once

#include <string>

namespace folix {

class Ui;

// The plain text of a book file, in UTF-8, as the builds and the tree search use it: a plain file
// decoded from its own encoding, a rich-text file reduced to its text with one line per
// paragraph. False after showing path + "が開けません。(%d)".
bool ReadBookFileText(Ui& ui, const std::string& path, std::string& text);

class FolderHandle;
// The same for the file named name in the open folder, path being the file.
bool ReadBookFileTextIn(Ui& ui, const FolderHandle& folder, const std::string& name,
                        const std::string& path, std::string& text);

}  // namespace folix
