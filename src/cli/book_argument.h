#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/file_system.h"
#include "model/memory_tree_control.h"
#include "site/site_book.h"

namespace folix {

struct CommandContext;

// The arguments of a command that takes one book file and options: an option named in `values`
// takes the next argument as its value, any other option goes to `flag`, which answers whether it
// knew it (setting error itself when it refuses a known one), and the one argument that is no
// option is the book. False with the reason in error (the usage when the book is missing or
// named twice).
using OptionValues = std::map<std::string, std::optional<std::string>*>;
bool ParseBookArguments(const std::vector<std::string>& args, const std::string& command,
                        const std::string& usage, const OptionValues& values,
                        const std::function<bool(const std::string&, std::string&)>& flag,
                        std::string& book, std::string& error);

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
