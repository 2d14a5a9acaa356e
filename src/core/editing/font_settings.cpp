#include "editing/font_settings.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "book/fixed_layout.h"
#include "book/path_parts.h"
#include "book/text_encoding.h"

namespace folix {
namespace {

constexpr size_t kFontLineCount = 19;
constexpr int kBoldWeight = 700;
constexpr int kRegularWeight = 400;
// The books this program reads were written with the Japanese character set in their record.
constexpr uint8_t kShiftJisCharSet = 128;

// What the desktop's own text font gives a new book: regular weight, Japanese character set,
// every other field 0. A book's file records its own choice over it.
LogFont SystemFontRecord() {
    LogFont font;
    font.lfWeight = kRegularWeight;
    font.lfCharSet = kShiftJisCharSet;
    return font;
}

int ClampToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

uint8_t ParseByte(const std::string& line) {
    return static_cast<uint8_t>(ParseControlInt(line));
}

}  // namespace

std::string ClipFaceName(const std::string& face) {
    size_t pos = 0;
    for (size_t count = 0; pos < face.size() && count < kMaxFaceNameLength; ++count) {
        NextCodePoint(face, pos);
    }
    return face.substr(0, pos);
}

int32_t HeightForPoints(double points) {
    return -static_cast<int32_t>(std::lround(std::clamp(points, 0.0, 100000.0) * 2.0));
}

// 20 mm is 1134 twips: multiplied first, then truncated, and never past what an int holds for
// the absurd values a hand-edited file may carry.
int MillimetresToTwips(int millimetres) {
    return ClampToInt(static_cast<long long>(millimetres) * 567 / 10);
}

void FontSettings::LoadFont(Ui& ui, const std::string& root_path) {
    m_logFont = SystemFontRecord();
    m_logFont.lfHeight = -20;
    m_logFont.lfFaceName = ClipFaceName(kDefaultFaceName);
    m_crTextColor = 0;
    m_nMarginLeft = m_nMarginRight = m_nMarginTop = m_nMarginBottom = kDefaultMargin;

    ControlFile file;
    if (!ReadFixedLayout(ui, JoinPath(root_path, kFontFileName), kFontLineCount, file)) {
        return;
    }
    const std::vector<std::string>& line = file.lines;
    // A file whose first line gives no height holds no font: all of it is left alone.
    if (ParseControlInt(line[0]) == 0) {
        return;
    }
    m_logFont.lfHeight = ParseControlInt(line[0]);
    m_logFont.lfWidth = ParseControlInt(line[1]);
    m_logFont.lfEscapement = ParseControlInt(line[2]);
    m_logFont.lfOrientation = ParseControlInt(line[3]);
    m_logFont.lfWeight = ParseControlInt(line[4]);
    m_logFont.lfItalic = ParseByte(line[5]);
    m_logFont.lfUnderline = ParseByte(line[6]);
    m_logFont.lfStrikeOut = ParseByte(line[7]);
    m_logFont.lfCharSet = ParseByte(line[8]);
    m_logFont.lfOutPrecision = ParseByte(line[9]);
    m_logFont.lfClipPrecision = ParseByte(line[10]);
    m_logFont.lfQuality = ParseByte(line[11]);
    m_logFont.lfPitchAndFamily = ParseByte(line[12]);
    m_logFont.lfFaceName = ClipFaceName(line[13]);
    m_crTextColor = static_cast<uint32_t>(ParseControlInt(line[14]));
    m_nMarginLeft = ParseControlInt(line[15]);
    m_nMarginRight = ParseControlInt(line[16]);
    m_nMarginTop = ParseControlInt(line[17]);
    m_nMarginBottom = ParseControlInt(line[18]);
}

bool FontSettings::SaveFont(Ui& ui, const std::string& root_path) const {
    const LogFont& f = m_logFont;
    return WriteFixedLayout(ui, JoinPath(root_path, kFontFileName),
                            {
                                FormatControlInt(f.lfHeight),
                                FormatControlInt(f.lfWidth),
                                FormatControlInt(f.lfEscapement),
                                FormatControlInt(f.lfOrientation),
                                FormatControlInt(f.lfWeight),
                                FormatControlInt(f.lfItalic),
                                FormatControlInt(f.lfUnderline),
                                FormatControlInt(f.lfStrikeOut),
                                FormatControlInt(f.lfCharSet),
                                FormatControlInt(f.lfOutPrecision),
                                FormatControlInt(f.lfClipPrecision),
                                FormatControlInt(f.lfQuality),
                                FormatControlInt(f.lfPitchAndFamily),
                                ClipFaceName(f.lfFaceName),
                                FormatControlInt(static_cast<int>(m_crTextColor)),
                                FormatControlInt(m_nMarginLeft),
                                FormatControlInt(m_nMarginRight),
                                FormatControlInt(m_nMarginTop),
                                FormatControlInt(m_nMarginBottom),
                            });
}

EditorCharFormat FontSettings::CharFormat() const {
    EditorCharFormat format;
    format.face = ClipFaceName(m_logFont.lfFaceName);
    format.size_twips = ClampToInt(std::llabs(10LL * m_logFont.lfHeight));
    format.weight = m_logFont.lfWeight == kBoldWeight ? kBoldWeight : kRegularWeight;
    format.italic = m_logFont.lfItalic != 0;
    format.color = m_crTextColor;
    return format;
}

PrintMargins FontSettings::MarginsTwips() const {
    return {MillimetresToTwips(m_nMarginLeft), MillimetresToTwips(m_nMarginTop),
            MillimetresToTwips(m_nMarginRight), MillimetresToTwips(m_nMarginBottom)};
}

void FontSettings::ApplyFont(EditorControl& editor) const {
    if (!HasFont()) {
        return;
    }
    editor.SetDefaultCharFormat(CharFormat());
    editor.SetPrintMargins(MarginsTwips());
}

MarginEntry ParseMarginEntry(const std::string& text, int& value) {
    size_t pos = 0;
    const auto skip_spaces = [&] {
        while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) {
            ++pos;
        }
    };
    skip_spaces();
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const size_t digits_start = pos;
    long long number = 0;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
        number = std::min(number * 10 + (text[pos] - '0'), 1LL << 40);
        ++pos;
    }
    const bool has_digits = pos > digits_start;
    skip_spaces();
    if (!has_digits || pos != text.size()) {
        return MarginEntry::kNotInteger;
    }
    if (negative) {
        number = -number;
    }
    if (number < kMinMargin || number > kMaxMargin) {
        return MarginEntry::kOutOfRange;
    }
    value = static_cast<int>(number);
    return MarginEntry::kValid;
}

std::string MarginRangeMessage() {
    return std::to_string(kMinMargin) + " から " + std::to_string(kMaxMargin) +
           " までの整数を入力してください。";
}

}  // namespace folix
