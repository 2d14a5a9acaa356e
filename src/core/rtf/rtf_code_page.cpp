#include "rtf/rtf_code_page.h"

#include <optional>

#include "book/text_encoding.h"

namespace folix {

int CodePageOfCharset(int charset) {
    switch (charset) {
        case 2:  // Symbol: its glyphs sit on the Western byte values
            return 1252;
        case 77:
            return 10000;
        case 78:  // Mac Japanese: iconv has no table, and Shift_JIS is its base
        case 128:
            return 932;
        case 129:
            return 949;
        case 130:
            return 1361;
        case 134:
            return 936;
        case 136:
            return 950;
        case 161:
            return 1253;
        case 162:
            return 1254;
        case 163:
            return 1258;
        case 177:
            return 1255;
        case 178:
            return 1256;
        case 186:
            return 1257;
        case 204:
            return 1251;
        case 222:
            return 874;
        case 238:
            return 1250;
        case 254:
            return 437;
        case 255:
            return 850;
        default:
            return 0;
    }
}

namespace {

std::string IconvName(int code_page) {
    if (code_page == 10000) {
        return "MACINTOSH";
    }
    return "CP" + std::to_string(code_page);
}

}  // namespace

IconvConverter* RtfCodePages::Converter(std::map<int, std::unique_ptr<IconvConverter>>& cache,
                                        int code_page, bool to_code_page) {
    auto found = cache.find(code_page);
    if (found == cache.end()) {
        std::string name = IconvName(code_page);
        auto converter = to_code_page ? std::make_unique<IconvConverter>(name.c_str(), "UTF-8")
                                      : std::make_unique<IconvConverter>("UTF-8", name.c_str());
        if (!converter->ok()) {
            converter.reset();
        }
        found = cache.emplace(code_page, std::move(converter)).first;
    }
    return found->second.get();
}

void RtfCodePages::Decode(std::string_view bytes, int code_page, std::string& out) {
    bool ascii = true;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        out.append(bytes);  // every code page we read agrees with ASCII
        return;
    }
    IconvConverter* converter = Converter(decoders_, code_page, false);
    if (!converter) {
        converter = Converter(decoders_, kRtfDefaultCodePage, false);
    }
    std::optional<std::string> text;
    if (converter) {
        text = converter->Convert(bytes, true);
    }
    if (text) {
        out.append(*text);
        return;
    }
    for (char c : bytes) {  // no iconv at all: Latin-1 keeps the bytes visible
        AppendUtf8(out, static_cast<unsigned char>(c));
    }
}

std::string RtfCodePages::Encode(std::string_view utf8, int code_page) {
    IconvConverter* converter = Converter(encoders_, code_page, true);
    if (!converter) {
        return std::string();
    }
    return converter->Convert(utf8).value_or(std::string());
}

}  // namespace folix
