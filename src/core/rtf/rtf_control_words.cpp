#include "rtf/rtf_control_words.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

#include "rtf/rtf_document.h"

namespace folix {

namespace {

const std::unordered_map<std::string_view, RtfDestinationWord>& DestinationWords() {
    static const std::unordered_map<std::string_view, RtfDestinationWord> words = {
        {"fonttbl", {RtfDestination::kFontTable, nullptr}},
        {"colortbl", {RtfDestination::kColorTable, nullptr}},
        // Tables, metadata and alternatives that carry nothing of the text. Most are marked
        // ignorable in the files, but some writers leave the mark off.
        {"stylesheet", {RtfDestination::kSkip, nullptr}},
        {"info", {RtfDestination::kSkip, nullptr}},
        {"generator", {RtfDestination::kSkip, nullptr}},
        {"fldinst", {RtfDestination::kSkip, nullptr}},
        {"nonshppict", {RtfDestination::kSkip, nullptr}},
        {"nonesttables", {RtfDestination::kSkip, nullptr}},  // flat copy of nested tables we read
        {"pn", {RtfDestination::kSkip, nullptr}},
        {"pntxta", {RtfDestination::kSkip, nullptr}},
        {"pntxtb", {RtfDestination::kSkip, nullptr}},
        {"listtable", {RtfDestination::kSkip, nullptr}},
        {"listoverridetable", {RtfDestination::kSkip, nullptr}},
        {"revtbl", {RtfDestination::kSkip, nullptr}},
        {"rsidtbl", {RtfDestination::kSkip, nullptr}},
        {"xmlnstbl", {RtfDestination::kSkip, nullptr}},
        {"themedata", {RtfDestination::kSkip, nullptr}},
        {"colorschememapping", {RtfDestination::kSkip, nullptr}},
        {"datastore", {RtfDestination::kSkip, nullptr}},
        {"latentstyles", {RtfDestination::kSkip, nullptr}},
        {"pgdsctbl", {RtfDestination::kSkip, nullptr}},
        {"mmathPr", {RtfDestination::kSkip, nullptr}},
        {"filetbl", {RtfDestination::kSkip, nullptr}},
        {"falt", {RtfDestination::kSkip, nullptr}},
        {"panose", {RtfDestination::kSkip, nullptr}},
        {"bkmkstart", {RtfDestination::kSkip, nullptr}},
        {"bkmkend", {RtfDestination::kSkip, nullptr}},
        {"xe", {RtfDestination::kSkip, nullptr}},
        {"tc", {RtfDestination::kSkip, nullptr}},
        {"tcn", {RtfDestination::kSkip, nullptr}},
        {"template", {RtfDestination::kSkip, nullptr}},
        {"userprops", {RtfDestination::kSkip, nullptr}},
        {"docvar", {RtfDestination::kSkip, nullptr}},
        {"private", {RtfDestination::kSkip, nullptr}},
        {"background", {RtfDestination::kSkip, nullptr}},
        {"ftnsep", {RtfDestination::kSkip, nullptr}},
        {"ftnsepc", {RtfDestination::kSkip, nullptr}},
        {"ftncn", {RtfDestination::kSkip, nullptr}},
        {"aftnsep", {RtfDestination::kSkip, nullptr}},
        {"aftnsepc", {RtfDestination::kSkip, nullptr}},
        {"aftncn", {RtfDestination::kSkip, nullptr}},
        {"atnid", {RtfDestination::kSkip, nullptr}},
        {"atnauthor", {RtfDestination::kSkip, nullptr}},
        {"atndate", {RtfDestination::kSkip, nullptr}},
        {"atnref", {RtfDestination::kSkip, nullptr}},
        // Content of the file that the document has no place for.
        {"object", {RtfDestination::kSkip, "object"}},
        {"shp", {RtfDestination::kSkip, "shape"}},
        {"shpgrp", {RtfDestination::kSkip, "shape"}},
        {"do", {RtfDestination::kSkip, "shape"}},
        {"footnote", {RtfDestination::kSkip, "footnote"}},
        {"annotation", {RtfDestination::kSkip, "comment"}},
        {"header", {RtfDestination::kSkip, "header"}},
        {"headerl", {RtfDestination::kSkip, "header"}},
        {"headerr", {RtfDestination::kSkip, "header"}},
        {"headerf", {RtfDestination::kSkip, "header"}},
        {"footer", {RtfDestination::kSkip, "footer"}},
        {"footerl", {RtfDestination::kSkip, "footer"}},
        {"footerr", {RtfDestination::kSkip, "footer"}},
        {"footerf", {RtfDestination::kSkip, "footer"}},
        // Groups whose text is the text of the document.
        {"shppict", {RtfDestination::kBody, nullptr}},
        {"fldrslt", {RtfDestination::kBody, nullptr}},
        {"listtext", {RtfDestination::kBody, nullptr}},
        {"pntext", {RtfDestination::kBody, nullptr}},
    };
    return words;
}

const std::unordered_map<std::string_view, std::string_view>& CharacterWords() {
    static const std::unordered_map<std::string_view, std::string_view> words = {
        {"tab", "\t"},         {"line", kRtfLineBreak}, {"lquote", "\u2018"},
        {"rquote", "\u2019"},  {"ldblquote", "\u201C"}, {"rdblquote", "\u201D"},
        {"bullet", "\u2022"},  {"endash", "\u2013"},    {"emdash", "\u2014"},
        {"enspace", "\u2002"}, {"emspace", "\u2003"},   {"qmspace", "\u2005"},
        {"zwj", "\u200D"},     {"zwnj", "\u200C"},      {"zwbo", "\u200B"},
        {"ltrmark", "\u200E"}, {"rtlmark", "\u200F"},
    };
    return words;
}

}  // namespace

bool IsRtfUnderlineWord(std::string_view name) {
    static const std::string_view kWords[] = {
        "ul",         "uld",       "uldash",     "uldashd", "uldashdd", "uldb",
        "ulhwave",    "ulldash",   "ulth",       "ulthd",   "ulthdash", "ulthdashd",
        "ulthdashdd", "ulthldash", "ululdbwave", "ulw",     "ulwave",
    };
    return std::find(std::begin(kWords), std::end(kWords), name) != std::end(kWords);
}

const RtfDestinationWord* FindRtfDestinationWord(std::string_view name) {
    auto found = DestinationWords().find(name);
    return found == DestinationWords().end() ? nullptr : &found->second;
}

std::string_view RtfCharacterWord(std::string_view name) {
    auto found = CharacterWords().find(name);
    return found == CharacterWords().end() ? std::string_view() : found->second;
}

}  // namespace folix
