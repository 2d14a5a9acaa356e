#include "site/output_file.h"

#include "book/file_io.h"
#include "book/system_error.h"
#include "platform/ui.h"

namespace folix {

bool AsksBeforeWriting(const std::string& path, const std::string& last_written) {
    return PathExists(path) && path != last_written;
}

bool MayWriteOutput(Ui& ui, std::string& path, const std::string& last_written) {
    if (!AsksBeforeWriting(path, last_written)) {
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
