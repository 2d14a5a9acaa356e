#include "cli/history/history_command.h"

#include <cerrno>
#include <charconv>
#include <ctime>
#include <optional>
#include <ostream>

#include "book/file_io.h"
#include "book/path_parts.h"
#include "book/system_error.h"
#include "cli/book_argument.h"
#include "cli/command_context.h"
#include "cli/command_line.h"
#include "history/history_store.h"
#include "history/version_length.h"

namespace folix {
namespace {

constexpr char kUsage[] =
    "history には本のファイル(BOOK.flx)と本のフォルダから見たファイルを指定します。"
    "[--show N | --restore N] を付けられます。";
constexpr char kBadFileMessage[] = "ファイルは本のフォルダから見たパスで指定します: ";
constexpr char kBadNumberMessage[] = "には版の番号(1から)を指定します。";

struct HistoryArguments {
    std::string book;
    std::string file;
    std::optional<std::string> show;
    std::optional<std::string> restore;
};

bool ParseArguments(const std::vector<std::string>& args, HistoryArguments& parsed,
                    std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--show" || arg == "--restore") {
            if (i + 1 >= args.size()) {
                error = arg + " の値がありません。";
                return false;
            }
            (arg == "--show" ? parsed.show : parsed.restore) = args[++i];
        } else if (arg.starts_with("--")) {
            error = "history に使えないオプションです: " + arg;
            return false;
        } else if (parsed.book.empty()) {
            parsed.book = arg;
        } else if (parsed.file.empty()) {
            parsed.file = arg;
        } else {
            error = kUsage;
            return false;
        }
    }
    if (parsed.book.empty() || parsed.file.empty() || (parsed.show && parsed.restore)) {
        error = kUsage;
        return false;
    }
    return true;
}

// The file as the history names it: names inside the book, "/" between them, none hidden (the
// history itself and the recovery copy are no files of the book), no way out of it.
std::optional<std::string> BookFileName(const std::string& argument) {
    std::string relative = argument;
    while (relative.starts_with("./")) {
        relative.erase(0, 2);
    }
    if (relative.empty() || relative.front() == '/' || relative.back() == '/') {
        return std::nullopt;
    }
    for (const std::string& name : PathNames(relative)) {
        if (name.empty() || name.front() == '.') {
            return std::nullopt;
        }
    }
    return relative;
}

std::optional<size_t> VersionIndex(const std::string& text, size_t count) {
    size_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number == 0) {
        return std::nullopt;
    }
    return number <= count ? std::optional<size_t>(number - 1) : std::optional<size_t>(count);
}

std::string LocalTimeText(int64_t seconds) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm local{};
    char text[32] = {};
    if (::localtime_r(&time, &local) == nullptr ||
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local) == 0) {
        return std::to_string(seconds);
    }
    return text;
}

int ListVersions(CommandContext& context, HistoryStore& store,
                 const std::vector<FileVersion>& versions) {
    for (const FileVersion& version : versions) {
        const std::optional<std::string> bytes = store.Bytes(version);
        if (!bytes) {
            context.err << "folix: " << store.error() << "\n";
            return kExitFailure;
        }
        context.out << version.number << '\t' << LocalTimeText(version.time) << '\t'
                    << VersionCauseLabel(version.cause) << '\t' << VersionCharacters(*bytes) << '\t'
                    << version.path << '\n';
    }
    return kExitSuccess;
}

// The current text becomes a version first (unless it is the newest already), so nothing is
// lost by going back; the file is then replaced whole, and the restore kept as a version.
int Restore(CommandContext& context, HistoryStore& store, const std::string& root,
            const std::string& file, const std::vector<FileVersion>& versions, size_t index) {
    const std::optional<std::string> bytes = store.Bytes(versions[index]);
    const std::optional<std::string> newest = store.Bytes(versions.back());
    if (!bytes || !newest) {
        context.err << "folix: " << store.error() << "\n";
        return kExitFailure;
    }
    const std::string path = JoinPath(root, file);
    if (int error = CheckFoldersOnTheWay(root, file); error != 0) {
        ShowCannotOpen(context.ui, path, error);
        return kExitFailure;
    }
    const FileRead current = ReadWholeFile(path);
    if (current.error != 0 && current.error != ENOENT) {
        ShowCannotOpen(context.ui, path, current.error);
        return kExitFailure;
    }
    if (current.error == 0 && current.bytes != *newest &&
        !store.Record(file, current.bytes, VersionCause::kSave)) {
        context.err << "folix: " << store.error() << "\n";
        return kExitFailure;
    }
    if (int error = WriteFileAtomically(path, *bytes); error != 0) {
        ShowCannotOpen(context.ui, path, error);
        return kExitFailure;
    }
    if (!store.Record(file, *bytes, VersionCause::kRestore)) {
        context.err << "folix: 「" << file << "」は版" << index + 1 << "に戻しましたが、"
                    << store.error() << "\n";
        return kExitFailure;
    }
    context.err << "「" << file << "」を版" << index + 1 << "に戻しました。\n";
    return kExitSuccess;
}

}  // namespace

int RunHistory(CommandContext& context) {
    HistoryArguments parsed;
    std::string error;
    if (!ParseArguments(context.args, parsed, error)) {
        return ReportUsageError(context, error);
    }
    const std::optional<std::string> file = BookFileName(parsed.file);
    if (!file) {
        return ReportUsageError(context, kBadFileMessage + parsed.file);
    }
    CommandBook opened(context.ui);
    if (!opened.Open(context, parsed.book, "履歴の表示")) {
        return kExitFailure;
    }
    const std::string root = opened.site().root_path;
    HistoryStore store(root);
    const std::optional<std::vector<FileVersion>> versions = store.Versions(*file);
    if (!versions) {
        context.err << "folix: " << store.error() << "\n";
        return kExitFailure;
    }
    const std::optional<std::string>& wanted = parsed.show ? parsed.show : parsed.restore;
    if (!wanted) {
        if (versions->empty()) {
            context.err << "「" << *file << "」の履歴はありません。\n";
        }
        return ListVersions(context, store, *versions);
    }
    const std::optional<size_t> index = VersionIndex(*wanted, versions->size());
    if (!index) {
        return ReportUsageError(
            context, (parsed.show ? "--show " : "--restore ") + std::string(kBadNumberMessage));
    }
    if (*index >= versions->size()) {
        context.err << "folix: 「" << *file << "」に版" << *wanted << "はありません。\n";
        return kExitFailure;
    }
    if (parsed.show) {
        const std::optional<std::string> bytes = store.Bytes((*versions)[*index]);
        if (!bytes) {
            context.err << "folix: " << store.error() << "\n";
            return kExitFailure;
        }
        context.out << *bytes;
        context.out.flush();
        return context.out ? kExitSuccess : kExitFailure;
    }
    return Restore(context, store, root, *file, *versions, *index);
}

}  // namespace folix
