#include "rtf/rtf_reader.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <utility>

#include "book/text_encoding.h"
#include "rtf/rtf_code_page.h"
#include "rtf/rtf_control_words.h"
#include "rtf/rtf_tokenizer.h"

namespace folix {

namespace {

// Deeper groups are followed no further: their formatting merges into the group at this depth
// and the file is reported as holding what we cannot keep. Real files stay far below it.
constexpr size_t kMaxGroupDepth = 1000;

// A \ucN beyond this is nonsense; the count is only how many fallback characters follow \u.
constexpr int kMaxUnicodeSkip = 16;

// A size in twips times a percentage, kept within what the writer can give back.
int Scaled(int twips, int percent) {
    int64_t scaled = int64_t{twips} * percent / 100;
    return static_cast<int>(std::clamp<int64_t>(scaled, 0, std::numeric_limits<int32_t>::max()));
}

bool IsByte(const RtfToken& token) {
    switch (token.type) {
        case RtfToken::Type::kHexByte:
        case RtfToken::Type::kText:
            return true;
        case RtfToken::Type::kControlSymbol:
            return token.name == "\\" || token.name == "{" || token.name == "}";
        default:
            return false;
    }
}

struct GroupState {
    RtfDestination destination = RtfDestination::kBody;
    // Inside \upr: the ANSI text is dropped and its \ud part read into this destination.
    bool in_upr = false;
    RtfDestination upr_destination = RtfDestination::kBody;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike_out = false;
    int font = -1;  // -1: the document's default font
    int half_points = 0;
    int color = 0;  // index into the colour table; 0 is "auto" in nearly every file
    int unicode_skip = 1;
    RtfAlignment alignment = RtfAlignment::kLeft;
    // The text that follows \dbch is double-byte (Japanese) text, and writers give it its own
    // font, size, bold and italic with \af, \afs, \ab and \ai ("associated" properties, -1 or 0
    // where none was given). Right-to-left text has such properties too; we have none of it.
    bool double_byte = false;
    bool right_to_left = false;
    int double_byte_font = -1;
    int double_byte_half_points = 0;
    int double_byte_bold = -1;
    int double_byte_italic = -1;

    bool UsesDoubleByteFormat() const { return double_byte && !right_to_left; }

    void ResetCharacterFormat() {
        bold = italic = underline = strike_out = false;
        font = -1;
        half_points = 0;
        color = 0;
        double_byte = right_to_left = false;
        double_byte_font = -1;
        double_byte_half_points = 0;
        double_byte_bold = double_byte_italic = -1;
    }
};

struct Font {
    std::string name;              // decoded so far
    std::string bytes;             // name bytes not yet decoded
    int code_page = 0;             // 0: the document's
    bool code_page_fixed = false;  // \cpg said it outright
    bool name_done = false;        // its ';' was read
};

struct PictureInProgress {
    size_t depth = 0;  // the group that holds \pict
    std::optional<RtfPicture::Format> format;
    RtfPicture picture;
    int scale_x = 100;
    int scale_y = 100;
    int high_nibble = -1;
};

class RtfReader {
public:
    explicit RtfReader(std::string_view bytes) : tokenizer_(bytes) {}

    RtfReadResult Read();

private:
    GroupState& state() { return stack_.back(); }
    RtfParagraph& paragraph() { return result_.document.paragraphs.back(); }

    void OpenGroup();
    void CloseGroup();
    void HandleWord(const RtfToken& token, bool ignorable);
    bool HandleDestinationWord(std::string_view name, bool ignorable);
    void HandleBodyWord(std::string_view name, bool has_parameter, int parameter);
    void HandleSymbol(char symbol);
    void HandleText(std::string_view text);
    void HandleByte(uint8_t byte);
    void HandleUnicode(int value);

    void BeginContent();
    void FlushBytes();
    void EmitText(std::string_view utf8);
    void EmitCodePoint(char32_t code_point);
    void EndParagraph();
    void FinishPicture();
    void Finish();
    void Unkept(const char* what);

