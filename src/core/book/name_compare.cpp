#include "book/name_compare.h"

#include <algorithm>
#include <array>
#include <atomic>
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

// CP932 code of a character of the Basic Multilingual Plane, 0 where CP932 has none. Each
// character is asked of iconv the first time a name holds it and kept: a book's names hold a
// few hundred characters, and asking for all 65,536 took longer than a whole `folix ls`.
class Cp932CodeTable {
public:
    static Cp932CodeTable& Instance() {
        static Cp932CodeTable table;
        return table;
    }

    uint16_t CodeOf(char32_t c) {
        if (c >= kCharacters) {
            return 0;
        }
        // Each entry is the code plus one, 0 until asked; any thread may fill it, with the
        // same value.
        uint32_t known = codes_[c].load(std::memory_order_relaxed);
        if (known == 0) {
            known = static_cast<uint32_t>(AskIconv(c)) + 1;
            codes_[c].store(known, std::memory_order_relaxed);
        }
        return static_cast<uint16_t>(known - 1);
    }

private:
    static constexpr char32_t kCharacters = 0x10000;

    Cp932CodeTable() : codes_(new std::atomic<uint32_t>[kCharacters]()) {}

    static uint16_t AskIconv(char32_t c) {
        if (c == 0 || (c >= 0xD800 && c <= 0xDFFF)) {
            return 0;
        }
        // A descriptor keeps state between calls, so each thread has its own.
        thread_local IconvConverter encoder("CP932", "UTF-8");
        std::string utf8;
        AppendUtf8(utf8, c);
        std::optional<std::string> bytes = encoder.Convert(utf8);
        if (!bytes || bytes->empty() || bytes->size() > 2) {
            return 0;
        }
        uint16_t code = static_cast<unsigned char>((*bytes)[0]);
        if (bytes->size() == 2) {
            code = static_cast<uint16_t>(code << 8 | static_cast<unsigned char>((*bytes)[1]));
        }
        return code;
    }

    std::unique_ptr<std::atomic<uint32_t>[]> codes_;
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
