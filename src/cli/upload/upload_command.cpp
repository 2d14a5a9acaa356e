#include "cli/upload/upload_command.h"

#include <iostream>
#include <memory>
#include <optional>
#include <ostream>

#include "book/file_name_check.h"
#include "cli/book_argument.h"
#include "cli/command_context.h"
#include "cli/command_line.h"
#include "cli/read_only_profile.h"
#include "model/memory_tree_control.h"
#include "platform/ui.h"
#include "site/html_options.h"
#include "upload/curl_ftp_client.h"
#include "upload/upload_files.h"
#include "upload/upload_session.h"
#include "upload/upload_settings.h"

namespace folix {
namespace {

constexpr char kUseBookFolderQuestion[] = "へアップロードしますか？";

constexpr char kUsage[] =
    "upload には本のファイル(BOOK.flx)を指定します。"
    "[--server URL] [--user NAME] [--dir /PATH] [--password-stdin] を付けられます。";

struct UploadArguments {
    std::string book;
    std::optional<std::string> server;
    std::optional<std::string> user;
    std::optional<std::string> dir;
    bool password_stdin = false;
};

// False with the reason in error when the arguments make no command.
bool ParseArguments(const std::vector<std::string>& args, UploadArguments& parsed,
                    std::string& error) {
    const OptionValues values = {
        {"--server", &parsed.server}, {"--user", &parsed.user}, {"--dir", &parsed.dir}};
    const auto password_flag = [&](const std::string& arg, std::string&) {
        if (arg != "--password-stdin") {
            return false;
        }
        parsed.password_stdin = true;
        return true;
    };
    if (!ParseBookArguments(args, "upload", kUsage, values, password_flag, parsed.book, error)) {
        return false;
    }
    if (parsed.dir && (!parsed.dir->starts_with("/") || HasControlCharacter(*parsed.dir))) {
        error = "--dir には / で始まるリモートのディレクトリを指定します。";
        return false;
    }
    return true;
}

// The password: from standard input when asked to, otherwise the one the window kept, but only
// for the very server and user it was kept for, so it never goes to another server.
std::string PasswordFor(const UploadArguments& args, const UploadSettings& saved,
                        const UploadSettings& chosen) {
    if (args.password_stdin) {
        std::string password;
        std::getline(std::cin, password);
        if (!password.empty() && password.back() == '\r') {
            password.pop_back();
        }
        return password;
    }
    if (saved.save_password && chosen.server == saved.server && chosen.user == saved.user) {
        return saved.password;
    }
    return {};
}

// The remote folder: the one given with --dir, or the one the book keeps if the writer agrees
// to it (the book may come from someone else, who chose it). The window asks before it takes
// the root folder, and so does this. Nothing after a refusal or a No.
std::optional<std::string> RemoteFolder(Ui& ui, const UploadArguments& args,
                                        const HtmlOptions& options) {
    if (!args.dir && options.ftp_directory.empty()) {
        ui.ShowMessage(kChooseDirectoryFirstMessage);
        return std::nullopt;
    }
    if (!args.dir && !ui.AskYesNo(options.ftp_directory + kUseBookFolderQuestion)) {
        return std::nullopt;
    }
    const std::string dir = args.dir.value_or(options.ftp_directory);
    if (dir == "/" && !ui.AskYesNo(kRootDirectoryQuestion)) {
        return std::nullopt;
    }
    return dir;
}

}  // namespace

// folix upload BOOK.flx: sends the files the book's last HTML build wrote, in the upload's
// order, to the server; the server and user not given come from the profile.
// The remote paths sent are printed, one a line. Nothing is stored.
int RunUpload(CommandContext& context) {
    UploadArguments args;
    std::string error;
    if (!ParseArguments(context.args, args, error)) {
        return ReportUsageError(context, error);
    }
    CommandBook opened(context.ui);
    if (!opened.Open(context, args.book, "アップロード")) {
        return kExitFailure;
    }
    const HtmlOptions options = LoadHtmlOptions(context.ui, opened.site().root_path);
    const std::string& parent_path = opened.site().parent_path;
    const SiteFilePaths built = LastBuiltSiteFiles(parent_path, options);
    if (!CheckUploadable(context.ui, built.main_page)) {
        return kExitFailure;
    }

    const UploadSettings saved =
        LoadUploadSettings(ReadOnlyProfile(ReadOnlyProfile::DefaultPath()));
    UploadSettings chosen{
        args.server.value_or(saved.server), args.user.value_or(saved.user), {}, false};
    chosen.password = PasswordFor(args, saved, chosen);
    std::optional<std::string> dir = RemoteFolder(context.ui, args, options);
    if (!dir) {
        return kExitFailure;
    }

    MemoryTreeControl tree;
    UploadSession session(context.ui, tree, std::make_unique<CurlFtpClient>());
    session.LoadSettings(chosen);
    session.ftp_directory = *dir;
    session.local_directory = parent_path;
    for (const std::string& path : UploadFileList(built, options)) {
        session.AddFile(path);
    }
    if (!session.OnConnect()) {
        return kExitFailure;
    }
    size_t reached = 0;
    const bool uploaded =
        session.OnUpload([&](size_t index, size_t, const std::string&) { reached = index; });
    const size_t sent = uploaded ? session.files().size() : reached;
    for (size_t i = 0; i < sent; ++i) {
        context.out << *dir << (*dir == "/" ? "" : "/") << session.files()[i] << '\n';
    }
    return uploaded ? kExitSuccess : kExitFailure;
}

}  // namespace folix
