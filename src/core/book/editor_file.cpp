#include "book/editor_file.h"

#include <optional>
#include <string_view>
#include <utility>

#include "book/book_files.h"
#include "book/file_io.h"
#include "book/path_parts.h"
#include "book/system_error.h"
#include "platform/ui.h"

namespace folix {

bool ReadEditorFile(Ui& ui, const std::string& path, EditorFile& file) {
    return ReadEditorFile(ui, path, ReadWholeFile(path), file);
}

bool ReadEditorFile(Ui& ui, const std::string& path, FileRead&& read, EditorFile& file) {
    file = EditorFile{};
    if (read.error != 0) {
        ShowCannotOpen(ui, path, read.error);
        return false;
    }
    if (std::string_view(read.bytes).substr(0, 5) == kRtfSignature) {
        file.rtf = true;
        file.text = std::move(read.bytes);
        return true;
    }
    DecodedText decoded = DecodeOwnedText(std::move(read.bytes));
    file.text = std::move(decoded.text);
    file.encoding = decoded.encoding;
    file.clean = decoded.clean;
    return true;
}

bool IsEditorWritable(const std::string& path, const EditorFile& file) {
    return IsEditableName(path) && file.clean;
}

bool SaveEditorText(Ui& ui, const std::string& path, const std::string& text,
                    TextEncoding& encoding) {
    std::optional<std::string> bytes = EncodeText(text, encoding);
    bool fell_back = false;
    if (!bytes) {
        bytes = text;
        fell_back = true;
    }
    int error = WriteFileAtomically(path, *bytes);
    if (error != 0) {
        ShowCannotOpen(ui, path, error);
        return false;
    }
    if (fell_back) {
        encoding = TextEncoding::kUtf8;
        ui.ShowNotice(kSavedAsUtf8Notice);
    }
    return true;
}

}  // namespace folix
