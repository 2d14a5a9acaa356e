#pragma once

#include <cstdint>
#include <string>

#include "platform/editor_control.h"

namespace folix {

class Ui;

// The editor font of a book as "font.flc" keeps it: the fields of the desktop font record the
// book was first written with, so a book's file reads and writes the same on every desktop.
struct LogFont {
    int32_t lfHeight = 0;  // the size: |10 x height| twips, so -20 is 10 points
    int32_t lfWidth = 0;
    int32_t lfEscapement = 0;
    int32_t lfOrientation = 0;
    int32_t lfWeight = 0;  // 400 regular, 700 bold
    uint8_t lfItalic = 0;
    uint8_t lfUnderline = 0;
    uint8_t lfStrikeOut = 0;
    uint8_t lfCharSet = 0;
    uint8_t lfOutPrecision = 0;
    uint8_t lfClipPrecision = 0;
    uint8_t lfQuality = 0;
    uint8_t lfPitchAndFamily = 0;
    std::string lfFaceName;  // at most kMaxFaceNameLength characters
    bool operator==(const LogFont&) const = default;
};

inline constexpr char kFontFileName[] = "font.flc";
inline constexpr char kDefaultFaceName[] = "ＭＳ Ｐゴシック";
inline constexpr size_t kMaxFaceNameLength = 31;
inline constexpr int kDefaultMargin = 20;  // millimetres, each side
inline constexpr int kMinMargin = 0;
inline constexpr int kMaxMargin = 200;

// The book's font, text colour and print margins, with "font.flc" in the book folder. A book
// model starts with height 0, "no font yet": applying it then leaves the editor as it is.
class FontSettings {
public:
    // The defaults, then the file's 19 lines unless its first line reads 0.
    void LoadFont(Ui& ui, const std::string& root_path);
    // The 19 lines, only when the file as it is reads as a control file.
    bool SaveFont(Ui& ui, const std::string& root_path) const;
    // Font and margins into the editor; nothing at all while the height is 0.
    void ApplyFont(EditorControl& editor) const;

    bool HasFont() const { return m_logFont.lfHeight != 0; }
    // The editor's default format as the font gives it (underline and strike-out are kept in the
    // file but not shown).
    EditorCharFormat CharFormat() const;
    PrintMargins MarginsTwips() const;

    LogFont m_logFont;
    uint32_t m_crTextColor = 0;  // red + 256 x green + 65536 x blue
    int m_nMarginLeft = 0;
    int m_nMarginRight = 0;
    int m_nMarginTop = 0;
    int m_nMarginBottom = 0;
};

// The record a chooser gives back for a font of this many points: the height the twips rule turns
// into the same size (10.5 points is -21).
int32_t HeightForPoints(double points);
// The first kMaxFaceNameLength characters of a face name.
std::string ClipFaceName(const std::string& face);
int MillimetresToTwips(int millimetres);

// What the margins dialog makes of one field.
enum class MarginEntry { kValid, kNotInteger, kOutOfRange };
MarginEntry ParseMarginEntry(const std::string& text, int& value);
inline constexpr char kNotIntegerMessage[] = "整数を入力してください。";
// The range message with kMinMargin and kMaxMargin in it.
std::string MarginRangeMessage();

}  // namespace folix
