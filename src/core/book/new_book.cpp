#include "book/new_book.h"

#include <sys/stat.h>

#include <cerrno>

#include "book/book_files.h"
#include "book/file_io.h"
#include "book/path_parts.h"
#include "book/system_error.h"
#include "platform/ui.h"

namespace folix {

std::string CreateNewBook(Ui& ui, const std::string& chosen_path) {
    if (ExtensionPart(chosen_path) != kBookFileExtension) {
        ui.ShowMessage(kInvalidExtensionMessage);
        return {};
    }
    const std::string folder = JoinPath(ParentPath(chosen_path), TitlePart(chosen_path));
    if (int error = CreateFolder(folder); error != 0) {
        ShowLastError(ui, error);
        return {};
    }
    CreateBlankTextFile(ui, folder);  // shown if it fails; the book is still made
    const std::string book_path = JoinPath(folder, FileNamePart(chosen_path));
    int error = CreateNewFile(book_path);
    if (error != 0) {
        ShowLastError(ui, error);
        return {};
    }
    return book_path;
}

}  // namespace folix
