#include "book/utf8_check.h"

#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define FOLIX_UTF8_SSSE3 1
#endif

namespace folix {
namespace {

// One byte at a time by the byte ranges of RFC 3629, skipping runs of ASCII eight bytes at a
// time: for short texts, and for processors without SSSE3.
bool IsValidUtf8Bytewise(const unsigned char* data, size_t size) {
    const auto continuation = [&](size_t i, unsigned char low, unsigned char high) {
        return i < size && data[i] >= low && data[i] <= high;
    };
    size_t pos = 0;
    while (pos < size) {
        if (pos + 8 <= size) {
            uint64_t eight;
            std::memcpy(&eight, data + pos, sizeof eight);
            if ((eight & 0x8080808080808080ULL) == 0) {
                pos += 8;
                continue;
            }
        }
        const unsigned char lead = data[pos];
        if (lead < 0x80) {
            ++pos;
        } else if (lead < 0xC2) {
            return false;
        } else if (lead < 0xE0) {
            if (!continuation(pos + 1, 0x80, 0xBF)) {
                return false;
            }
            pos += 2;
        } else if (lead < 0xF0) {
            const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
            const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
            if (!continuation(pos + 1, low, high) || !continuation(pos + 2, 0x80, 0xBF)) {
                return false;
            }
            pos += 3;
        } else if (lead < 0xF5) {
            const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
            const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
            if (!continuation(pos + 1, low, high) || !continuation(pos + 2, 0x80, 0xBF) ||
                !continuation(pos + 3, 0x80, 0xBF)) {
                return false;
            }
            pos += 4;
        } else {
            return false;
        }
    }
    return true;
}

#ifdef FOLIX_UTF8_SSSE3

// Sixteen bytes a step, each byte judged with the one, two and three before it by table
// look-ups (the classification of Keiser and Lemire, "Validating UTF-8 In Less Than One
// Instruction Per Byte"). Each pair of neighbouring bytes gets the set of faults allowed by its
// first byte's high half, its first byte's low half and its second byte's high half; a bit left
// in all three is a fault, except that two continuation bytes in a row are right exactly where
// the byte two or three back begins a three- or four-byte character.
constexpr uint8_t kTooShort = 1 << 0;   // a lead or ASCII byte after a lead byte
constexpr uint8_t kTooLong = 1 << 1;    // a continuation byte after ASCII
constexpr uint8_t kOverlong3 = 1 << 2;  // E0 80..9F
constexpr uint8_t kTooLarge = 1 << 3;   // F4 90..BF, F5..FF 90..BF
constexpr uint8_t kSurrogate = 1 << 4;  // ED A0..BF
constexpr uint8_t kOverlong2 = 1 << 5;  // C0 or C1 and a continuation byte
constexpr uint8_t kOverlong4 = 1 << 6;  // F0 80..8F, and on the same bit F5..FF 80..8F
constexpr uint8_t kTwoConts = 1 << 7;   // a continuation byte after a continuation byte
constexpr uint8_t kCarry = kTooShort | kTooLong | kTwoConts;

constexpr char Bits(unsigned value) {
    return static_cast<char>(value);
}

struct Utf8Blocks {
    __m128i previous;
    __m128i error;
};

__attribute__((target("ssse3"))) inline void CheckBlock(Utf8Blocks& blocks, __m128i input) {
    const __m128i low_half = _mm_set1_epi8(0x0F);
    if (_mm_movemask_epi8(input) == 0) {
        // ASCII: wrong only where the block before left a character unfinished, which a lead
        // byte in its last three places (F0.. in the third last, E0.. or C0.. after) does.
        const __m128i complete =
            _mm_setr_epi8(Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF),
                          Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF),
                          Bits(0xFF), Bits(0xEF), Bits(0xDF), Bits(0xBF));
        blocks.error = _mm_or_si128(blocks.error, _mm_subs_epu8(blocks.previous, complete));
        blocks.previous = input;
        return;
    }
    const __m128i first_high = _mm_setr_epi8(
        Bits(kTooLong), Bits(kTooLong), Bits(kTooLong), Bits(kTooLong), Bits(kTooLong),
        Bits(kTooLong), Bits(kTooLong), Bits(kTooLong), Bits(kTwoConts), Bits(kTwoConts),
        Bits(kTwoConts), Bits(kTwoConts), Bits(kTooShort | kOverlong2), Bits(kTooShort),
        Bits(kTooShort | kOverlong3 | kSurrogate), Bits(kTooShort | kTooLarge | kOverlong4));
    const char large = Bits(kCarry | kTooLarge | kOverlong4);
    const __m128i first_low = _mm_setr_epi8(
        Bits(kCarry | kOverlong3 | kOverlong2 | kOverlong4), Bits(kCarry | kOverlong2),
        Bits(kCarry), Bits(kCarry), Bits(kCarry | kTooLarge), large, large, large, large, large,
        large, large, large, Bits(kCarry | kTooLarge | kOverlong4 | kSurrogate), large, large);
    const char cont_8 = Bits(kTooLong | kOverlong2 | kTwoConts | kOverlong3 | kOverlong4);
    const char cont_9 = Bits(kTooLong | kOverlong2 | kTwoConts | kOverlong3 | kTooLarge);
    const char cont_ab = Bits(kTooLong | kOverlong2 | kTwoConts | kSurrogate | kTooLarge);
    const char lead = Bits(kTooShort);
    const __m128i second_high =
        _mm_setr_epi8(lead, lead, lead, lead, lead, lead, lead, lead, cont_8, cont_9, cont_ab,
                      cont_ab, lead, lead, lead, lead);
    const __m128i prev1 = _mm_alignr_epi8(input, blocks.previous, 15);
    const __m128i prev2 = _mm_alignr_epi8(input, blocks.previous, 14);
    const __m128i prev3 = _mm_alignr_epi8(input, blocks.previous, 13);
    const __m128i faults = _mm_and_si128(
        _mm_and_si128(
            _mm_shuffle_epi8(first_high, _mm_and_si128(_mm_srli_epi16(prev1, 4), low_half)),
            _mm_shuffle_epi8(first_low, _mm_and_si128(prev1, low_half))),
        _mm_shuffle_epi8(second_high, _mm_and_si128(_mm_srli_epi16(input, 4), low_half)));
    // 0x80 where the byte two back is E0..FF or the byte three back F0..FF.
    const __m128i third = _mm_subs_epu8(prev2, _mm_set1_epi8(Bits(0xE0 - 0x80)));
    const __m128i fourth = _mm_subs_epu8(prev3, _mm_set1_epi8(Bits(0xF0 - 0x80)));
    const __m128i expected = _mm_and_si128(_mm_or_si128(third, fourth), _mm_set1_epi8(Bits(0x80)));
    blocks.error = _mm_or_si128(blocks.error, _mm_xor_si128(expected, faults));
    blocks.previous = input;
}

