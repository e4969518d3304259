// The check Open makes on a URL before it prepares a request.
#pragma once

#include <optional>
#include <string>

namespace lornette::platform {

struct RequestUrl {
    bool secure = false;
};

// What the URL tells the request, or none when it is not a well-formed absolute "http" or
// "https" URL with a host.
std::optional<RequestUrl> parseRequestUrl(const std::string& url);

}  // namespace lornette::platform
