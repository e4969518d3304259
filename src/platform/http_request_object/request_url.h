// The check Open makes on a URL before it prepares a request.
#pragma once

#include <optional>
#include <string>

namespace lornette::platform {

struct RequestUrl {
    // The URL as it goes out: spaces and control characters after the host percent-encoded, the
    // way the Windows object escapes them.
    std::string text;
    bool secure = false;
};

// The URL to request, or none when it is not a well-formed absolute "http" or "https" URL with
// a host.
std::optional<RequestUrl> parseRequestUrl(const std::string& url);

}  // namespace lornette::platform
