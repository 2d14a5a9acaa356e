#pragma once

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace folix {

// One iconv conversion descriptor, closed when it goes out of scope.
class IconvConverter {
public:
    IconvConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~IconvConverter() {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of the input. Strictly, a sequence that cannot be converted gives nothing;
    // otherwise its first byte becomes U+FFFD and the conversion goes on after it.
    std::optional<std::string> Convert(std::string_view input, bool lossy = false);

private:
    iconv_t cd_;
};


}  // namespace folix
