#include "rtf/rtf_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "rtf/rtf_plain_text.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

std::string TextOf(std::string_view rtf) {
    return RtfPlainText(rtf);
}

std::vector<std::string> Unkept(std::string_view rtf) {
    return ReadRtf(rtf).unkept;
}

TEST(RtfReader, ReadsJapaneseInEverySpellingWritersUse) {
    // Shift_JIS pairs under the document's code page.
    EXPECT_EQ(TextOf(R"({\rtf1\ansi\ansicpg932 \'82\'b1\'82\'f1\'82\'c9\'82\'bf\'82\'cd})"),
              "こんにちは");
    // A trail byte written as a plain letter or as an escaped backslash (表 is 95 5C).
    EXPECT_EQ(TextOf(R"({\rtf1\ansi\ansicpg932 \'83A\'95\\\'8e\'86})"), "ア表紙");
    // A Japanese font in a Western document: its bytes follow the font, the rest the document.
    RtfReadResult mixed = ReadRtf(
        R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0\fswiss Arial;})"
        R"({\f1\fnil\fcharset128 \'82\'6c\'82\'72 \'96\'be\'92\'a9;}}\f0 caf\'e9 \f1 \'93\'fa\'96\'7b})");
    ASSERT_EQ(mixed.document.paragraphs[0].runs.size(), 2u);
    EXPECT_EQ(mixed.document.paragraphs[0].runs[0].text, "café ");
    EXPECT_EQ(mixed.document.paragraphs[0].runs[1].text, "日本");
    EXPECT_EQ(mixed.document.paragraphs[0].runs[1].format.font, "ＭＳ 明朝");
    // \u with a two-byte fallback, a one-byte fallback inside a group, and \uc0.
    EXPECT_EQ(TextOf(R"({\rtf1\uc2\u26085\'93\'fa\u26412\'96\'7b{\uc1\u12450?}\uc0\u12452 x})"),
              "日本アイx");
    // \upr: the ANSI part is an alternative of the \ud part, never both.
    EXPECT_EQ(TextOf(R"({\rtf1\ansi\ansicpg932{\upr{\'93\'fa}{\*\ud{\uc0\u26085}}}})"), "日");
    // Characters beyond the 16-bit range arrive as two halves; a lone half is not dropped silently.
    EXPECT_EQ(TextOf(R"({\rtf1\u-10179?\u-8704?\u-10179?x})"), "😀\uFFFDx");
    // Other CJK code pages that fonts name.
    EXPECT_EQ(
        TextOf(
            R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0\fcharset134 SimSun;}}\f0 \'b2\'e2\'ca\'d4})"),
        "测试");
    EXPECT_EQ(TextOf(R"({\rtf1{\fonttbl{\f0\fcharset129 Gulim;}}\f0 \'c7\'d1})"), "한");
    // A code page that turns a byte into a control character (EBCDIC's 32 is SYN): no text.
    EXPECT_EQ(TextOf(R"({\rtf1\ansi\ansicpg930 \'c1\'32\'c2})"), "AB");
}

TEST(RtfReader, CharacterFormatsFollowGroupsAndPlain) {
    RtfReadResult result =
        ReadRtf(R"({\rtf1{\fonttbl{\f0 Times;}{\f1 Arial;}}{\colortbl;\red255\green0\blue0;})"
                R"(\deff0 a{\b\i\ul\strike\f1\fs28\cf1 b}c\b d\b0 e\ulnone\ul f\ul0\plain\f9 g})");
    const std::vector<RtfRun>& runs = result.document.paragraphs.at(0).runs;
    ASSERT_EQ(runs.size(), 7u);
    EXPECT_EQ(runs[0].text, "a");
    EXPECT_EQ(runs[0].format.font, "Times");  // the default font, named by \deff
    const RtfCharFormat& b = runs[1].format;
    EXPECT_TRUE(b.bold && b.italic && b.underline && b.strike_out);
    EXPECT_EQ(b.font, "Arial");
    EXPECT_EQ(b.half_points, 28);
    EXPECT_EQ(b.color, (RtfColor{255, 0, 0}));
    EXPECT_EQ(runs[2].text, "c");  // the group's end restored everything
    EXPECT_EQ(runs[2].format, runs[0].format);
    EXPECT_TRUE(runs[3].format.bold);
    EXPECT_EQ(runs[4].format, runs[0].format);  // \b0
    EXPECT_EQ(runs[5].text, "f");
    EXPECT_TRUE(runs[5].format.underline);  // \ulnone, then \ul again
    EXPECT_EQ(runs[6].text, "g");
    EXPECT_EQ(runs[6].format, RtfCharFormat{});  // \plain, and a font the table lacks
    EXPECT_TRUE(result.KeepsEverything());
}

