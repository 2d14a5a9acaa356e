#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace folix {

// The rich text of a book file as the editor holds it: paragraphs of runs. It keeps what a
// writer's text needs (the words, character formatting, alignment, PNG and JPEG pictures) and
// nothing of page layout; the reader says when a file held more than this.

struct RtfColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const RtfColor&) const = default;
};

// Empty, zero and no colour mean "the editor's default", which for a book is the font the author
// chose for it.
struct RtfCharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike_out = false;
    std::string font;     // face name
    int half_points = 0;  // font size in half points, as RTF counts it
    std::optional<RtfColor> color;
    bool operator==(const RtfCharFormat&) const = default;
};

struct RtfPicture {
    enum class Format { kPng, kJpeg };
    Format format = Format::kPng;
    std::string data;  // the image file's bytes
    // The sizes the file gave, kept so that the picture comes back as large as it was shown;
    // zero when the file gave none.
    int width = 0;        // \picw
    int height = 0;       // \pich
    int goal_width = 0;   // shown width in twips, scaling applied
    int goal_height = 0;  // shown height in twips, scaling applied
    bool operator==(const RtfPicture&) const = default;
};

// Text in one format, or one picture (then the text is empty). A picture is shared, never
// changed: copies of a document (an undo step, a save) do not copy the image.
struct RtfRun {
    std::string text;  // UTF-8; a tab is U+0009, a line break inside the paragraph U+2028
    RtfCharFormat format;
    std::shared_ptr<const RtfPicture> picture;
    bool operator==(const RtfRun& other) const;
};

enum class RtfAlignment { kLeft, kCenter, kRight, kJustify };

struct RtfParagraph {
    std::vector<RtfRun> runs;
    RtfAlignment alignment = RtfAlignment::kLeft;
    bool operator==(const RtfParagraph&) const = default;
};

inline constexpr std::string_view kRtfLineBreak = "\u2028";

// Never without paragraphs: the last one is what follows the last paragraph mark, often empty,
// just as an editor shows an empty line after a final paragraph mark.
struct RtfDocument {
    std::vector<RtfParagraph> paragraphs{1};
    bool operator==(const RtfDocument&) const = default;
};

// Adds text to the paragraph, extending its last run when the format is the same, so that a
// paragraph never holds two neighbouring runs of one format.
void AppendText(RtfParagraph& paragraph, std::string_view text, const RtfCharFormat& format);
void AppendPicture(RtfParagraph& paragraph, RtfPicture picture, const RtfCharFormat& format);

}  // namespace folix
