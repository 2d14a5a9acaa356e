#include "upload/profile_scrambling.h"

#include <cstdint>

namespace folix {
namespace {

// Scrambled values start with this mark and carry two hex digits per byte.
constexpr char kMark[] = "fx1:";
constexpr char kHexDigits[] = "0123456789abcdef";

// A byte stream that depends on the position and on every byte before it, so that equal
// letters do not give equal digits and a value's length is all that shows.
class KeyStream {
public:
    std::uint8_t Next(std::uint8_t previous_plain) {
        state_ = state_ * 1103515245u + 12345u + previous_plain;
        return static_cast<std::uint8_t>(state_ >> 16);
    }

private:
    std::uint32_t state_ = 0x6d6f7269u;
};

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

}  // namespace

std::string ScrambleProfileText(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    std::string scrambled = kMark;
    KeyStream key;
    std::uint8_t previous = 0;
    for (char c : text) {
        const auto plain = static_cast<std::uint8_t>(c);
        const auto byte = static_cast<std::uint8_t>(plain ^ key.Next(previous));
        scrambled += kHexDigits[byte >> 4];
        scrambled += kHexDigits[byte & 0x0f];
        previous = plain;
    }
    return scrambled;
}

std::string UnscrambleProfileText(const std::string& scrambled) {
    const std::string mark = kMark;
    if (scrambled.compare(0, mark.size(), mark) != 0 || (scrambled.size() - mark.size()) % 2 != 0) {
        return {};
    }
    std::string text;
    KeyStream key;
    std::uint8_t previous = 0;
    for (size_t i = mark.size(); i < scrambled.size(); i += 2) {
        const int high = HexValue(scrambled[i]);
        const int low = HexValue(scrambled[i + 1]);
        if (high < 0 || low < 0) {
            return {};
        }
        const auto plain = static_cast<std::uint8_t>((high << 4 | low) ^ key.Next(previous));
        text += static_cast<char>(plain);
        previous = plain;
    }
    return text;
}

}  // namespace folix
