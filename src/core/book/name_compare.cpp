#include "book/name_compare.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "book/iconv_converter.h"
#include "book/text_encoding.h"

namespace folix {
namespace {

char32_t FoldCase(char32_t c) {
    if (c >= U'a' && c <= U'z') {
        return c - U'a' + U'A';
    }
    if (c >= U'ａ' && c <= U'ｚ') {
        return c - U'ａ' + U'Ａ';
    }
    if (c >= U'α' && c <= U'ω' && c != U'ς') {
        return c - U'α' + U'Α';
    }
    if (c >= U'а' && c <= U'я') {
        return c - U'а' + U'А';
    }
    if (c == U'ё') {
        return U'Ё';
    }
    return c;
}

// CP932 code of every character of the Basic Multilingual Plane, 0 where CP932 has none. Made
// once, on first use, by asking iconv for each character.
class Cp932CodeTable {
public:
    static const Cp932CodeTable& Instance() {
        static const Cp932CodeTable table;
        return table;
    }

    uint16_t CodeOf(char32_t c) const { return c < codes_.size() ? codes_[c] : 0; }

private:
    Cp932CodeTable() : codes_(0x10000, 0) {
        IconvConverter encoder("CP932", "UTF-8");
        for (char32_t c = 1; c < 0x10000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF) {
                continue;
            }
            std::string utf8;
            AppendUtf8(utf8, c);
            std::optional<std::string> bytes = encoder.Convert(utf8);
            if (!bytes || bytes->empty() || bytes->size() > 2) {
                continue;
            }
            uint16_t code = static_cast<unsigned char>((*bytes)[0]);
            if (bytes->size() == 2) {
                code = static_cast<uint16_t>(code << 8 | static_cast<unsigned char>((*bytes)[1]));
            }
            codes_[c] = code;
        }
    }

    std::vector<uint16_t> codes_;
};

uint32_t CharacterKey(char32_t c) {
    c = FoldCase(c);
    if (c == 0) {
        return 0;
    }
    uint16_t code = Cp932CodeTable::Instance().CodeOf(c);
    if (code != 0) {
        return code;  // single-byte codes stay below 0x100, double-byte ones from 0x8140
    }
    return 0x10000 + static_cast<uint32_t>(c);
}

}  // namespace

NameKey MakeNameKey(std::string_view name) {
    NameKey key;
    key.reserve(name.size());
    size_t pos = 0;
    while (pos < name.size()) {
        key.push_back(CharacterKey(NextCodePoint(name, pos)));
    }
    return key;
}

int CompareNames(std::string_view a, std::string_view b) {
    NameKey ka = MakeNameKey(a);
    NameKey kb = MakeNameKey(b);
    if (ka == kb) {
        return 0;
    }
    return std::lexicographical_compare(ka.begin(), ka.end(), kb.begin(), kb.end()) ? -1 : 1;
}

bool NamesEqual(std::string_view a, std::string_view b) { return CompareNames(a, b) == 0; }

}  // namespace folix