// Japanese text after \dbch takes the properties given for double-byte text, as some word
// processors write its bold and size; right-to-left properties and Western text do not.
TEST(RtfReader, DoubleByteTextTakesItsAssociatedFormat) {
    RtfReadResult result =
        ReadRtf(R"({\rtf1{\fonttbl{\f3 Liberation Serif;}{\f5\fcharset128 MS Mincho;}{\f9 Arial;}})"
                R"(\rtlch\af9\afs20\ab \ltrch\f3\fs24\dbch\af5 )"
                R"({\dbch\afs32\ab \uc2\u31532\'91\'e6}{\loch\afs40 A}{\dbch\'8f\'cd\loch B})"
                R"({\dbch\af77 C}})");
    const std::vector<RtfRun>& runs = result.document.paragraphs.at(0).runs;
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].text, "第");
    EXPECT_TRUE(runs[0].format.bold);
    EXPECT_EQ(runs[0].format.half_points, 32);
    EXPECT_EQ(runs[0].format.font, "MS Mincho");
    EXPECT_EQ(runs[1].text, "A");
    EXPECT_FALSE(runs[1].format.bold);
    EXPECT_EQ(runs[1].format.half_points, 24);
    EXPECT_EQ(runs[1].format.font, "Liberation Serif");
    EXPECT_EQ(runs[2].text, "章");  // Shift_JIS from the double-byte font's charset
    EXPECT_EQ(runs[2].format.font, "MS Mincho");
    EXPECT_EQ(runs[3].text, "BC");  // and a double-byte font not in the table changes nothing
    EXPECT_EQ(runs[3].format, runs[1].format);
}

TEST(RtfReader, ParagraphsLinesTabsAndTables) {
    RtfReadResult result = ReadRtf(
        "{\\rtf1\\pard\\qc Title\\par\\pard one\\line two\\tab three\\~\\emdash\\\n"
        "\\trowd\\cellx1\\cellx2\\cellx3 \\intbl x\\cell\\cell z\\cell\\row "
        "\\pard\\qr end\\par}");
    const std::vector<RtfParagraph>& paragraphs = result.document.paragraphs;
    ASSERT_EQ(paragraphs.size(), 5u);
    EXPECT_EQ(paragraphs[0].alignment, RtfAlignment::kCenter);
    EXPECT_EQ(paragraphs[1].alignment, RtfAlignment::kLeft);
    EXPECT_EQ(paragraphs[3].alignment, RtfAlignment::kRight);
    EXPECT_EQ(RtfPlainText(result.document),
              "Title\r\none\r\ntwo\tthree\u00A0\u2014\r\nx\t\tz\r\nend\r\n");
}

TEST(RtfReader, SkipsWhatIsNotTextWithoutLosingTheText) {
    // Ignorable destinations, tables and metadata, including a generator written without its
    // mark, and a field whose result is the text the reader sees.
    std::string rtf =
        R"({\rtf1{\*\unknown secret}{\info{\title t}{\author a}}{\stylesheet{\s1 Normal;}})"
        R"({\generator Writer 1.0;}{\*\ftnsep x}{\pn{\pntxta .}}visible )"
        R"({\*\bkmkstart b}{\listtext 1.\tab}item})";
    EXPECT_EQ(TextOf(rtf), "visible 1.\titem");
    EXPECT_TRUE(ReadRtf(rtf).KeepsEverything());
    EXPECT_EQ(TextOf(R"({\rtf1 see {\field{\*\fldinst HYPERLINK "x"}{\fldrslt here}}.})"),
              "see here.");
}

TEST(RtfReader, ReportsWhatItCannotKeep) {
    EXPECT_EQ(Unkept(R"({\rtf1 a{\object\objemb{\*\objdata 0102}{\result b}}c})"),
              std::vector<std::string>{"object"});
    EXPECT_EQ(Unkept(R"({\rtf1{\pict\wmetafile8\picw10 0102}{\pict\emfblip 01}})"),
              std::vector<std::string>{"picture"});
    EXPECT_EQ(Unkept(R"({\rtf1{\field{\*\fldinst PAGE}{\fldrslt 1}}{\footnote n}{\header h}})"),
              (std::vector<std::string>{"field", "footnote", "header"}));
    EXPECT_EQ(Unkept(R"({\rtf1{\shp{\*\shpinst{\sp{\sn a}{\sv b}}}}{\*\annotation c}})"),
              (std::vector<std::string>{"shape", "comment"}));
    // The usual alternative picture beside a kept one is no loss, and neither is a shape that
    // only fills the page's background.
    EXPECT_TRUE(ReadRtf(R"({\rtf1{\*\shppict{\pict\pngblip 89504e47}}{\nonshppict{\pict)"
                        R"(\wmetafile8 0102}}{\*\background{\shp{\*\shpinst x}}}})")
                    .KeepsEverything());
}

