#include "epub/random_uuid.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>

namespace folix {
namespace {

constexpr size_t kUuidLength = 36;

bool IsHyphenPosition(size_t i) {
    return i == 8 || i == 13 || i == 18 || i == 23;
}

bool ReadRandomBytes(std::array<uint8_t, 16>& bytes) {
    int fd = ::open("/dev/urandom", O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    return done == bytes.size();
}

}  // namespace

bool MakeRandomUuid(std::string& uuid) {
    std::array<uint8_t, 16> bytes{};
    if (!ReadRandomBytes(bytes)) {
        return false;
    }
    bytes[6] = static_cast<uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4: random
    bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80);  // the variant of RFC 4122
    constexpr char kHexDigits[] = "0123456789abcdef";
    uuid.clear();
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (IsHyphenPosition(uuid.size())) {
            uuid += '-';
        }
        uuid += kHexDigits[bytes[i] >> 4];
        uuid += kHexDigits[bytes[i] & 0x0F];
    }
    return true;
}

bool IsUuid(std::string_view text) {
    if (text.size() != kUuidLength) {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (IsHyphenPosition(i) ? c != '-' : !hex) {
            return false;
        }
    }
    return true;
}

}  // namespace folix
