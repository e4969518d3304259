// The option record of HttpRequest. Only `url` is required; every other field may stay as it is
// initialised. Fields that hand something back point to variables of the caller, which must
// outlive the call; a null pointer leaves that result unwritten.
#pragma once

#include "platform/http_request_object/http_request_object.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lornette {

struct HttpRequestOptions {
    // Also the value of the default "Referer" line.
    std::string url;
    // 0 "GET", 1 "POST", 2 "HEAD", 3 "PUT", 4 "OPTIONS", 5 "DELETE", 6 "TRACE", 7 "CONNECT";
    // anything else is taken as 0.
    std::int32_t method = 0;
    // Sent when `byteBody` is empty.
    std::string textBody;
    // In and out. When set, even to an empty text, it goes out as the "Cookie" header, and with
    // `mergeCookies` it takes the merged cookies on return. Null: no "Cookie" header, no merge.
    std::string* cookies = nullptr;
    // Out: the name=value parts of the response's "Set-Cookie" lines joined by "; ", or the
    // merged cookies.
    std::string* receivedCookies = nullptr;
    // In and out: extra request header lines, "Name: value" separated by "\r\n"; on return the
    // block as sent, with the default lines added and the names normalised.
    std::string* headers = nullptr;
    // Out: the response header text as the request object gives it.
    std::string* receivedHeaders = nullptr;
    // Out: the response status code.
    std::int32_t* status = nullptr;
    bool noRedirect = false;
    // Sent instead of `textBody` when not empty.
    std::vector<std::uint8_t> byteBody;
    // When not empty, the proxy server of this request.
    std::string proxy;
    // -1: the object's time-outs stay as they are; 1 or more: that many seconds; otherwise 15.
    std::int32_t timeoutSeconds = 0;
    std::string proxyUser;
    std::string proxyPassword;
    // 1, or unset: the proxy credentials go in a "Proxy-Authorization" header; otherwise none.
    std::optional<std::int32_t> proxyAuthMode;
    // When set, the request runs on this object instead of a new one; it lives on afterwards.
    std::shared_ptr<platform::HttpRequestObject> sharedObject;
    // Unset means true: with `cookies` set, merge the submitted and the received cookies.
    std::optional<bool> mergeCookies;
    // Unset means true: add the default header lines that `headers` lacks.
    std::optional<bool> addDefaultHeaders;
    // Unset means true: capitalise the words of the header names.
    std::optional<bool> normaliseNames;
};

}  // namespace lornette
