#include "rtf/book_text.h"

#include "book/editor_file.h"
#include "rtf/rtf_plain_text.h"

namespace folix {

bool ReadBookFileText(Ui& ui, const std::string& path, std::string& text) {
    text.clear();
    EditorFile file;
    if (!ReadEditorFile(ui, path, file)) {
        return false;
    }
    text = file.rtf ? RtfPlainText(file.text) : std::move(file.text);
    return true;
}

}  // namespace folix
