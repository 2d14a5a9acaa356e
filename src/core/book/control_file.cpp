#include "book/control_file.h"

#include "book/file_io.h"
#include "book/system_error.h"
#include "platform/ui.h"

namespace folix {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Cuts at each CR LF; whatever follows the last one is not a line.
std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (true) {
        size_t end = text.find(kLineEnd, start);
        if (end == std::string_view::npos) {
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + kLineEnd.size();
    }
    return lines;
}

}  // namespace

std::string InvalidControlFileMessage(const std::string& path) {
    return path +
           "の内容が不正です。"
           "他のフォルダへ移動するか、名前を変えるか、"
           "削除するかしてください。";
}

bool ReadControlFile(Ui& ui, const std::string& path, ControlFile& file) {
    file.lines.clear();
    file.encoding = TextEncoding::kUtf8;
    // A control file comes into being the first time it is asked for.
    FileRead read = ReadOrCreateFile(path);
    if (read.error != 0) {
        ShowCannotOpen(ui, path, read.error);
        return false;
    }
    if (read.bytes.empty()) {
        return true;
    }
    std::string_view bytes = read.bytes;
    // Cut bytes into lines before decoding: no CP932 character holds a CR or an LF byte.
    size_t header_end = bytes.find(kLineEnd);
    bool header_ok = header_end != std::string_view::npos &&
                     bytes.substr(0, header_end) == kControlFileHeader;
    DecodedText decoded;
    if (header_ok) {
        decoded = DecodeText(bytes.substr(header_end + kLineEnd.size()));
    }
    // A body that is neither UTF-8 nor CP932 would be garbled by any later write: treat it as
    // content that is not ours, which every writer leaves alone.
    if (!header_ok || !decoded.clean || decoded.encoding == TextEncoding::kUtf8Bom) {
        ui.ShowMessage(InvalidControlFileMessage(path));
        return false;
    }
    file.lines = SplitLines(decoded.text);
    file.encoding = decoded.encoding;
    return true;
}

bool WriteControlFile(Ui& ui, const std::string& path, const ControlFile& file) {
    std::string text(kControlFileHeader);
    text += kLineEnd;
    for (const std::string& line : file.lines) {
        text += line;
        text += kLineEnd;
    }
    std::optional<std::string> bytes = EncodeText(text, file.encoding);
    if (!bytes) {
        // A value CP932 cannot hold: the file changes to UTF-8 rather than lose the character.
        bytes = text;
    }
    int error = WriteFileAtomically(path, *bytes);
    if (error != 0) {
        ShowCannotOpen(ui, path, error);
        return false;
    }
    return true;
}

}  // namespace folix
