#include "book/iconv_converter.h"

#include <cerrno>
#include <vector>

#include "book/text_encoding.h"

namespace folix {

std::optional<std::string> IconvConverter::Convert(std::string_view input, bool lossy) {
    if (!ok()) {
        return std::nullopt;
    }
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    std::vector<char> buffer(input.size() * 2 + 16);
    char* in = const_cast<char*>(input.data());
    size_t in_left = input.size();
    while (true) {
        char* out_ptr = buffer.data();
        size_t out_left = buffer.size();
        size_t result = iconv(cd_, in_left ? &in : nullptr, &in_left, &out_ptr, &out_left);
        out.append(buffer.data(), buffer.size() - out_left);
        if (result != static_cast<size_t>(-1)) {
            if (in_left == 0) {
                // Flush any shift state; CP932 and UTF-8 have none, but be exact.
                out_ptr = buffer.data();
                out_left = buffer.size();
                iconv(cd_, nullptr, nullptr, &out_ptr, &out_left);
                out.append(buffer.data(), buffer.size() - out_left);
                return out;
            }
            continue;
        }
        if (errno == E2BIG) {
            continue;
        }
        if (!lossy) {
            return std::nullopt;  // EILSEQ, or EINVAL for a sequence cut short
        }
        AppendUtf8(out, 0xFFFD);
        ++in;
        --in_left;
    }
}

}  // namespace folix
