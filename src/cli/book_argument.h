#pragma once

#include <string>

#include "model/file_system.h"
#include "model/memory_tree_control.h"
#include "site/site_book.h"

namespace folix {

struct CommandContext;

// A book opened by a whole-book command as the window opens it: the book model attached to an
// in-memory tree.
class CommandBook {
public:
    explicit CommandBook(Ui& ui) : file_system_(ui, nullptr, nullptr, nullptr) {}

    // Opens the BOOK.flx argument; false after the message when the file cannot be opened or
    // gives no tree for the action (a file that is not a book file).
    bool Open(CommandContext& context, const std::string& argument, const std::string& action);

    CFileSystem& file_system() { return file_system_; }
    // The paths the builds work with.
    SiteBook site() const;

private:
    MemoryTreeControl tree_;
    CFileSystem file_system_;
};

}  // namespace folix
