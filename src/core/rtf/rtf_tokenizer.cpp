#include "rtf/rtf_tokenizer.h"

#include <limits>
#include <optional>

namespace folix {

namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

RtfToken MakeToken(RtfToken::Type type) {
    RtfToken token;
    token.type = type;
    return token;
}

}  // namespace

RtfToken RtfTokenizer::Next() {
    while (pos_ < input_.size()) {
        char c = input_[pos_];
        if (c == '{') {
            ++pos_;
            return MakeToken(RtfToken::Type::kGroupOpen);
        }
        if (c == '}') {
            ++pos_;
            return MakeToken(RtfToken::Type::kGroupClose);
        }
        if (c == '\\') {
            if (std::optional<RtfToken> token = ReadControl()) {
                return *token;
            }
            continue;
        }
        if (c == '\r' || c == '\n') {
            ++pos_;  // line ends in the file are layout, never text
            continue;
        }
        return ReadText();
    }
    return RtfToken{};
}

RtfToken RtfTokenizer::ReadText() {
    size_t start = pos_;
    while (pos_ < input_.size()) {
        char c = input_[pos_];
        if (c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n') {
            break;
        }
        ++pos_;
    }
    RtfToken token = MakeToken(RtfToken::Type::kText);
    token.text = input_.substr(start, pos_ - start);
    return token;
}

std::optional<RtfToken> RtfTokenizer::ReadControl() {
    ++pos_;  // the backslash
    if (pos_ >= input_.size()) {
        return std::nullopt;  // a lone backslash at the very end means nothing
    }
    char c = input_[pos_];
    if (!IsLetter(c)) {
        ++pos_;
        if (c == '\'') {
            int high = pos_ < input_.size() ? HexValue(input_[pos_]) : -1;
            if (high < 0) {
                return std::nullopt;  // \' without digits: nothing to take
            }
            ++pos_;
            int low = pos_ < input_.size() ? HexValue(input_[pos_]) : -1;
            int value = high;
            if (low >= 0) {
                ++pos_;
                value = high * 16 + low;
            }
            RtfToken token = MakeToken(RtfToken::Type::kHexByte);
            token.byte = static_cast<uint8_t>(value);
            return token;
        }
        RtfToken token = MakeToken(RtfToken::Type::kControlSymbol);
        token.name = input_.substr(pos_ - 1, 1);
        return token;
    }

    size_t start = pos_;
    while (pos_ < input_.size() && IsLetter(input_[pos_])) {
        ++pos_;
    }
    RtfToken token = MakeToken(RtfToken::Type::kControlWord);
    token.name = input_.substr(start, pos_ - start);
    bool negative = false;
    if (pos_ + 1 < input_.size() && input_[pos_] == '-' && IsDigit(input_[pos_ + 1])) {
        negative = true;
        ++pos_;
    }
    if (pos_ < input_.size() && IsDigit(input_[pos_])) {
        // Saturate rather than overflow: a hostile file may give any number of digits.
        int64_t value = 0;
        while (pos_ < input_.size() && IsDigit(input_[pos_])) {
            if (value <= std::numeric_limits<int32_t>::max()) {
                value = value * 10 + (input_[pos_] - '0');
            }
            ++pos_;
        }
        if (negative) {
            value = -value;
        }
        if (value > std::numeric_limits<int32_t>::max()) {
            value = std::numeric_limits<int32_t>::max();
        } else if (value < std::numeric_limits<int32_t>::min()) {
            value = std::numeric_limits<int32_t>::min();
        }
        token.parameter = static_cast<int32_t>(value);
        token.has_parameter = true;
    }
    if (pos_ < input_.size() && input_[pos_] == ' ') {
        ++pos_;  // the space that ends a control word belongs to it
    }

    if (token.name == "bin") {
        // Raw bytes follow; they may hold braces and backslashes, so they are never tokenized.
        // A length beyond the end of the file takes what is there.
        size_t length = token.parameter > 0 ? static_cast<size_t>(token.parameter) : 0;
        if (length > input_.size() - pos_) {
            length = input_.size() - pos_;
        }
        token.type = RtfToken::Type::kBinary;
        token.text = input_.substr(pos_, length);
        pos_ += length;
    }
    return token;
}

}  // namespace folix
