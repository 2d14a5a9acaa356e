#pragma once

#include <string>
#include <vector>

namespace folix {

class Ui;
struct BookOptions;

// The whole-book search without a tree: the book's folders walked in the tree's order, each
// listed once, and each file read once. Returns the files that hold the text, in tree order:
// the files the tree search marks, by the same test and the same check boxes.
std::vector<std::string> SearchBookFiles(Ui& ui, const std::string& book_folder,
                                         const BookOptions& options, const std::string& text);

}  // namespace folix
