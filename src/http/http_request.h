// One HTTP request through the platform's request object.
#pragma once

#include "http/http_request_options.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace lornette {

using HttpRequestObjectFactory = std::function<std::shared_ptr<platform::HttpRequestObject>()>;

// Sends the request the options describe and returns the response body, whatever its status;
// empty when nothing could be fetched. Synchronous; throws nothing. When no request object can be
// had, nothing the options point to is written.
std::vector<std::uint8_t> HttpRequest(const HttpRequestOptions& options);

// The same with the request objects made by `createObject`.
std::vector<std::uint8_t> HttpRequest(const HttpRequestOptions& options,
                                      const HttpRequestObjectFactory& createObject);

}  // namespace lornette
