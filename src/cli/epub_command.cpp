#include <optional>
#include <ostream>

#include "cli/book_argument.h"
#include "cli/command_context.h"
#include "cli/command_line.h"
#include "epub/epub_builder.h"
#include "epub/epub_settings.h"
#include "model/file_system.h"

namespace folix {
namespace {

constexpr char kUsage[] =
    "epub には本のファイル(BOOK.flx)を指定します。[--vertical | --horizontal] [--title TEXT] "
    "[--author TEXT] [--language TAG] [--cover FILE] を付けられます。";

struct EpubArguments {
    std::string book;
    EpubChoices choices;
};

// False with the reason in error when the arguments make no command.
bool ParseArguments(const std::vector<std::string>& args, EpubArguments& parsed,
                    std::string& error) {
    EpubChoices& choices = parsed.choices;
    const OptionValues values = {{"--title", &choices.title},
                                 {"--author", &choices.author},
                                 {"--language", &choices.language},
                                 {"--cover", &choices.cover}};
    const auto direction_flag = [&](const std::string& arg, std::string& refusal) {
        if (arg != "--vertical" && arg != "--horizontal") {
            return false;
        }
        const EpubDirection direction =
            arg == "--vertical" ? EpubDirection::kVertical : EpubDirection::kHorizontal;
        if (choices.direction && *choices.direction != direction) {
            refusal = "--vertical と --horizontal は同時に指定できません。";
            return false;
        }
        choices.direction = direction;
        return true;
    };
    return ParseBookArguments(args, "epub", kUsage, values, direction_flag, parsed.book, error);
}

bool HasChoices(const EpubChoices& choices) {
    return choices.title || choices.author || choices.language || choices.direction ||
           choices.cover;
}

}  // namespace

// folix epub BOOK.flx: the e-book command of the window, the dialog's choices given as options
// and kept for next time as the dialog keeps them. The file written is printed.
int RunEpubCommand(CommandContext& context) {
    EpubArguments args;
    std::string error;
    if (!ParseArguments(context.args, args, error)) {
        return ReportUsageError(context, error);
    }
    CommandBook opened(context.ui);
    if (!opened.Open(context, args.book, kEpubActionName)) {
        return kExitFailure;
    }
    const std::string root = opened.site().root_path;
    EpubSettings settings = LoadEpubSettings(context.ui, root);
    if (HasChoices(args.choices) && (!ApplyEpubChoices(context.ui, settings, args.choices) ||
                                     !SaveEpubSettings(context.ui, root, settings))) {
        return kExitFailure;
    }
    CFileSystem& book = opened.file_system();
    book.LoadOptionsFile();
    const BuildOutcome outcome = book.MakeEpub(settings);
    for (const std::string& path : book.BuiltFiles()) {
        context.out << path << '\n';
    }
    return outcome == BuildOutcome::kWritten ? kExitSuccess : kExitFailure;
}

}  // namespace folix
