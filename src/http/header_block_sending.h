// Hands the lines of a request header block to the request object.
#pragma once

#include "platform/http_request_object/http_request_object.h"

#include <string_view>

namespace lornette {

// A block without "\r\n" is one line and is set as it is, even when empty. Otherwise every
// non-empty line is set in order, except "Connection: keep-alive" (exactly so, case-sensitive),
// which the request object sends by itself.
void sendHeaderBlock(platform::HttpRequestObject& object, std::string_view block);

}  // namespace lornette
