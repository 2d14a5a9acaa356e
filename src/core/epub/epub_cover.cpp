#include "epub/epub_cover.h"

#include <string_view>

#include "book/file_io.h"
#include "book/system_error.h"
#include "platform/ui.h"

namespace folix {
namespace {

struct ImageType {
    std::string_view signature;
    const char* file_name;
    const char* media_type;
};

constexpr ImageType kImageTypes[] = {
    {"\xFF\xD8\xFF", "cover.jpg", "image/jpeg"},
    {"\x89PNG\r\n\x1A\n", "cover.png", "image/png"},
    {"GIF87a", "cover.gif", "image/gif"},
    {"GIF89a", "cover.gif", "image/gif"},
};

}  // namespace

bool ReadEpubCover(Ui& ui, const std::string& path, EpubCover& cover) {
    FileRead read = ReadFileStart(path, kMaxCoverBytes + 1);
    if (read.error != 0) {
        ShowCannotOpen(ui, path, read.error);
        return false;
    }
    if (read.bytes.size() > kMaxCoverBytes) {
        ui.ShowMessage(path + kCoverTooLargeMessage);
        return false;
    }
    for (const ImageType& type : kImageTypes) {
        if (std::string_view(read.bytes).starts_with(type.signature)) {
            cover.file_name = type.file_name;
            cover.media_type = type.media_type;
            cover.bytes = std::move(read.bytes);
            return true;
        }
    }
    ui.ShowMessage(path + kNotAnImageMessage);
    return false;
}

}  // namespace folix