    RtfCharFormat CurrentFormat();
    int CurrentCodePage();
    Font* FindFont(int index);
    int TextFont();
    std::string FontName(int index);
    void FinishFontName(Font& font);

    RtfTokenizer tokenizer_;
    RtfReadResult result_;
    RtfCodePages code_pages_;
    std::vector<GroupState> stack_{1};  // the bottom state is outside every group
    size_t overflow_ = 0;               // groups opened beyond kMaxGroupDepth, still open
    bool ended_ = false;
    bool ignorable_next_ = false;
    int skip_ = 0;  // fallback characters still to drop after \u
    char32_t high_surrogate_ = 0;
    bool cell_pending_ = false;  // a cell ended; a tab goes before the row's next content

    int document_code_page_ = kRtfDefaultCodePage;
    int default_font_ = -1;
    std::map<int, Font> fonts_;
    Font* defining_font_ = nullptr;
    std::vector<std::optional<RtfColor>> colors_;
    RtfColor color_in_progress_;
    bool color_given_ = false;

    std::string pending_bytes_;  // body bytes waiting to be decoded together
    int pending_code_page_ = 0;
    std::optional<PictureInProgress> picture_;
};

RtfReadResult RtfReader::Read() {
    while (!ended_) {
        RtfToken token = tokenizer_.Next();
        bool ignorable = std::exchange(ignorable_next_, false);
        if (!IsByte(token)) {
            // Bytes are decoded together so that a double-byte character written as two \'hh
            // escapes, or as an escape and a letter or an escaped backslash, stays one character.
            FlushBytes();
        }
        switch (token.type) {
            case RtfToken::Type::kEnd:
                ended_ = true;
                break;
            case RtfToken::Type::kGroupOpen:
                skip_ = 0;
                OpenGroup();
                break;
            case RtfToken::Type::kGroupClose:
                skip_ = 0;
                CloseGroup();
                break;
            case RtfToken::Type::kControlWord:
                HandleWord(token, ignorable);
                break;
            case RtfToken::Type::kControlSymbol:
                HandleSymbol(token.name[0]);
                break;
            case RtfToken::Type::kHexByte:
                HandleByte(token.byte);
                break;
            case RtfToken::Type::kText:
                HandleText(token.text);
                break;
            case RtfToken::Type::kBinary:
                if (skip_ > 0) {
                    --skip_;
                } else if (picture_ && state().destination == RtfDestination::kPicture) {
                    picture_->picture.data.append(token.text);
                }
                break;
        }
    }
    Finish();
    return std::move(result_);
}

void RtfReader::OpenGroup() {
    if (stack_.size() > kMaxGroupDepth) {
        if (state().destination != RtfDestination::kSkip) {
            Unkept("nesting");
        }
        ++overflow_;
        return;
    }
    stack_.push_back(stack_.back());
}

void RtfReader::CloseGroup() {
    if (overflow_ > 0) {
        --overflow_;
        return;
    }
    if (picture_ && picture_->depth == stack_.size() - 1) {
        FinishPicture();
    }
    if (state().destination == RtfDestination::kFontTable && defining_font_) {
        FinishFontName(*defining_font_);
        defining_font_ = nullptr;
    }
    if (stack_.size() <= 2) {
        // The document's own group ends, or a stray brace: the state stays as it was, and
        // anything after it is read on, as text that a save must not drop.
        return;
    }
    stack_.pop_back();
}

void RtfReader::HandleWord(const RtfToken& token, bool ignorable) {
    std::string_view name = token.name;
    int parameter = token.parameter;
    GroupState& group = state();

    if (name == "ud" && group.in_upr) {
        group.in_upr = false;
        group.destination = group.upr_destination;
        return;
    }
    if (group.destination == RtfDestination::kSkip) {
        return;
    }
    if (name == "uc") {
        group.unicode_skip = std::clamp(parameter, 0, kMaxUnicodeSkip);
        return;
    }
    if (name == "u") {
        HandleUnicode(parameter);
        return;
    }
    if (skip_ > 0 && !RtfCharacterWord(name).empty()) {
        --skip_;  // a fallback written as a control word
        return;
    }
    skip_ = 0;
    if (HandleDestinationWord(name, ignorable)) {
        return;
    }

    switch (group.destination) {
        case RtfDestination::kFontTable:
            if (name == "f") {
                if (defining_font_) {
                    FinishFontName(*defining_font_);
                }
                defining_font_ = &(fonts_[parameter] = Font{});
            } else if (defining_font_ && name == "fcharset" && !defining_font_->code_page_fixed) {
                defining_font_->code_page = CodePageOfCharset(parameter);
            } else if (defining_font_ && name == "cpg" && parameter > 0) {
                defining_font_->code_page = parameter;
                defining_font_->code_page_fixed = true;
            }
            return;
        case RtfDestination::kColorTable:
            if (name == "red" || name == "green" || name == "blue") {
                auto value = static_cast<uint8_t>(std::clamp(parameter, 0, 255));
                (name == "red"     ? color_in_progress_.red
                 : name == "green" ? color_in_progress_.green
                                   : color_in_progress_.blue) = value;
                color_given_ = true;
            }
            return;
        case RtfDestination::kPicture:
            if (!picture_) {
                return;
            }
            if (name == "pngblip") {
                picture_->format = RtfPicture::Format::kPng;
            } else if (name == "jpegblip") {
                picture_->format = RtfPicture::Format::kJpeg;
            } else if (name == "emfblip" || name == "wmetafile" || name == "macpict" ||
                       name == "pmmetafile" || name == "dibitmap" || name == "wbitmap") {
                picture_->format.reset();
            } else if (name == "picw") {
                picture_->picture.width = parameter;
            } else if (name == "pich") {
                picture_->picture.height = parameter;
            } else if (name == "picwgoal") {
                picture_->picture.goal_width = parameter;
            } else if (name == "pichgoal") {
                picture_->picture.goal_height = parameter;
            } else if (name == "picscalex" && parameter > 0) {
                picture_->scale_x = parameter;
            } else if (name == "picscaley" && parameter > 0) {
                picture_->scale_y = parameter;
            }
            return;
        case RtfDestination::kBody:
            HandleBodyWord(name, token.has_parameter, parameter);
            return;
        case RtfDestination::kSkip:
            return;
    }
}

// Returns true when the word named a destination (or was an unknown ignorable one).
bool RtfReader::HandleDestinationWord(std::string_view name, bool ignorable) {
    GroupState& group = state();
    if (name == "upr") {
        group.in_upr = true;
        group.upr_destination = group.destination;
        group.destination = RtfDestination::kSkip;
        return true;
    }
    if (name == "pict") {
        if (group.destination == RtfDestination::kBody) {
            picture_ = PictureInProgress{};
            picture_->depth = stack_.size() - 1;
            group.destination = RtfDestination::kPicture;
        } else {
            group.destination = RtfDestination::kSkip;
        }
        return true;
    }
    if (name == "field") {
        // The result's text is read as ours; the instruction behind it (a link, a page number)
        // would be lost.
        if (group.destination == RtfDestination::kBody) {
            Unkept("field");
        }
        return true;
    }
    const RtfDestinationWord* found = FindRtfDestinationWord(name);
    if (!found) {
        if (ignorable) {
            group.destination = RtfDestination::kSkip;
            return true;
        }
        return false;
    }
    if (group.destination != RtfDestination::kBody) {
        // Inside a table or a picture only dropping makes sense: text reaching the document
        // from there, or a picture inside a picture, would be nonsense.
        group.destination = RtfDestination::kSkip;
        return true;
    }
    if (found->unkept) {
        Unkept(found->unkept);
    }
    group.destination = found->destination;
    if (group.destination == RtfDestination::kColorTable) {
        colors_.clear();
        color_in_progress_ = RtfColor{};
        color_given_ = false;
    }
    return true;
}

void RtfReader::HandleBodyWord(std::string_view name, bool has_parameter, int parameter) {
    GroupState& group = state();
    bool on = !has_parameter || parameter != 0;
    if (std::string_view character = RtfCharacterWord(name); !character.empty()) {
        EmitText(character);
    } else if (name == "par") {
        EndParagraph();
    } else if (name == "sect" || name == "page") {
        // Writers put these next to a paragraph mark; only text before them makes a paragraph.
        if (!paragraph().runs.empty()) {
            EndParagraph();
        }
    } else if (name == "cell" || name == "nestcell") {
        BeginContent();
        cell_pending_ = true;
    } else if (name == "row" || name == "nestrow") {
        cell_pending_ = false;
        EndParagraph();
    } else if (name == "plain") {
        group.ResetCharacterFormat();
    } else if (name == "b") {
        group.bold = on;
    } else if (name == "i") {
        group.italic = on;
    } else if (IsRtfUnderlineWord(name)) {
        group.underline = on;
    } else if (name == "ulnone") {
        group.underline = false;
    } else if (name == "strike" || name == "striked") {
        group.strike_out = on;
    } else if (name == "f") {
        group.font = parameter;
    } else if (name == "fs") {
        group.half_points = has_parameter && parameter > 0 ? parameter : 0;
    } else if (name == "cf") {
        group.color = std::max(parameter, 0);
    } else if (name == "pard") {
        group.alignment = RtfAlignment::kLeft;
    } else if (name == "ql") {
        group.alignment = RtfAlignment::kLeft;
    } else if (name == "qc") {
        group.alignment = RtfAlignment::kCenter;
    } else if (name == "qr") {
        group.alignment = RtfAlignment::kRight;
    } else if (name == "qj" || name == "qd") {
        group.alignment = RtfAlignment::kJustify;
    } else if (name == "ansicpg") {
        if (parameter > 0) {
            document_code_page_ = parameter;
        }
    } else if (name == "ansi") {
        document_code_page_ = kRtfDefaultCodePage;
    } else if (name == "mac") {
        document_code_page_ = 10000;
    } else if (name == "pc") {
        document_code_page_ = 437;
    } else if (name == "pca") {
        document_code_page_ = 850;
    } else if (name == "deff") {
        default_font_ = parameter;
    } else if (name == "dbch") {
        group.double_byte = true;
    } else if (name == "loch" || name == "hich") {
        group.double_byte = false;
    } else if (name == "rtlch") {
        group.right_to_left = true;
    } else if (name == "ltrch") {
        group.right_to_left = false;
    } else if (group.UsesDoubleByteFormat()) {
        if (name == "af") {
            group.double_byte_font = parameter;
        } else if (name == "afs") {
            group.double_byte_half_points = has_parameter && parameter > 0 ? parameter : 0;
        } else if (name == "ab") {
            group.double_byte_bold = on ? 1 : 0;
        } else if (name == "ai") {
            group.double_byte_italic = on ? 1 : 0;
        }
    }
}

void RtfReader::HandleSymbol(char symbol) {
    if (symbol == '*') {
        ignorable_next_ = true;
        return;
    }
    if (state().destination == RtfDestination::kSkip) {
        return;
    }
    if (symbol == '\\' || symbol == '{' || symbol == '}') {
        HandleByte(static_cast<uint8_t>(symbol));
        return;
    }
    if (skip_ > 0 && (symbol == '~' || symbol == '-' || symbol == '_')) {
        --skip_;
        return;
    }
    skip_ = 0;
    if (state().destination != RtfDestination::kBody) {
        return;
    }
    switch (symbol) {
        case '~':
            EmitText("\u00A0");
            break;
        case '-':
            EmitText("\u00AD");
            break;
        case '_':
            EmitText("\u2011");
            break;
        case '\n':
        case '\r':
            EndParagraph();  // a backslash before a line end is a paragraph mark
            break;
        default:
            break;  // index and formula marks carry no text of their own
    }
}

void RtfReader::HandleText(std::string_view text) {
    while (skip_ > 0 && !text.empty()) {
        text.remove_prefix(1);
        --skip_;
    }
    if (text.empty()) {
        return;
    }
    switch (state().destination) {
        case RtfDestination::kBody:
            for (char c : text) {
                HandleByte(static_cast<uint8_t>(c));
            }
            return;
        case RtfDestination::kFontTable:
            for (char c : text) {
                if (!defining_font_ || defining_font_->name_done) {
                    continue;
                }
                if (c == ';') {
                    FinishFontName(*defining_font_);
                    defining_font_->name_done = true;
                } else {
                    defining_font_->bytes += c;
                }
            }
            return;
        case RtfDestination::kColorTable:
            for (char c : text) {
                if (c == ';') {
                    colors_.push_back(color_given_ ? std::optional(color_in_progress_)
                                                   : std::nullopt);
                    color_in_progress_ = RtfColor{};
                    color_given_ = false;
                }
            }
            return;
        case RtfDestination::kPicture:
            if (!picture_) {
                return;
            }
            for (char c : text) {
                int value = c >= '0' && c <= '9'   ? c - '0'
                            : c >= 'a' && c <= 'f' ? c - 'a' + 10
                            : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                   : -1;
                if (value < 0) {
                    continue;
                }
                if (picture_->high_nibble < 0) {
                    picture_->high_nibble = value;
                } else {
                    picture_->picture.data += static_cast<char>(picture_->high_nibble * 16 + value);
                    picture_->high_nibble = -1;
                }
            }
            return;
        case RtfDestination::kSkip:
            return;
    }
}

void RtfReader::HandleByte(uint8_t byte) {
    if (skip_ > 0) {
        --skip_;
        return;
    }
    switch (state().destination) {
        case RtfDestination::kBody:
            // Control characters other than the tab are not text in RTF.
            if (byte < 0x20 && byte != '\t') {
                return;
            }
            if (pending_bytes_.empty()) {
                pending_code_page_ = CurrentCodePage();
            }
            pending_bytes_ += static_cast<char>(byte);
            return;
        case RtfDestination::kFontTable:
            if (defining_font_ && !defining_font_->name_done) {
                defining_font_->bytes += static_cast<char>(byte);
            }
            return;
        default:
            return;
    }
}

void RtfReader::HandleUnicode(int value) {
    skip_ = state().unicode_skip;
    // Code points above U+7FFF are written as negative 16-bit numbers.
    char32_t code = value < 0 ? static_cast<char32_t>(value + 65536) : static_cast<char32_t>(value);
    if (value < -32768) {
        code = 0xFFFD;
    }
    if (code >= 0xD800 && code <= 0xDBFF) {
        if (high_surrogate_) {
            EmitCodePoint(0xFFFD);
        }
        high_surrogate_ = code;
        return;
    }
    if (code >= 0xDC00 && code <= 0xDFFF) {
        if (high_surrogate_) {
            code = 0x10000 + ((high_surrogate_ - 0xD800) << 10) + (code - 0xDC00);
            high_surrogate_ = 0;
        } else {
            code = 0xFFFD;
        }
    }
    if (code > 0x10FFFF) {
        code = 0xFFFD;
    }
    EmitCodePoint(code);
}

void RtfReader::EmitCodePoint(char32_t code_point) {
    if (code_point < 0x20 && code_point != '\t') {
        return;
    }
    std::string utf8;
    AppendUtf8(utf8, code_point);
    if (state().destination == RtfDestination::kFontTable) {
        if (defining_font_ && !defining_font_->name_done) {
            FinishFontName(*defining_font_);
            defining_font_->name += utf8;
        }
        return;
    }
    EmitText(utf8);
}

// Text is about to join the paragraph: what was held back goes first.
void RtfReader::BeginContent() {
    if (high_surrogate_) {
        high_surrogate_ = 0;
        AppendText(paragraph(), "\uFFFD", CurrentFormat());
    }
    if (cell_pending_) {
        cell_pending_ = false;
        AppendText(paragraph(), "\t", CurrentFormat());
    }
}

void RtfReader::FlushBytes() {
    if (pending_bytes_.empty()) {
        return;
    }
    std::string utf8;
    code_pages_.Decode(pending_bytes_, pending_code_page_, utf8);
    pending_bytes_.clear();
    // A code page may give control characters for printable bytes (EBCDIC does); they are no
    // more text than the bytes themselves would be.
    std::erase_if(utf8, [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; });
    BeginContent();
    AppendText(paragraph(), utf8, CurrentFormat());
}

void RtfReader::EmitText(std::string_view utf8) {
    if (state().destination != RtfDestination::kBody) {
        return;
    }
    BeginContent();
    AppendText(paragraph(), utf8, CurrentFormat());
}

void RtfReader::EndParagraph() {
    high_surrogate_ = 0;
    cell_pending_ = false;
    paragraph().alignment = state().alignment;
    result_.document.paragraphs.emplace_back();
}

void RtfReader::FinishPicture() {
    PictureInProgress done = std::move(*picture_);
    picture_.reset();
    if (!done.format || done.picture.data.empty()) {
        Unkept("picture");
        return;
    }
    RtfPicture picture = std::move(done.picture);
    picture.format = *done.format;
    picture.width = std::max(picture.width, 0);
    picture.height = std::max(picture.height, 0);
    picture.goal_width = Scaled(picture.goal_width, done.scale_x);
    picture.goal_height = Scaled(picture.goal_height, done.scale_y);
    // The picture's own group is about to close; it sits in the text around it.
    stack_[done.depth].destination = RtfDestination::kBody;
    BeginContent();
    AppendPicture(paragraph(), std::move(picture), CurrentFormat());
}

void RtfReader::Finish() {
    FlushBytes();
    if (picture_) {
        FinishPicture();  // a file cut off inside a picture keeps what arrived
    }
    paragraph().alignment = state().alignment;
}

void RtfReader::Unkept(const char* what) {
    std::vector<std::string>& unkept = result_.unkept;
    if (std::find(unkept.begin(), unkept.end(), what) == unkept.end()) {
        unkept.emplace_back(what);
    }
}

Font* RtfReader::FindFont(int index) {
    auto found = fonts_.find(index < 0 ? default_font_ : index);
    return found == fonts_.end() ? nullptr : &found->second;
}

// The font of the text that follows: a double-byte font the table lacks (some writers name
// one) leaves the text in the font it is in.
int RtfReader::TextFont() {
    const GroupState& group = state();
    if (group.UsesDoubleByteFormat() && group.double_byte_font >= 0 &&
        fonts_.count(group.double_byte_font)) {
        return group.double_byte_font;
    }
    return group.font;
}

int RtfReader::CurrentCodePage() {
    Font* font = FindFont(TextFont());
    return font && font->code_page != 0 ? font->code_page : document_code_page_;
}

void RtfReader::FinishFontName(Font& font) {
    if (font.bytes.empty()) {
        return;
    }
    code_pages_.Decode(font.bytes, font.code_page != 0 ? font.code_page : document_code_page_,
                       font.name);
    font.bytes.clear();
}

std::string RtfReader::FontName(int index) {
    Font* font = FindFont(index);
    if (!font) {
        return std::string();
    }
    FinishFontName(*font);
    std::string_view name = font->name;
    while (!name.empty() && name.front() == ' ') {
        name.remove_prefix(1);
    }
    while (!name.empty() && name.back() == ' ') {
        name.remove_suffix(1);
    }
    return std::string(name);
}

RtfCharFormat RtfReader::CurrentFormat() {
    const GroupState& group = state();
    bool double_byte = group.UsesDoubleByteFormat();
    RtfCharFormat format;
    format.bold =
        double_byte && group.double_byte_bold >= 0 ? group.double_byte_bold == 1 : group.bold;
    format.italic =
        double_byte && group.double_byte_italic >= 0 ? group.double_byte_italic == 1 : group.italic;
    format.underline = group.underline;
    format.strike_out = group.strike_out;
    format.font = FontName(TextFont());
    format.half_points = double_byte && group.double_byte_half_points > 0
                             ? group.double_byte_half_points
                             : group.half_points;
    if (group.color >= 0 && static_cast<size_t>(group.color) < colors_.size()) {
        format.color = colors_[static_cast<size_t>(group.color)];
    }
    return format;
}

}  // namespace

RtfReadResult ReadRtf(std::string_view bytes) {
    return RtfReader(bytes).Read();
}

}  // namespace folix
