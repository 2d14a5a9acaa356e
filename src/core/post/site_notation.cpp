#include "post/site_notation.h"

#include "book/text_encoding.h"
#include "notation/novel_notation.h"
#include "typeset/line_break_rules.h"

namespace folix {
namespace {

constexpr size_t kNarouMaxRuby = 10;
constexpr char kNarouTooLongMessage[] =
    "ルビか親文字が10文字を超えるため小説家になろうではルビになりません。親文字（ルビ）と書きました"
    "。";
constexpr char kPixivBreaksMessage[] =
    "ルビに「]]」か「>」があるためpixivではルビになりません。親文字（ルビ）と書きました。";

std::string Utf8(char32_t c) {
    return Utf8Of(std::u32string_view(&c, 1));
}

bool IsKanji(char32_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x2FA1F);
}

// Plain text for 小説家になろう, where a kanji followed by （kana） becomes ruby: a bar before
// the parenthesis keeps it as typed.
std::string NarouPlainText(std::string_view text) {
    const std::u32string chars = CodePointsOf(text);
    std::string out;
    for (size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] == U'（' && i > 0 && IsKanji(chars[i - 1])) {
            size_t close = i + 1;
            while (close < chars.size() && IsKana(chars[close])) {
                ++close;
            }
            if (close > i + 1 && close < chars.size() && chars[close] == U'）') {
                out += "｜";
            }
        }
        out += Utf8(chars[i]);
    }
    return out;
}

std::string ParenthesisedRuby(const NotationRun& run) {
    return run.base + "（" + run.ruby + "）";
}

void ConvertRun(const NotationRun& run, PostSite site, SiteLine& line) {
    const bool narou = site == PostSite::kNarou;
    switch (run.kind) {
        case NotationKind::kText:
            line.text += narou ? NarouPlainText(run.base) : run.base;
            return;
        case NotationKind::kRuby:
            if (narou) {
                if (CodePointsOf(run.base).size() > kNarouMaxRuby ||
                    CodePointsOf(run.ruby).size() > kNarouMaxRuby) {
                    line.text += ParenthesisedRuby(run);
                    line.differences.push_back(kNarouTooLongMessage);
                } else {
                    line.text += "｜" + run.base + "《" + run.ruby + "》";
                }
            } else if (run.ruby.find("]]") != std::string::npos ||
                       run.ruby.find('>') != std::string::npos ||
                       run.base.find('>') != std::string::npos) {
                line.text += ParenthesisedRuby(run);
                line.differences.push_back(kPixivBreaksMessage);
            } else {
                line.text += "[[rb:" + run.base + " > " + run.ruby + "]]";
            }
            return;
        case NotationKind::kEmphasis:
            for (const char32_t c : CodePointsOf(run.base)) {
                line.text += narou ? "｜" + Utf8(c) + "《・》" : "[[rb:" + Utf8(c) + " > ・]]";
            }
            return;
    }
}

}  // namespace

std::optional<PostSite> ParsePostSite(std::string_view name) {
    for (PostSite site : {PostSite::kKakuyomu, PostSite::kNarou, PostSite::kPixiv}) {
        if (name == PostSiteName(site)) {
            return site;
        }
    }
    return std::nullopt;
}

std::string_view PostSiteName(PostSite site) {
    switch (site) {
        case PostSite::kKakuyomu:
            return "kakuyomu";
        case PostSite::kNarou:
            return "narou";
        case PostSite::kPixiv:
            return "pixiv";
    }
    return {};
}

SiteLine ConvertLineForSite(std::string_view line, PostSite site) {
    SiteLine converted;
    if (site == PostSite::kKakuyomu) {
        converted.text = line;
        return converted;
    }
    converted.text.reserve(line.size() + line.size() / 4);
    for (const NotationRun& run : ParseNotation(line)) {
        ConvertRun(run, site, converted);
    }
    return converted;
}

std::string PixivChapterLine(std::string_view folder_name) {
    return "[chapter:" + std::string(folder_name) + "]";
}

}  // namespace folix
