// The reader of ".flc" control files and the options read from them: whatever the file holds,
// reading ends in lines or a message, and lines that were read are written back and read again
// unchanged.

#include <cstddef>
#include <cstdint>
#include <string>

#include "book/book_options.h"
#include "book/control_file.h"
#include "book/file_io.h"
#include "book/path_parts.h"
#include "fuzz_support.h"
#include "site/html_options.h"

using namespace folix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::SilentUi ui;
    const std::string& folder = fuzz::ScratchFolder();
    const std::string path = JoinPath(folder, kOptionsFileName);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    fuzz::Require(WriteFileAtomically(path, bytes) == 0, "the input could not be stored");

    ControlFile file;
    if (ReadControlFile(ui, path, file)) {
        fuzz::Require(WriteControlFile(ui, path, file), "a file that was read cannot be written");
        ControlFile again;
        fuzz::Require(ReadControlFile(ui, path, again), "a written file cannot be read");
        fuzz::Require(again.lines == file.lines, "the lines change when written and read");
        fuzz::Require(WriteFileAtomically(path, bytes) == 0, "the input could not be stored");
    }
    LoadBookOptions(ui, folder);
    LoadHtmlOptions(ui, folder);
    return 0;
}
