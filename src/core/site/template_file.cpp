#include "site/template_file.h"

#include <cerrno>

#include "book/file_io.h"
#include "book/system_error.h"
#include "book/text_encoding.h"

namespace folix {

std::string LoadTemplate(Ui& ui, const std::string& template_path,
                         const std::string& default_text) {
    FileRead read = ReadWholeFile(template_path);
    if (read.error != 0 && read.error != ENOENT) {
        ShowCannotOpen(ui, template_path, read.error);
        return default_text;
    }
    if (!read.bytes.empty()) {
        return DecodeText(read.bytes).text;
    }
    int error = WriteFileAtomically(template_path, default_text);
    if (error != 0) {
        ShowCannotOpen(ui, template_path, error);
    }
    return default_text;
}

std::optional<std::string> ReadTemplateInPlace(const std::string& template_path) {
    FileRead read = ReadWholeFile(template_path);
    if (read.error != 0 || read.bytes.empty()) {
        return std::nullopt;
    }
    return DecodeText(read.bytes).text;
}

}  // namespace folix
