#include "book/byte_find.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace folix {

size_t FindBytes(std::string_view text, std::string_view needle) {
    const size_t k = needle.size();
    if (k == 0) {
        return 0;
    }
    if (k > text.size()) {
        return std::string_view::npos;
    }
    size_t pos = 0;
#ifdef __SSE2__
    if (k > 1) {
        const __m128i first = _mm_set1_epi8(needle.front());
        const __m128i last = _mm_set1_epi8(needle.back());
        for (; pos + k - 1 + 16 <= text.size(); pos += 16) {
            const char* at = text.data() + pos;
            const __m128i starts =
                _mm_cmpeq_epi8(first, _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)));
            const __m128i ends =
                _mm_cmpeq_epi8(last, _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + k - 1)));
            for (unsigned mask =
                     static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(starts, ends)));
                 mask != 0; mask &= mask - 1) {
                const size_t offset = static_cast<size_t>(__builtin_ctz(mask));
                if (std::memcmp(at + offset + 1, needle.data() + 1, k - 2) == 0) {
                    return pos + offset;
                }
            }
        }
    }
#endif
    const void* found =
        ::memmem(text.data() + pos, text.size() - pos, needle.data(), needle.size());
    return found == nullptr ? std::string_view::npos
                            : static_cast<size_t>(static_cast<const char*>(found) - text.data());
}

}  // namespace folix
