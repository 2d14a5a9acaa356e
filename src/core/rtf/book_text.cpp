#include "rtf/book_text.h"

#include "book/editor_file.h"
#include "book/file_io.h"
#include "rtf/rtf_plain_text.h"

namespace folix {

namespace {

bool BookFileText(Ui& ui, const std::string& path, FileRead&& read, std::string& text) {
    text.clear();
    EditorFile file;
    if (!ReadEditorFile(ui, path, std::move(read), file)) {
        return false;
    }
    text = file.rtf ? RtfPlainText(file.text) : std::move(file.text);
    return true;
}

}  // namespace

bool ReadBookFileText(Ui& ui, const std::string& path, std::string& text) {
    return BookFileText(ui, path, ReadWholeFile(path), text);
}

bool ReadBookFileTextIn(Ui& ui, const FolderHandle& folder, const std::string& name,
                        const std::string& path, std::string& text) {
    return BookFileText(ui, path, ReadWholeFileIn(folder, name, path), text);
}

}  // namespace folix
