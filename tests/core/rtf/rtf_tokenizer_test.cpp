#include "rtf/rtf_tokenizer.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace folix {
namespace {

using Type = RtfToken::Type;

std::vector<RtfToken> Tokens(std::string_view input) {
    RtfTokenizer tokenizer(input);
    std::vector<RtfToken> tokens;
    for (RtfToken token = tokenizer.Next(); token.type != Type::kEnd; token = tokenizer.Next()) {
        tokens.push_back(token);
    }
    return tokens;
}

TEST(RtfTokenizer, ControlWordsTakeOneSpaceAndTheirNumber) {
    std::vector<RtfToken> tokens = Tokens("\\b0  x\\fs-12?\\u12354\\'8a\\'f\r\nab");
    ASSERT_EQ(tokens.size(), 8u);
    EXPECT_EQ(tokens[0].name, "b");
    EXPECT_TRUE(tokens[0].has_parameter);
    EXPECT_EQ(tokens[0].parameter, 0);
    EXPECT_EQ(tokens[1].text, " x");  // only the first space belongs to the word
    EXPECT_EQ(tokens[2].parameter, -12);
    EXPECT_EQ(tokens[3].text, "?");
    EXPECT_EQ(tokens[4].parameter, 12354);
    EXPECT_EQ(tokens[5].type, Type::kHexByte);
    EXPECT_EQ(tokens[5].byte, 0x8a);
    EXPECT_EQ(tokens[6].byte, 0x0f);  // one digit, then the line end: still a byte
    EXPECT_EQ(tokens[7].text, "ab");  // line ends are not text
    // A backslash before a line end is a symbol of its own, like \~.
    std::vector<RtfToken> rest = Tokens("\\\n\\~");
    ASSERT_EQ(rest.size(), 2u);
    EXPECT_EQ(rest[0].name, "\n");
    EXPECT_EQ(rest[1].name, "~");
}

TEST(RtfTokenizer, NumbersSaturateAndBinaryDataIsTakenRaw) {
    std::vector<RtfToken> tokens = Tokens("\\fs99999999999999999999 \\fs-99999999999999999999");
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[0].parameter, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(tokens[1].parameter, std::numeric_limits<int32_t>::min());

    tokens = Tokens("{\\bin4 }{\\\\x}");
    ASSERT_EQ(tokens.size(), 4u);
    EXPECT_EQ(tokens[1].type, Type::kBinary);
    EXPECT_EQ(tokens[1].text, "}{\\\\");
    EXPECT_EQ(tokens[2].text, "x");

    // A length past the end takes what is there and ends the input.
    tokens = Tokens("\\bin2147483647 abc");
    ASSERT_EQ(tokens.size(), 1u);
    EXPECT_EQ(tokens[0].text, "abc");
}

}  // namespace
}  // namespace folix
