#pragma once

#include <optional>
#include <string>

#include "typeset/grid_layout.h"

namespace folix {

class Ui;

// How the book's manuscript was last made, kept in "manuscript.flc" in the book folder: the
// choices of the 原稿作成 dialog and of `folix pdf`, and the file written last, which is
// replaced without asking.
struct ManuscriptSettings {
    std::optional<GridSize> grid;  // none: the book's count grid
    std::string paper = "A4";      // A4, B5, A5 or B4
    std::string orientation;       // "landscape", "portrait", or empty: by the grid
    bool horizontal = false;
    bool ruled = false;
    bool title_page = true;
    std::string title;   // empty: the book folder's name
    std::string author;  // empty: no author is named
    std::string last_written;

    bool operator==(const ManuscriptSettings&) const = default;
};

inline constexpr char kManuscriptSettingsFileName[] = "manuscript.flc";

bool IsManuscriptPaper(const std::string& paper);

ManuscriptSettings LoadManuscriptSettings(Ui& ui, const std::string& root_path);
bool SaveManuscriptSettings(Ui& ui, const std::string& root_path,
                            const ManuscriptSettings& settings);

}  // namespace folix