__attribute__((target("ssse3"))) inline bool NoFault(const Utf8Blocks& blocks) {
    return _mm_movemask_epi8(_mm_cmpeq_epi8(blocks.error, _mm_setzero_si128())) == 0xFFFF;
}

__attribute__((target("ssse3"))) bool IsValidUtf8Ssse3(const unsigned char* data, size_t size) {
    Utf8Blocks blocks{_mm_setzero_si128(), _mm_setzero_si128()};
    size_t pos = 0;
    for (; pos + 16 <= size; pos += 16) {
        CheckBlock(blocks, _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos)));
        // A fault would be carried to the end; a CP932 file stops within a kilobyte.
        if ((pos & 0x3F0) == 0x3F0 && !NoFault(blocks)) {
            return false;
        }
    }
    // The rest behind zeros: at least one, which ends any character left open as ASCII would.
    unsigned char rest[16] = {};
    std::memcpy(rest, data + pos, size - pos);
    CheckBlock(blocks, _mm_loadu_si128(reinterpret_cast<const __m128i*>(rest)));
    return NoFault(blocks);
}

// The same classification thirty-two bytes a step. The look-ups work within each half of the
// register, as their tables are sixteen entries; the bytes before each byte come from a
// register that holds the last half of the step before and the first half of this one.
struct Utf8Blocks32 {
    __m256i previous;
    __m256i error;
};

__attribute__((target("avx2"))) inline __m256i Table(__m128i half) {
    return _mm256_broadcastsi128_si256(half);
}

