#include <optional>
#include <ostream>

#include "cli/book_argument.h"
#include "cli/command_context.h"
#include "cli/command_line.h"
#include "post/episode_export.h"

namespace folix {
namespace {

constexpr char kUsage[] =
    "post には本のファイル(BOOK.flx)と --site kakuyomu|narou|pixiv を指定します。"
    "[--from FILE] を付けられます。";
constexpr char kBadSiteMessage[] = "--site は kakuyomu、narou、pixiv のどれかです。";

}  // namespace

// folix post BOOK.flx --site kakuyomu|narou|pixiv [--from FILE]: one text file an episode in
// the platform's notation, in NAME-SITE beside the book folder; what the platform would show
// otherwise is listed on the error stream as FILE:LINE: message, and refuses nothing.
int RunPostCommand(CommandContext& context) {
    std::optional<std::string> site_name;
    std::optional<std::string> from;
    std::string book_argument;
    std::string error;
    if (!ParseBookArguments(
            context.args, "post", kUsage, {{"--site", &site_name}, {"--from", &from}},
            [](const std::string&, std::string&) { return false; }, book_argument, error)) {
        return ReportUsageError(context, error);
    }
    if (!site_name) {
        return ReportUsageError(context, kUsage);
    }
    const std::optional<PostSite> site = ParsePostSite(*site_name);
    if (!site) {
        return ReportUsageError(context, kBadSiteMessage);
    }
    CommandBook opened(context.ui);
    if (!opened.Open(context, book_argument, "投稿用の書き出し")) {
        return kExitFailure;
    }
    const PostResult result = PostEpisodes(context.ui, opened.site(), *site, from.value_or(""));
    for (const PostNote& note : result.notes) {
        context.err << note.file << (note.line > 0 ? ":" + std::to_string(note.line) : "") << ": "
                    << note.message << '\n';
    }
    for (const std::string& path : result.written) {
        context.out << path << '\n';
    }
    return result.outcome == BuildOutcome::kWritten ? kExitSuccess : kExitFailure;
}

}  // namespace folix
