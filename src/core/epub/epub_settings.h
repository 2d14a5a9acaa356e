#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace folix {

class Ui;

// Which way the e-book's text runs: as the book is written in the editor, or chosen for the
// e-book alone.
enum class EpubDirection { kBook, kVertical, kHorizontal };

// The settings of the e-book, kept in "epub.flc" in the book folder, with the identifier that
// makes every rebuilt e-book the same book to a reading system and the path written last.
struct EpubSettings {
    std::string identifier;  // a UUID, made at the first build
    std::string title;       // empty: the book folder's name
    std::string author;      // empty: no author is named
    std::string language = "ja";
    EpubDirection direction = EpubDirection::kBook;
    std::string cover;  // an image file name in the book folder, or empty
    std::string last_written;
};

inline constexpr char kEpubSettingsFileName[] = "epub.flc";
inline constexpr char kDefaultEpubLanguage[] = "ja";

// What the writer chose in the dialog or on the command line; what is not given stays as it is.
struct EpubChoices {
    std::optional<std::string> title;
    std::optional<std::string> author;
    std::optional<std::string> language;
    std::optional<EpubDirection> direction;
    std::optional<std::string> cover;
};

// A language tag as a reading system understands it: letters, then groups of letters and
// digits after hyphens ("ja", "en-US", "ja-Latn").
bool IsLanguageTag(std::string_view tag);
// A cover is one file of the book folder, read as the book's other files are; it is never
// looked for anywhere else.
bool IsCoverName(std::string_view name);

// Fills the settings from the book folder's file, or with the defaults when it cannot be used.
// A language or cover that fails its check is reported ("は不正です。") and the default taken.
EpubSettings LoadEpubSettings(Ui& ui, const std::string& root_path);
// Writes the 7 lines, unless the file there is not a control file of ours.
bool SaveEpubSettings(Ui& ui, const std::string& root_path, const EpubSettings& settings);

// Takes the choices; a value holding a control character (a line end would shift the lines of
// the file), a language that is no tag or a cover that is no single file name is refused with
// "は不正です。" and nothing at all is changed. An empty language stands for "ja".
bool ApplyEpubChoices(Ui& ui, EpubSettings& settings, const EpubChoices& choices);

// The way the e-book runs, given the book's own vertical setting.
bool IsVerticalEpub(const EpubSettings& settings, bool book_vertical);

}  // namespace folix