__attribute__((target("avx2"))) inline void CheckBlock32(Utf8Blocks32& blocks, __m256i input) {
    const __m256i low_half = _mm256_set1_epi8(0x0F);
    if (_mm256_movemask_epi8(input) == 0) {
        // ASCII: wrong only where the step before left a character unfinished.
        const __m256i complete = _mm256_setr_epi8(
            Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF),
            Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF),
            Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF),
            Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF), Bits(0xFF),
            Bits(0xFF), Bits(0xEF), Bits(0xDF), Bits(0xBF));
        blocks.error = _mm256_or_si256(blocks.error, _mm256_subs_epu8(blocks.previous, complete));
        blocks.previous = input;
        return;
    }
    const __m256i first_high = Table(_mm_setr_epi8(
        Bits(kTooLong), Bits(kTooLong), Bits(kTooLong), Bits(kTooLong), Bits(kTooLong),
        Bits(kTooLong), Bits(kTooLong), Bits(kTooLong), Bits(kTwoConts), Bits(kTwoConts),
        Bits(kTwoConts), Bits(kTwoConts), Bits(kTooShort | kOverlong2), Bits(kTooShort),
        Bits(kTooShort | kOverlong3 | kSurrogate), Bits(kTooShort | kTooLarge | kOverlong4)));
    const char large = Bits(kCarry | kTooLarge | kOverlong4);
    const __m256i first_low = Table(_mm_setr_epi8(
        Bits(kCarry | kOverlong3 | kOverlong2 | kOverlong4), Bits(kCarry | kOverlong2),
        Bits(kCarry), Bits(kCarry), Bits(kCarry | kTooLarge), large, large, large, large, large,
        large, large, large, Bits(kCarry | kTooLarge | kOverlong4 | kSurrogate), large, large));
    const char cont_8 = Bits(kTooLong | kOverlong2 | kTwoConts | kOverlong3 | kOverlong4);
    const char cont_9 = Bits(kTooLong | kOverlong2 | kTwoConts | kOverlong3 | kTooLarge);
    const char cont_ab = Bits(kTooLong | kOverlong2 | kTwoConts | kSurrogate | kTooLarge);
    const char lead = Bits(kTooShort);
    const __m256i second_high = Table(_mm_setr_epi8(lead, lead, lead, lead, lead, lead, lead, lead,
                                                    cont_8, cont_9, cont_ab, cont_ab, lead, lead,
                                                    lead, lead));
    // The last half of the step before, then the first half of this one.
    const __m256i shifted = _mm256_permute2x128_si256(blocks.previous, input, 0x21);
    const __m256i prev1 = _mm256_alignr_epi8(input, shifted, 15);
    const __m256i prev2 = _mm256_alignr_epi8(input, shifted, 14);
    const __m256i prev3 = _mm256_alignr_epi8(input, shifted, 13);
    const __m256i faults = _mm256_and_si256(
        _mm256_and_si256(
            _mm256_shuffle_epi8(first_high,
                                _mm256_and_si256(_mm256_srli_epi16(prev1, 4), low_half)),
            _mm256_shuffle_epi8(first_low, _mm256_and_si256(prev1, low_half))),
        _mm256_shuffle_epi8(second_high, _mm256_and_si256(_mm256_srli_epi16(input, 4), low_half)));
    const __m256i third = _mm256_subs_epu8(prev2, _mm256_set1_epi8(Bits(0xE0 - 0x80)));
    const __m256i fourth = _mm256_subs_epu8(prev3, _mm256_set1_epi8(Bits(0xF0 - 0x80)));
    const __m256i expected =
        _mm256_and_si256(_mm256_or_si256(third, fourth), _mm256_set1_epi8(Bits(0x80)));
    blocks.error = _mm256_or_si256(blocks.error, _mm256_xor_si256(expected, faults));
    blocks.previous = input;
}

__attribute__((target("avx2"))) inline bool NoFault32(const Utf8Blocks32& blocks) {
    return _mm256_testz_si256(blocks.error, blocks.error) != 0;
}

__attribute__((target("avx2"))) bool IsValidUtf8Avx2(const unsigned char* data, size_t size) {
    Utf8Blocks32 blocks{_mm256_setzero_si256(), _mm256_setzero_si256()};
    size_t pos = 0;
    for (; pos + 32 <= size; pos += 32) {
        CheckBlock32(blocks, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + pos)));
        if ((pos & 0x3E0) == 0x3E0 && !NoFault32(blocks)) {
            return false;
        }
    }
    unsigned char rest[32] = {};
    std::memcpy(rest, data + pos, size - pos);
    CheckBlock32(blocks, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rest)));
    return NoFault32(blocks);
}

#endif

}  // namespace

bool IsValidUtf8InSteps(std::string_view bytes, int step) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
#ifdef FOLIX_UTF8_SSSE3
    static const bool avx2 = __builtin_cpu_supports("avx2");
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    if (step >= 32 && avx2 && bytes.size() >= 32) {
        return IsValidUtf8Avx2(data, bytes.size());
    }
    if (step >= 16 && ssse3 && bytes.size() >= 16) {
        return IsValidUtf8Ssse3(data, bytes.size());
    }
#endif
    return IsValidUtf8Bytewise(data, bytes.size());
}

bool IsValidUtf8(std::string_view bytes) {
    return IsValidUtf8InSteps(bytes, 32);
}

}  // namespace folix
