#include "cli/book_argument.h"

#include "book/book_files.h"
#include "cli/command_context.h"

namespace folix {

bool CommandBook::Open(CommandContext& context, const std::string& argument,
                       const std::string& action) {
    const std::string book_path = AbsoluteArgumentPath(argument);
    // The window opens the book file first; one that is not there is reported the same way.
    if (IsRtfFile(context.ui, book_path) == RtfCheck::kCannotOpen) {
        return false;
    }
    file_system_.AttachBook(tree_, book_path);
    return file_system_.RequireTree(action);
}

bool ParseBookArguments(const std::vector<std::string>& args, const std::string& command,
                        const std::string& usage, const OptionValues& values,
                        const std::function<bool(const std::string&, std::string&)>& flag,
                        std::string& book, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (auto value = values.find(arg); value != values.end()) {
            if (i + 1 >= args.size()) {
                error = arg + " の値がありません。";
                return false;
            }
            *value->second = args[++i];
        } else if (arg.starts_with("--")) {
            if (!flag(arg, error)) {
                if (error.empty()) {
                    error = command + " に使えないオプションです: " + arg;
                }
                return false;
            }
        } else if (book.empty()) {
            book = arg;
        } else {
            error = usage;
            return false;
        }
    }
    if (book.empty()) {
        error = usage;
        return false;
    }
    return true;
}

SiteBook CommandBook::site() const {
    return file_system_.BookOnDisk();
}

}  // namespace folix
