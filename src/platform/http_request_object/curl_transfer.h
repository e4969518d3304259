// One request performed by libcurl with the settings of a request object.
#pragma once

#include "platform/http_request_object/http_response.h"
#include "platform/http_request_object/request_header_fields.h"
#include "platform/http_request_object/request_timeouts.h"

#include <curl/curl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lornette::platform {

// What Open prepared and SetRequestHeader added.
struct PreparedRequest {
    std::string method;
    std::string url;
    bool secure = false;
    RequestHeaderFields headers;
};

// What the object keeps from one request to the next.
struct ConnectionSettings {
    RequestTimeouts timeouts;
    // None: no proxy, whatever the environment says.
    std::optional<std::string> proxyServer;
    bool followRedirects = true;
    std::int32_t ignoredCertificateErrors = 0;
};

// The response, or none when the request failed. `handle` keeps its connections for later
// requests; its options are set afresh for each.
std::optional<HttpResponse> performTransfer(CURL* handle, const PreparedRequest& request,
                                            const ConnectionSettings& settings,
                                            const std::vector<std::uint8_t>& body);

}  // namespace lornette::platform
