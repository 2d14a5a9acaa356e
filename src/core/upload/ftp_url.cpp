#include "upload/ftp_url.h"

#include <curl/curl.h>

#include <algorithm>
#include <charconv>
#include <memory>

namespace folix {
namespace {

struct UrlDeleter {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlDeleter>;

// One part of a parsed URL, decoded; empty when the URL has none.
std::string Part(CURLU* url, CURLUPart part, unsigned int flags = 0) {
    char* value = nullptr;
    if (curl_url_get(url, part, &value, flags) != CURLUE_OK || value == nullptr) {
        return {};
    }
    std::string text(value);
    curl_free(value);
    return text;
}

UrlHandle Parse(const std::string& text) {
    UrlHandle url(curl_url());
    // Schemes are checked below: the parser must not refuse one it does not know.
    if (!url || curl_url_set(url.get(), CURLUPART_URL, text.c_str(), CURLU_NON_SUPPORT_SCHEME) !=
                    CURLUE_OK) {
        return nullptr;
    }
    return url;
}

std::optional<FtpProtocol> ProtocolOf(const std::string& scheme) {
    if (scheme == "ftp") {
        return FtpProtocol::kFtp;
    }
    if (scheme == "ftps") {
        return FtpProtocol::kFtps;
    }
    if (scheme == "sftp") {
        return FtpProtocol::kSftp;
    }
    return std::nullopt;
}

}  // namespace

std::optional<FtpUrl> ParseFtpUrl(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    UrlHandle url = Parse(text);
    // Only text without a scheme is a bare host name: "ftp:///www" read again as
    // "ftp://ftp:///www" would name a server "ftp".
    if (!url && text.find("://") == std::string::npos) {
        url = Parse("ftp://" + text);
    }
    if (!url) {
        return std::nullopt;
    }
    std::optional<FtpProtocol> protocol = ProtocolOf(Part(url.get(), CURLUPART_SCHEME));
    FtpUrl result;
    result.endpoint.host = Part(url.get(), CURLUPART_HOST);
    if (!protocol || result.endpoint.host.empty()) {
        return std::nullopt;
    }
    result.endpoint.protocol = *protocol;
    // Servers on other ports are reachable only when the port written in the URL is used.
    const std::string port = Part(url.get(), CURLUPART_PORT);
    if (!port.empty()) {
        std::from_chars(port.data(), port.data() + port.size(), result.endpoint.port);
    }
    result.path = Part(url.get(), CURLUPART_PATH, CURLU_URLDECODE);
    return result;
}

std::string ServerTextWithoutPassword(const std::string& text) {
    const size_t scheme_end = text.find("://");
    const size_t authority_start = scheme_end == std::string::npos ? 0 : scheme_end + 3;
    const size_t authority_end = std::min(text.find('/', authority_start), text.size());
    const size_t at = text.rfind('@', authority_end - 1);
    if (at == std::string::npos || at < authority_start || authority_end == authority_start) {
        return text;
    }
    const size_t colon = text.find(':', authority_start);
    if (colon == std::string::npos || colon > at) {
        return text;
    }
    return text.substr(0, colon) + text.substr(at);
}

}  // namespace folix
