#include "book/text_encoding.h"

#include <cstdint>
#include <cstring>

#include "book/iconv_converter.h"

namespace folix {

char32_t NextCodePoint(std::string_view text, size_t& pos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    size_t length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    }
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (size_t i = 1; i < length; ++i) {
        unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++pos;
        return 0xFFFD;
    }
    pos += length;
    return code;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::optional<std::string> DecodeCp932(std::string_view bytes) {
    return IconvConverter("UTF-8", "CP932").Convert(bytes);
}

std::optional<std::string> EncodeCp932(std::string_view utf8) {
    return IconvConverter("CP932", "UTF-8").Convert(utf8);
}

namespace {

// CP932 read as far as it goes: a byte that starts no character becomes U+FFFD.
std::string DecodeCp932Lossy(std::string_view bytes) {
    return IconvConverter("UTF-8", "CP932").Convert(bytes, true).value_or(std::string());
}

// Bytes that are not UTF-8 are CP932, strictly where they can be.
DecodedText DecodeNotUtf8(std::string_view bytes) {
    if (auto decoded = DecodeCp932(bytes)) {
        return {std::move(*decoded), TextEncoding::kCp932, true};
    }
    return {DecodeCp932Lossy(bytes), TextEncoding::kCp932, false};
}

}  // namespace

DecodedText DecodeText(std::string_view bytes) {
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        std::string_view body = bytes.substr(kUtf8Bom.size());
        bool clean = IsValidUtf8(body);
        return {clean ? std::string(body) : DecodeCp932Lossy(body), TextEncoding::kUtf8Bom, clean};
    }
    if (IsValidUtf8(bytes)) {
        return {std::string(bytes), TextEncoding::kUtf8, true};
    }
    return DecodeNotUtf8(bytes);
}

DecodedText DecodeOwnedText(std::string&& bytes) {
    if (std::string_view(bytes).starts_with(kUtf8Bom)) {
        return DecodeText(std::string_view(bytes));
    }
    if (IsValidUtf8(bytes)) {
        return {std::move(bytes), TextEncoding::kUtf8, true};
    }
    return DecodeNotUtf8(bytes);
}

std::optional<std::string> EncodeText(std::string_view utf8, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::kUtf8:
            return std::string(utf8);
        case TextEncoding::kUtf8Bom:
            return std::string(kUtf8Bom) + std::string(utf8);
        case TextEncoding::kCp932:
            return EncodeCp932(utf8);
    }
    return std::nullopt;
}

std::u32string CodePointsOf(std::string_view utf8) {
    std::u32string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        out.push_back(NextCodePoint(utf8, pos));
    }
    return out;
}

std::string Utf8Of(std::u32string_view code_points) {
    std::string out;
    out.reserve(code_points.size());
    for (const char32_t c : code_points) {
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace folix
