#include "platform/http_request_object/request_url.h"

#include "platform/http_request_object/curl_handles.h"
#include "platform/win32.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace lornette::platform {
namespace {

CurlText urlPart(CURLU* url, CURLUPart part) {
    char* text = nullptr;
    if (curl_url_get(url, part, &text, 0) != CURLUE_OK) {
        return nullptr;
    }
    return CurlText(text);
}

// Bytes that cannot stand in a URL as they are; those of 0x80 and above are UTF-8 by then.
bool isUnsafeCharacter(char character) {
    const auto byte = static_cast<unsigned char>(character);
    return byte <= 0x20 || byte >= 0x7F;
}

// The URL's texts are in the ANSI code page; on the wire their characters go as UTF-8, as the
// Windows object sends them.
std::string utf8FromAnsi(std::string_view text) {
    const auto length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (wideLength <= 0) {
        return std::string(text);
    }
    std::vector<WCHAR> wide(static_cast<std::size_t>(wideLength));
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), wideLength);
    const int utf8Length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(std::max(utf8Length, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), utf8Length, nullptr,
                        nullptr);
    return utf8;
}

void appendPercentEncoded(std::string& text, char character) {
    constexpr std::string_view hexDigits = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(character);
    text += '%';
    text += hexDigits[byte >> 4];
    text += hexDigits[byte & 0x0F];
}

// Escapes the unsafe characters from the end of the host on; a host with such characters stays
// malformed.
std::string escapedAfterHost(const std::string& url) {
    const std::size_t schemeEnd = url.find("://");
    const std::size_t hostEnd = schemeEnd == std::string::npos
                                    ? std::string::npos
                                    : url.find_first_of("/?#", schemeEnd + 3);
    if (hostEnd == std::string::npos) {
        return url;
    }
    std::string escaped = url.substr(0, hostEnd);
    for (const char character : utf8FromAnsi(std::string_view(url).substr(hostEnd))) {
        if (isUnsafeCharacter(character)) {
            appendPercentEncoded(escaped, character);
        } else {
            escaped += character;
        }
    }
    return escaped;
}

}  // namespace

std::optional<RequestUrl> parseRequestUrl(const std::string& url) {
    if (url.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    const CurlUrlHandle parsed(curl_url());
    const std::string escaped = escapedAfterHost(url);
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, escaped.c_str(), 0) != CURLUE_OK) {
        return std::nullopt;
    }
    const CurlText scheme = urlPart(parsed.get(), CURLUPART_SCHEME);
    const CurlText host = urlPart(parsed.get(), CURLUPART_HOST);
    if (!scheme || !host || std::string_view(host.get()).empty()) {
        return std::nullopt;
    }
    const std::string_view schemeName = scheme.get();
    if (schemeName != "http" && schemeName != "https") {
        return std::nullopt;
    }
    return RequestUrl{escaped, schemeName == "https"};
}

}  // namespace lornette::platform
