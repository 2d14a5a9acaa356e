#include "book/text_encoding.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "book/system_error.h"
#include "book/utf8_check.h"
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
// The quick check must agree with reading the bytes one character at a time: a malformed byte
// reads as U+FFFD taking one byte, a real U+FFFD takes three. Every string of up to three bytes
// from the edges of the ranges, each behind ASCII runs long enough for the eight-byte skip.
TEST(TextEncoding, ValidUtf8IsWhatReadsWithoutAMalformedByte) {
    // A byte at a time, sixteen (SSSE3) and thirty-two (AVX2) bytes a step.
    constexpr int kSteps[] = {1, 16, 32};
    const unsigned char edges[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0,
                                   0xBF, 0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xE3, 0xEC,
                                   0xED, 0xEE, 0xEF, 0xF0, 0xF3, 0xF4, 0xF5, 0xFF};
    const auto reference = [](std::string_view bytes) {
        for (size_t pos = 0; pos < bytes.size();) {
            const size_t before = pos;
            if (NextCodePoint(bytes, pos) == 0xFFFD && pos - before != 3) {
                return false;
            }
        }
        return true;
    };
    std::vector<std::string> pieces{""};
    for (int length = 1; length <= 3; ++length) {
        std::vector<std::string> longer;
        for (const std::string& piece : pieces) {
            if (piece.size() + 1 == static_cast<size_t>(length)) {
                for (unsigned char byte : edges) {
                    longer.push_back(piece + static_cast<char>(byte));
                }
            }
        }
        pieces.insert(pieces.end(), longer.begin(), longer.end());
    }
    // Four-byte characters and their neighbours, too.
    for (const char* four : {"\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF", "\xF4\x90\x80\x80",
                             "\xF0\x8F\xBF\xBF", "\xF3\xBF\xBF\xBF", "\xEF\xBF\xBD"}) {
        pieces.push_back(four);
    }
    // The check goes sixteen or thirty-two bytes a step: each piece also sits across and at the
    // end of such a step (and of the half of a thirty-two-byte one), behind ASCII and behind
    // three-byte characters.
    const std::string ascii(72, 'a');
    const std::string kana = "あいうえおかきくけこさしすせそ";
    std::vector<std::string> texts;
    for (const std::string& piece : pieces) {
        texts = {piece, "abcdefghij" + piece, piece + "abcdefghij", "日本" + piece + "12345678"};
        for (size_t before : {13, 14, 15, 16, 29, 30, 31, 32, 45, 46, 47, 48, 61, 62, 63, 64}) {
            texts.push_back(ascii.substr(0, before) + piece);
            texts.push_back(ascii.substr(0, before) + piece + ascii);
            texts.push_back(kana.substr(0, before / 3 * 3) + ascii.substr(0, before % 3) + piece +
                            kana);
        }
        for (const std::string& text : texts) {
            ASSERT_EQ(IsValidUtf8(text), reference(text)) << ::testing::PrintToString(text);
            for (int step : kSteps) {
                ASSERT_EQ(IsValidUtf8InSteps(text, step), reference(text))
                    << step << " bytes a step: " << ::testing::PrintToString(text);
            }
        }
    }
    // And whole characters of every length strung together at random, one byte changed.
    std::mt19937 random(7);
    const std::vector<std::string> characters{
        "a",  "\xC2\x80",     "\xDF\xBF",         "\xE0\xA0\x80",
        "静", "\xED\x9F\xBF", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"};
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        for (int n = std::uniform_int_distribution<int>(0, 40)(random); n > 0; --n) {
            text += characters[random() % characters.size()];
        }
        if (!text.empty() && i % 2 == 0) {
            text[random() % text.size()] = static_cast<char>(edges[random() % std::size(edges)]);
        }
        ASSERT_EQ(IsValidUtf8(text), reference(text)) << ::testing::PrintToString(text);
        for (int step : kSteps) {
            ASSERT_EQ(IsValidUtf8InSteps(text, step), reference(text))
                << step << " bytes a step: " << ::testing::PrintToString(text);
        }
    }
}

TEST(TextEncoding, OwnedTextDecodesAsTheCopyDoes) {
    for (std::string bytes : {std::string("日本語"), std::string("\xEF\xBB\xBF日本"),
                              std::string("\x95\x5c\x8e\x86"), std::string("\xFF\xFE")}) {
        const DecodedText copied = DecodeText(bytes);
        const DecodedText owned = DecodeOwnedText(std::move(bytes));
        EXPECT_EQ(owned.text, copied.text);
        EXPECT_EQ(owned.encoding, copied.encoding);
        EXPECT_EQ(owned.clean, copied.clean);
    }
}

TEST(TextEncoding, WindowsBytesRoundTrip) {
    const std::string bytes =
        "\x81\x60\x87\x40\xcc\xa7\xb2\xd9\x82\x6c\x82\x72 \x82\x6f\x96\xbe\x92\xa9\x95\x5c";
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
