#include "site/output_file.h"

#include "book/file_io.h"
#include "book/system_error.h"
#include "platform/ui.h"

namespace folix {

bool MayWriteOutput(Ui& ui, std::string& path, const std::string& last_written) {
    if (!PathExists(path) || path == last_written) {
        return true;
    }
    if (ui.AskYesNo(path + kOverwriteQuestion)) {
        return true;
    }
    path.clear();
    return false;
}

bool WriteOutput(Ui& ui, const std::string& path, std::string_view bytes) {
    int error = WriteFileAtomically(path, bytes);
    if (error != 0) {
        ShowCannotOpen(ui, path, error);
        return false;
    }
    return true;
}

}  // namespace folix
