#pragma once

#include <functional>
#include <string>

#include "count/manuscript_settings.h"
#include "site/site_book.h"

namespace folix {
class Ui;
}

namespace folix::gui {

enum class ManuscriptOutcome { kWritten, kDeclined, kFailed };

struct ManuscriptResult {
    ManuscriptOutcome outcome = ManuscriptOutcome::kFailed;
    std::string path;  // NAME.pdf beside the book folder
};

inline constexpr char kManuscriptActionName[] = "原稿作成";

// 原稿作成, for the window and `folix pdf` alike: the book set on the grid the choices give (the
// book's count grid when they give none), in the book's face and margins, written whole to
// NAME.pdf beside the book folder after the overwrite question. The book keeps the file written
// in manuscript.flc; the choices themselves are the caller's to keep. progress hears each page.
ManuscriptResult MakeManuscript(Ui& ui, const SiteBook& book, const ManuscriptSettings& choices,
                                const std::function<void(int, int)>& progress = nullptr);

}  // namespace folix::gui
