#pragma once

#include <string>

namespace folix {

class Ui;

// The cover image of an e-book, read from the book folder.
struct EpubCover {
    std::string file_name;  // its name inside the e-book: "cover" and the extension of its type
    std::string media_type;
    std::string bytes;
};

// A cover larger than this is no picture a reading system wants.
inline constexpr size_t kMaxCoverBytes = 16 * 1024 * 1024;
inline constexpr char kNotAnImageMessage[] = "は画像ファイル(JPEG、PNG、GIF)ではありません。";
inline constexpr char kCoverTooLargeMessage[] = "は大きすぎるため、表紙にできません。";

// Reads the cover image at path, a file of the book folder; its type is told by its first bytes,
// whatever its name says. False after the message: path + "が開けません。(%d)", or one of the
// two above.
bool ReadEpubCover(Ui& ui, const std::string& path, EpubCover& cover);

}  // namespace folix
