#include "platform/http_request_object/request_url.h"

#include "platform/http_request_object/curl_handles.h"

#include <string_view>

namespace lornette::platform {
namespace {

CurlText urlPart(CURLU* url, CURLUPart part) {
    char* text = nullptr;
    if (curl_url_get(url, part, &text, 0) != CURLUE_OK) {
        return nullptr;
    }
    return CurlText(text);
}

}  // namespace

std::optional<RequestUrl> parseRequestUrl(const std::string& url) {
    const CurlUrlHandle parsed(curl_url());
    if (!parsed || url.find('\0') != std::string::npos ||
        curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
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
    return RequestUrl{schemeName == "https"};
}

}  // namespace lornette::platform
