#include "book/recovery_copy.h"

#include "book/file_io.h"
#include "book/path_parts.h"

namespace folix {
namespace {

constexpr char kHeader[] = "folix recovery copy";
constexpr char kRtfKind[] = "rtf";
constexpr char kPlainKind[] = "plain";

// The next line of the copy's head, without its end; nothing when there is no line end.
std::optional<std::string> TakeLine(const std::string& bytes, size_t& position) {
    const size_t end = bytes.find('\n', position);
    if (end == std::string::npos) {
        return std::nullopt;
    }
    std::string line = bytes.substr(position, end - position);
    position = end + 1;
    return line;
}

}  // namespace

int WriteRecoveryCopy(const std::string& book_folder, const RecoveryCopy& copy) {
    std::string bytes = std::string(kHeader) + "\n" + copy.relative_path + "\n" +
                        (copy.rtf ? kRtfKind : kPlainKind) + "\n";
    bytes += copy.text;
    return WriteFileAtomically(JoinPath(book_folder, kRecoveryFileName), bytes);
}

std::optional<RecoveryCopy> ReadRecoveryCopy(const std::string& book_folder) {
    FileRead read = ReadFileStart(JoinPath(book_folder, kRecoveryFileName), kMaxRecoveryBytes + 1);
    if (read.error != 0 || read.bytes.size() > kMaxRecoveryBytes) {
        return std::nullopt;
    }
    size_t position = 0;
    const std::optional<std::string> header = TakeLine(read.bytes, position);
    const std::optional<std::string> path = TakeLine(read.bytes, position);
    const std::optional<std::string> kind = TakeLine(read.bytes, position);
    if (header != kHeader || !path || path->empty() || (kind != kRtfKind && kind != kPlainKind)) {
        return std::nullopt;
    }
    return RecoveryCopy{*path, kind == kRtfKind, read.bytes.substr(position)};
}

int RemoveRecoveryCopy(const std::string& book_folder) {
    return RemoveFile(JoinPath(book_folder, kRecoveryFileName));
}

}  // namespace folix
