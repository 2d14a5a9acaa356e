#include "rtf/rtf_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "rtf/rtf_plain_text.h"
#include "rtf/rtf_reader.h"
#include "support/temp_folder.h"

namespace folix {
namespace {

RtfCharFormat Plain() {
    return RtfCharFormat{};
}

RtfParagraph Paragraph(std::vector<RtfRun> runs, RtfAlignment alignment = RtfAlignment::kLeft) {
    return RtfParagraph{std::move(runs), alignment};
}

RtfRun TextRun(std::string text, RtfCharFormat format = Plain()) {
    return RtfRun{std::move(text), std::move(format), nullptr};
}

// A document with everything the model holds, and the characters that are hard to write.
RtfDocument EveryKindOfContent() {
    RtfCharFormat heading;
    heading.bold = true;
    heading.font = "ＭＳ 明朝";
    heading.half_points = 32;
    RtfCharFormat marked;
    marked.italic = true;
    marked.underline = true;
    marked.strike_out = true;
    marked.font = "Noto Serif CJK JP";
    marked.color = RtfColor{200, 10, 0};
    RtfCharFormat odd_font;
    odd_font.font = "A;B{\\}¥ 游明朝";
    odd_font.color = RtfColor{0, 0, 0};

    RtfPicture picture;
    picture.data = std::string("\x89PNG\r\n\x1a\n\0\x01{}\\", 14);
    picture.width = 640;
    picture.height = 480;
    picture.goal_width = 1440;
    picture.goal_height = 1080;
    RtfPicture photo;
    photo.format = RtfPicture::Format::kJpeg;
    photo.data = "\xFF\xD8\xFF\xE0";

    RtfDocument document;
    document.paragraphs = {
        Paragraph({TextRun("第一章　吾輩は猫である", heading)}, RtfAlignment::kCenter),
        Paragraph({}),
        Paragraph({TextRun("名前はまだ無い。1匹 2匹、～〜¥\\{}「」ｱｲｳ "), TextRun("強調", marked),
                   TextRun("😀é€\u00A0\u00AD end\tcell" + std::string(kRtfLineBreak) + "next")}),
        Paragraph(
            {TextRun("絵:"), RtfRun{"", Plain(), std::make_shared<RtfPicture>(picture)},
             RtfRun{"", marked, std::make_shared<RtfPicture>(photo)}, TextRun("後", odd_font)},
            RtfAlignment::kJustify),
        Paragraph({TextRun("右", marked)}, RtfAlignment::kRight),
        Paragraph({}),
    };
    return document;
}

TEST(RtfWriter, ModelToRtfToModelIsTheIdentity) {
    RtfDocument document = EveryKindOfContent();
    std::string rtf = WriteRtf(document);
    ASSERT_EQ(rtf.substr(0, 5), "{\\rtf");  // what makes the book treat the file as rich text
    RtfReadResult back = ReadRtf(rtf);
    EXPECT_TRUE(back.KeepsEverything());
    EXPECT_EQ(back.document, document);
    EXPECT_EQ(ReadRtf(WriteRtf(RtfDocument{})).document, RtfDocument{});
}

// A reader that knows no \u (or drops it) still gets the Japanese text through the fallbacks.
TEST(RtfWriter, ShiftJisFallbackCarriesTheTextWithoutUnicode) {
    RtfDocument document;
    document.paragraphs = {Paragraph({TextRun("吾輩は猫である。ｱ1 é")})};
    std::string rtf = WriteRtf(document);
    EXPECT_NE(rtf.find("\\ansicpg932"), std::string::npos);
    std::string without_unicode = std::regex_replace(rtf, std::regex(R"(\\u-?[0-9]+ ?)"), "");
    EXPECT_EQ(RtfPlainText(without_unicode), "吾輩は猫である。ｱ1 ?");
}

TEST(RtfWriter, CorpusFilesKeepTextAndFormatThroughASave) {
    FOLIX_SKIP_WITHOUT_CORPUS();
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(testing::CorpusPath("rtf"))) {
        if (entry.path().extension() != ".rtf") {
            continue;
        }
        SCOPED_TRACE(entry.path().filename().string());
        ++files;
        RtfDocument read = ReadRtf(testing::ReadBytes(entry.path().string())).document;
        RtfDocument saved = ReadRtf(WriteRtf(read)).document;
        EXPECT_EQ(RtfPlainText(saved), RtfPlainText(read));
        EXPECT_EQ(saved, read);
    }
    EXPECT_GE(files, 11);
}

}  // namespace
}  // namespace folix