TEST(RtfReader, KeepsPngAndJpegPictures) {
    RtfReadResult result = ReadRtf(
        "{\\rtf1 a{\\*\\shppict{\\pict{\\*\\picprop\\shplid1{\\sp{\\sn x}{\\sv 1}}}"
        "\\picscalex50\\picscaley200\\picw4\\pich2\\picwgoal600\\pichgoal300\\pngblip\n"
        "8950\r\n4e 47}}b{\\b\\pict\\jpegblip\\bin4 \xFF\xD8}{}}c");
    ASSERT_TRUE(result.KeepsEverything());
    const std::vector<RtfRun>& runs = result.document.paragraphs.at(0).runs;
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0].text, "a");
    ASSERT_TRUE(runs[1].picture);
    EXPECT_EQ(runs[1].picture->format, RtfPicture::Format::kPng);
    EXPECT_EQ(runs[1].picture->data, "\x89PNG");
    EXPECT_EQ(runs[1].picture->width, 4);
    EXPECT_EQ(runs[1].picture->goal_width, 300);   // scaled to half
    EXPECT_EQ(runs[1].picture->goal_height, 600);  // scaled to double
    EXPECT_EQ(runs[2].text, "b");
    ASSERT_TRUE(runs[3].picture);  // binary data may hold braces
    EXPECT_EQ(runs[3].picture->format, RtfPicture::Format::kJpeg);
    EXPECT_EQ(runs[3].picture->data, "\xFF\xD8}{");
    EXPECT_TRUE(runs[3].format.bold);
    EXPECT_EQ(runs[4].text, "c");
    EXPECT_EQ(RtfPlainText(result.document), "abc");
}

TEST(RtfReader, DeepNestingIsReadFlatAndReported) {
    const size_t depth = 100000;
    std::string rtf = "{\\rtf1 start";
    for (size_t i = 0; i < depth; ++i) {
        rtf += i % 1000 == 0 ? "{\\b x" : "{";
    }
    for (size_t i = 0; i < depth; ++i) {
        rtf += '}';
    }
    rtf += " end}";
    RtfReadResult result = ReadRtf(rtf);
    std::string text = RtfPlainText(result.document);
    EXPECT_EQ(text, "start" + std::string(100, 'x') + " end");
    EXPECT_EQ(result.unkept, std::vector<std::string>{"nesting"});
    EXPECT_FALSE(result.document.paragraphs[0].runs.back().format.bold);

    // Inside a table of no interest, depth costs nothing and loses nothing.
    std::string skipped =
        "{\\rtf1{\\*\\x" + std::string(depth, '{') + std::string(depth, '}') + "}ok}";
    EXPECT_EQ(TextOf(skipped), "ok");
    EXPECT_TRUE(ReadRtf(skipped).KeepsEverything());
}

TEST(RtfReader, TruncatedFilesReadAsFarAsTheyGo) {
    EXPECT_EQ(TextOf(R"({\rtf1\ansi\ansicpg932 ab\'82)"), "ab\uFFFD");
    EXPECT_EQ(TextOf(R"({\rtf1 ab\)"), "ab");
    EXPECT_EQ(TextOf(R"({\rtf1 ab{\pict\pngblip 8950)").size(), 2u);

    FOLIX_SKIP_WITHOUT_CORPUS();
    std::string rtf = testing::ReadBytes(testing::CorpusPath("rtf/french.rtf"));
    std::string full = TextOf(rtf);
    size_t previous = 0;
    for (size_t length = 0; length <= rtf.size(); ++length) {
        std::string text = TextOf(std::string_view(rtf).substr(0, length));
        // A longer prefix never gives less text (bar a character still being decoded).
        ASSERT_GE(text.size() + 4, previous) << length;
        previous = text.size();
    }
    EXPECT_EQ(previous, full.size());
}

TEST(RtfReader, HostileBytesNeitherCrashNorBlowUp) {
    // Huge \bin lengths, parameters and skip counts take only what the file holds.
    EXPECT_EQ(TextOf("{\\rtf1 a\\bin999999999999 {}\\par}"), "a");
    EXPECT_EQ(TextOf("{\\rtf1 a\\bin-5 b}"), "ab");
    EXPECT_EQ(TextOf("{\\rtf1\\uc2147483647\\u65 bcdef\\par g}"), "A\r\ng");
    EXPECT_EQ(TextOf("{\\rtf1\\uc0\\u99999999999 \\u-99999999999 x}"), "\uFFFD\uFFFDx");
    EXPECT_EQ(TextOf("{\\rtf1 " + std::string(100000, '\\') + "}"), std::string(50000, '\\'));
    EXPECT_EQ(TextOf("{\\rtf1 " + std::string(50000, '}') + "x"), "x");

    std::mt19937 random(20240601);
    const std::string pieces[] = {"{",    "}",         "\\'",   "\\u-",  "\\bin",  "\\pict",
                                  "\\*",  "\\fonttbl", "\\f",   "\\par", "\\cell", "\\upr",
                                  "\\ud", "\\uc3",     "\\'82", "\\row", "8",      " "};
    for (int round = 0; round < 300; ++round) {
        std::string bytes = "{\\rtf1";
        for (int i = 0; i < 400; ++i) {
            if (random() % 2) {
                bytes += pieces[random() % std::size(pieces)];
            } else {
                bytes += static_cast<char>(random() % 256);
            }
        }
        RtfReadResult result = ReadRtf(bytes);
        ASSERT_FALSE(result.document.paragraphs.empty());
        std::string text = RtfPlainText(result.document);
        ASSERT_LE(text.size(), bytes.size() * 4);
    }
}

}  // namespace
}  // namespace folix
