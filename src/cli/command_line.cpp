#include "cli/command_line.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "book/path_parts.h"
#include "cli/command_context.h"
#include "cli/console_ui.h"

namespace folix {
namespace {

struct Command {
    const char* name;
    const char* synopsis;
    int (*run)(CommandContext&);
};

constexpr Command kCommands[] = {
    {"new", "new DIR/NAME.flx           本を作ります(フォルダ、空白.txt、NAME.flx)", RunNewCommand},
    {"ls", "ls BOOK.flx                ツリーを表示順に一覧表示します", RunLsCommand},
    {"html", "html BOOK.flx              本のサイトを作ります(HTML作成)", RunHtmlCommand},
    {"text", "text BOOK.flx              本をひとつのテキストファイルにします(TEXT作成)",
     RunTextCommand},
    {"epub",
     "epub BOOK.flx [--vertical | --horizontal] [--title TEXT] [--author TEXT]\n"
     "                 [--language TAG] [--cover FILE]\n"
     "                                   本を電子書籍(EPUB)にします(電子書籍作成)",
     RunEpubCommand},
    {"pdf",
     "pdf BOOK.flx [--grid CxR] [--paper A4|B5|A5|B4] [--landscape | --portrait]\n"
     "                 [--horizontal] [--ruled] [--title TEXT] [--author TEXT] [--no-title-page]\n"
     "                                   本を原稿用紙の升目どおりのPDFにします(原稿作成)",
     RunPdfCommand},
    {"options",
     "options BOOK.flx [KEY=VALUE…]\n"
     "                                   HTMLとTEXTのオプションを表示、設定します",
     RunOptionsCommand},
    {"search",
     "search BOOK.flx TEXT [--case] [--word] [--name]\n"
     "                                   本のファイルを検索し、見つかったファイルを表示します",
     RunSearchCommand},
    {"count",
     "count BOOK.flx [--grid CxR]\n"
     "                                   "
     "ファイル、フォルダ、本の文字数と原稿用紙の枚数を表示します",
     RunCountCommand},
    {"post",
     "post BOOK.flx --site kakuyomu|narou|pixiv [--from FILE]\n"
     "                                   投稿サイトの記法で1話1ファイルに書き出します",
     RunPostCommand},
    {"history",
     "history BOOK.flx FILE [--show N | --restore N]\n"
     "                                   "
     "ファイルの版を一覧表示します(--show は版の内容、--restore は版に戻します)",
     RunHistoryCommand},
    {"upload",
     "upload BOOK.flx [--server URL] [--user NAME] [--dir /PATH] [--password-stdin]\n"
     "                                   最後に作成したHTMLファイルをFTPサーバーへ送ります",
     RunUploadCommand},
};

void PrintHelp(std::ostream& out) {
    out << "使い方: folix COMMAND [ARGS…]\n"
           "\n"
           "COMMAND:\n";
    for (const Command& command : kCommands) {
        out << "  folix " << command.synopsis << '\n';
    }
    out << "\n"
           "  --yes, --no                 確認にすべて「はい」または「いいえ」で答えます\n"
           "  --help                      この説明を表示します\n"
           "  --version                   版を表示します\n"
           "\n"
           "終了コード: 0 成功、1 失敗、2 使い方の誤り\n";
}

}  // namespace

int ReportUsageError(CommandContext& context, const std::string& text) {
    context.err << "folix: " << text << "\n"
                << "folix --help で使い方を表示します。\n";
    return kExitUsage;
}

std::string AbsoluteArgumentPath(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

bool IsHeadlessCommand(const std::vector<std::string>& args) {
    if (args.empty()) {
        return false;
    }
    const std::string& first = args[0];
    return first.size() < 4 || AsciiLower(first.substr(first.size() - 4)) != ".flx";
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        PrintHelp(err);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        PrintHelp(out);
        return kExitSuccess;
    }
    if (args[0] == "--version") {
        out << "folix " << FOLIX_VERSION << '\n';
        return kExitSuccess;
    }
    auto command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                [&](const Command& c) { return args[0] == c.name; });
    AnswerPolicy policy = AnswerPolicy::kAsk;
    std::vector<std::string> rest;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--yes") {
            policy = AnswerPolicy::kAlwaysYes;
        } else if (args[i] == "--no") {
            policy = AnswerPolicy::kAlwaysNo;
        } else {
            rest.push_back(args[i]);
        }
    }
    ConsoleUi ui(err, policy, ::isatty(STDIN_FILENO) != 0);
    CommandContext context{std::move(rest), ui, out, err};
    if (command == std::end(kCommands)) {
        return ReportUsageError(context, "不明なコマンドです: " + args[0]);
    }
    return command->run(context);
}

}  // namespace folix
