#include "book/text_encoding.h"

#include <gtest/gtest.h>

#include "book/system_error.h"
#include "support/scripted_ui.h"

namespace folix {
namespace {

TEST(TextEncoding, DetectsUtf8BomAndCp932) {
    EXPECT_EQ(DecodeText("plain ascii").encoding, TextEncoding::kUtf8);
    EXPECT_EQ(DecodeText("日本語").encoding, TextEncoding::kUtf8);
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF日本語").encoding, TextEncoding::kUtf8Bom);
    DecodedText sjis = DecodeText("\x95\x5c\x8e\x86");  // 表紙: 表 ends in the byte of "\"
    EXPECT_EQ(sjis.encoding, TextEncoding::kCp932);
    EXPECT_EQ(sjis.text, "表紙");
    EXPECT_TRUE(sjis.clean);
}

TEST(TextEncoding, RejectsOverlongAndSurrogateUtf8) {
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));
    EXPECT_FALSE(IsValidUtf8("\xE3\x81"));
    EXPECT_TRUE(IsValidUtf8("\xEF\xBF\xBD"));  // a real U+FFFD is fine
}

// What Windows wrote comes back byte for byte: the wave dash as 81 60, circled digits, half-width
// katakana, the full-width letters of its font names.
TEST(TextEncoding, WindowsBytesRoundTrip) {
    const std::string bytes = "\x81\x60\x87\x40\xcc\xa7\xb2\xd9\x82\x6c\x82\x72 \x82\x6f\x96\xbe\x92\xa9\x95\x5c";
    auto text = DecodeCp932(bytes);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "～①ﾌｧｲﾙＭＳ Ｐ明朝表");
    EXPECT_EQ(EncodeCp932(*text), bytes);
    EXPECT_FALSE(EncodeCp932("한"));
}

TEST(SystemError, CauseCodesKeepTheirPublishedNumbers) {
    EXPECT_EQ(FileErrorCauseFromErrno(ENOENT), FileErrorCause::kFileNotFound);
    EXPECT_EQ(static_cast<int>(FileErrorCauseFromErrno(EACCES)), 5);
    EXPECT_EQ(static_cast<int>(FileErrorCauseFromErrno(ENOSPC)), 13);
    EXPECT_EQ(static_cast<int>(FileErrorCauseFromErrno(ENOTDIR)), 3);
    EXPECT_EQ(static_cast<int>(FileErrorCauseFromErrno(EMFILE)), 4);
}

TEST(SystemError, ShowLastErrorFallsBackToTheCode) {
    testing::ScriptedUi ui;
    ShowLastError(ui, EEXIST);
    ShowLastError(ui, 99999);
    ASSERT_EQ(ui.notices.size(), 2u);
    EXPECT_FALSE(ui.notices[0].empty());
    EXPECT_EQ(ui.notices[0].find("Error Code"), std::string::npos);
    EXPECT_EQ(ui.notices[1], "Error Code = 99999");
}

}  // namespace
}  // namespace folix
