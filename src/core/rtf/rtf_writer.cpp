#include "rtf/rtf_writer.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "book/text_encoding.h"
#include "rtf/rtf_code_page.h"

namespace folix {

namespace {

constexpr size_t kHexLineLength = 128;

class RtfWriter {
public:
    std::string Write(const RtfDocument& document);

private:
    void CollectTables(const RtfDocument& document);
    void WriteFontTable();
    void WriteColorTable();
    void WriteParagraph(const RtfParagraph& paragraph);
    void WriteFormat(const RtfCharFormat& format);
    void WritePicture(const RtfPicture& picture);
    // Writes UTF-8 text; `unicode_skip` is the \uc in force in the enclosing group.
    void WriteText(std::string_view text, int& unicode_skip);
    void WriteCodePoint(char32_t code_point, int& unicode_skip);
    void WriteUnicode(char32_t unit, std::string_view fallback, int& unicode_skip);
    void WriteHexBytes(std::string_view bytes);
    // The character's Shift_JIS bytes, or "?" when it has none. Some are near misses (U+00A5 is
    // written as the byte of '\\'), good enough for a fallback but not for a name.
    const std::string& Fallback(char32_t code_point);
    bool IsExactInShiftJis(char32_t code_point);

    std::string out_;
    std::vector<std::string> fonts_;
    std::vector<RtfColor> colors_;
    std::unordered_map<char32_t, std::string> fallbacks_;
    RtfCodePages code_pages_;
};

std::string RtfWriter::Write(const RtfDocument& document) {
    CollectTables(document);
    out_ += "{\\rtf1\\ansi\\ansicpg932\\uc1\n";
    WriteFontTable();
    WriteColorTable();
    bool first = true;
    for (const RtfParagraph& paragraph : document.paragraphs) {
        if (!first) {
            out_ += "\\par\n";
        }
        first = false;
        WriteParagraph(paragraph);
    }
    out_ += "}\n";
    return std::move(out_);
}

void RtfWriter::CollectTables(const RtfDocument& document) {
    for (const RtfParagraph& paragraph : document.paragraphs) {
        for (const RtfRun& run : paragraph.runs) {
            const RtfCharFormat& format = run.format;
            if (!format.font.empty() &&
                std::find(fonts_.begin(), fonts_.end(), format.font) == fonts_.end()) {
                fonts_.push_back(format.font);
            }
            if (format.color &&
                std::find(colors_.begin(), colors_.end(), *format.color) == colors_.end()) {
                colors_.push_back(*format.color);
            }
        }
    }
}

// Fonts are numbered from 1 and there is no \deff, so that text in the editor's default font
// names no font and takes whatever font the reader's own default is.
void RtfWriter::WriteFontTable() {
    out_ += "{\\fonttbl";
    for (size_t i = 0; i < fonts_.size(); ++i) {
        const std::string& name = fonts_[i];
        bool ascii = std::all_of(name.begin(), name.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        // A Japanese face name is stored in Shift_JIS, which the charset tells the reader.
        out_ += "{\\f" + std::to_string(i + 1) + "\\fnil\\fcharset" +
                std::to_string(ascii ? 0 : kRtfJapaneseCharset) + " ";
        int unicode_skip = 1;
        for (size_t pos = 0; pos < name.size();) {
            char32_t c = NextCodePoint(name, pos);
            if (c < 0x20) {
                continue;  // not text in RTF
            }
            if (c == ';') {
                out_ += "\\'3b";  // a plain ';' would end the name
            } else if (c >= 0x80 && IsExactInShiftJis(c)) {
                // Face names go as Shift_JIS bytes, the one spelling every reader takes there.
                WriteHexBytes(Fallback(c));
            } else {
                WriteCodePoint(c, unicode_skip);
            }
        }
        out_ += ";}";
    }
    out_ += "}\n";
}

void RtfWriter::WriteColorTable() {
    if (colors_.empty()) {
        return;
    }
    out_ += "{\\colortbl;";
    for (const RtfColor& color : colors_) {
        out_ += "\\red" + std::to_string(color.red) + "\\green" + std::to_string(color.green) +
                "\\blue" + std::to_string(color.blue) + ";";
    }
    out_ += "}\n";
}

void RtfWriter::WriteParagraph(const RtfParagraph& paragraph) {
    out_ += "\\pard\\plain";
    switch (paragraph.alignment) {
        case RtfAlignment::kLeft:
            break;
        case RtfAlignment::kCenter:
            out_ += "\\qc";
            break;
        case RtfAlignment::kRight:
            out_ += "\\qr";
            break;
        case RtfAlignment::kJustify:
            out_ += "\\qj";
            break;
    }
    for (const RtfRun& run : paragraph.runs) {
        // Each run in its own group, so that its format ends with it.
        out_ += '{';
        WriteFormat(run.format);
        if (run.picture) {
            WritePicture(*run.picture);
        } else {
            int unicode_skip = 1;
            WriteText(run.text, unicode_skip);
        }
        out_ += '}';
    }
}

void RtfWriter::WriteFormat(const RtfCharFormat& format) {
    size_t start = out_.size();
    if (format.bold) {
        out_ += "\\b";
    }
    if (format.italic) {
        out_ += "\\i";
    }
    if (format.underline) {
        out_ += "\\ul";
    }
    if (format.strike_out) {
        out_ += "\\strike";
    }
    if (!format.font.empty()) {
        auto found = std::find(fonts_.begin(), fonts_.end(), format.font);
        out_ += "\\f" + std::to_string(found - fonts_.begin() + 1);
    }
    if (format.half_points > 0) {
        out_ += "\\fs" + std::to_string(format.half_points);
    }
    if (format.color) {
        auto found = std::find(colors_.begin(), colors_.end(), *format.color);
        out_ += "\\cf" + std::to_string(found - colors_.begin() + 1);
    }
    if (out_.size() != start) {
        out_ += ' ';
    }
}

void RtfWriter::WritePicture(const RtfPicture& picture) {
    out_ += picture.format == RtfPicture::Format::kPng ? "{\\pict\\pngblip" : "{\\pict\\jpegblip";
    const std::pair<const char*, int> sizes[] = {
        {"\\picw", picture.width},
        {"\\pich", picture.height},
        {"\\picwgoal", picture.goal_width},
        {"\\pichgoal", picture.goal_height},
    };
    for (const auto& [word, value] : sizes) {
        if (value > 0) {
            out_ += word + std::to_string(value);
        }
    }
    static constexpr char kHex[] = "0123456789abcdef";
    for (size_t i = 0; i < picture.data.size(); ++i) {
        if (i % (kHexLineLength / 2) == 0) {
            out_ += '\n';
        }
        auto byte = static_cast<unsigned char>(picture.data[i]);
        out_ += kHex[byte >> 4];
        out_ += kHex[byte & 0xF];
    }
    out_ += '}';
}

void RtfWriter::WriteText(std::string_view text, int& unicode_skip) {
    for (size_t pos = 0; pos < text.size();) {
        if (text.substr(pos, kRtfLineBreak.size()) == kRtfLineBreak) {
            out_ += "\\line ";
            pos += kRtfLineBreak.size();
            continue;
        }
        char32_t c = NextCodePoint(text, pos);
        if (c == '\t') {
            out_ += "\\tab ";
        } else if (c == '\n') {
            out_ += "\\line ";
        } else if (c >= 0x20) {
            WriteCodePoint(c, unicode_skip);
        }
        // other control characters are not text in RTF
    }
}

void RtfWriter::WriteCodePoint(char32_t c, int& unicode_skip) {
    if (c < 0x80) {
        if (c == '\\' || c == '{' || c == '}') {
            out_ += '\\';
        }
        out_ += static_cast<char>(c);
        return;
    }
    if (c > 0xFFFF) {
        // RTF counts in UTF-16 units: a surrogate pair, the fallback after the second half.
        char32_t v = c - 0x10000;
        WriteUnicode(0xD800 + (v >> 10), "", unicode_skip);
        WriteUnicode(0xDC00 + (v & 0x3FF), "?", unicode_skip);
        return;
    }
    WriteUnicode(c, Fallback(c), unicode_skip);
}

void RtfWriter::WriteUnicode(char32_t unit, std::string_view fallback, int& unicode_skip) {
    if (static_cast<int>(fallback.size()) != unicode_skip) {
        unicode_skip = static_cast<int>(fallback.size());
        out_ += "\\uc" + std::to_string(unicode_skip);
    }
    // The parameter is a signed 16-bit number.
    int value = unit > 0x7FFF ? static_cast<int>(unit) - 0x10000 : static_cast<int>(unit);
    out_ += "\\u" + std::to_string(value);
    if (fallback == "?") {
        out_ += '?';
    } else {
        // Escaped, since a digit would join the number and a space would end it.
        WriteHexBytes(fallback);
    }
    if (fallback.empty()) {
        out_ += ' ';  // ends the number when text follows directly
    }
}

bool RtfWriter::IsExactInShiftJis(char32_t code_point) {
    const std::string& bytes = Fallback(code_point);
    if (bytes == "?") {
        return false;
    }
    std::string back;
    code_pages_.Decode(bytes, kRtfJapaneseCodePage, back);
    size_t pos = 0;
    return NextCodePoint(back, pos) == code_point && pos == back.size();
}

void RtfWriter::WriteHexBytes(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    for (char byte : bytes) {
        auto b = static_cast<unsigned char>(byte);
        out_ += "\\'";
        out_ += kHex[b >> 4];
        out_ += kHex[b & 0xF];
    }
}

const std::string& RtfWriter::Fallback(char32_t code_point) {
    auto found = fallbacks_.find(code_point);
    if (found == fallbacks_.end()) {
        std::string utf8;
        AppendUtf8(utf8, code_point);
        std::string bytes = code_pages_.Encode(utf8, kRtfJapaneseCodePage);
        found = fallbacks_.emplace(code_point, bytes.empty() ? std::string("?") : bytes).first;
    }
    return found->second;
}

}  // namespace

std::string WriteRtf(const RtfDocument& document) {
    return RtfWriter().Write(document);
}

}  // namespace folix
