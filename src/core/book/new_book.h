#pragma once

#include <string>

namespace folix {

class Ui;

inline constexpr char kBookFileExtension[] = "flx";
inline constexpr char kInvalidExtensionMessage[] = "ファイル名拡張子が無効です。";

// Makes a new book from the book file path the writer chose (BOOKS/NAME.flx): the book folder
// BOOKS/NAME, its first empty page and the empty book file BOOKS/NAME/NAME.flx. Returns the
// book file's path, or empty after showing why not; what was made before a failure stays.
std::string CreateNewBook(Ui& ui, const std::string& chosen_path);

}  // namespace folix
