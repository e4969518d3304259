#include "http/http_request.h"

#include "http/base64.h"
#include "http/cookie_merge.h"
#include "http/default_header_lines.h"
#include "http/header_block_sending.h"
#include "http/header_text.h"
#include "http/http_methods.h"
#include "http/received_cookies.h"
#include "platform/com_initialisation.h"
#include "text/text_operations.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace lornette {
namespace {

using platform::HttpRequestObject;

constexpr std::int32_t keepTimeouts = -1;
constexpr std::int32_t defaultTimeoutSeconds = 15;
constexpr std::int32_t basicProxyAuthorization = 1;

struct Response {
    std::vector<std::uint8_t> body;
    std::string headers;
    std::int32_t status = 0;
};

void applyTimeouts(HttpRequestObject& object, std::int32_t timeoutSeconds) {
    if (timeoutSeconds == keepTimeouts) {
        return;
    }
    const std::int32_t seconds = timeoutSeconds >= 1 ? timeoutSeconds : defaultTimeoutSeconds;
    // Beyond what 32 bits of milliseconds hold, the longest wait the object takes.
    constexpr std::int32_t longestSeconds = std::numeric_limits<std::int32_t>::max() / 1000;
    const std::int32_t milliseconds = std::min(seconds, longestSeconds) * 1000;
    object.setTimeouts(milliseconds, milliseconds, milliseconds, milliseconds);
}

std::string headerBlockToSend(const HttpRequestOptions& options) {
    std::string block = options.headers ? *options.headers : std::string();
    if (options.addDefaultHeaders.value_or(true)) {
        block = withDefaultHeaderLines(std::move(block), options.url, options.method);
    }
    if (options.normaliseNames.value_or(true)) {
        block = normaliseHeaderNames(block);
    }
    return block;
}

void sendProxyCredentials(HttpRequestObject& object, const HttpRequestOptions& options) {
    const bool wanted =
        !options.proxy.empty() && !options.proxyUser.empty() &&
        options.proxyAuthMode.value_or(basicProxyAuthorization) == basicProxyAuthorization;
    if (wanted) {
        const std::string credentials = options.proxyUser + ":" + options.proxyPassword;
        object.setRequestHeader("Proxy-Authorization", "Basic " + encodeBase64(credentials));
    }
}

void sendCookies(HttpRequestObject& object, std::string* cookies) {
    if (cookies == nullptr) {
        return;
    }
    if (!cookies->empty() && containsText(*cookies, "Cookie:", true)) {
        *cookies = withoutCookiePrefixes(*cookies);
    }
    object.setRequestHeader("Cookie", *cookies);
}

void sendBody(HttpRequestObject& object, const HttpRequestOptions& options) {
    if (!options.byteBody.empty()) {
        object.sendBytes(options.byteBody);
    } else {
        object.sendText(options.textBody);
    }
}

std::int32_t truncatedStatus(double status) {
    const double truncated = std::trunc(status);
    const bool representable = truncated >= std::numeric_limits<std::int32_t>::min() &&
                               truncated <= std::numeric_limits<std::int32_t>::max();
    return representable ? static_cast<std::int32_t>(truncated) : 0;
}

Response readResponse(HttpRequestObject& object) {
    Response response;
    response.body = object.responseBody();
    response.headers = object.allResponseHeaders();
    response.status = truncatedStatus(object.status());
    static_cast<void>(object.statusText());
    return response;
}

void handBackCookies(const HttpRequestOptions& options, const std::string& responseHeaders) {
    std::string received = collectReceivedCookies(responseHeaders);
    if (options.cookies != nullptr && options.mergeCookies.value_or(true)) {
        received = mergeCookies(*options.cookies, received);
        *options.cookies = received;
    }
    if (options.receivedCookies != nullptr) {
        *options.receivedCookies = received;
    }
}

template <typename Value>
void handBack(Value* destination, const Value& value) {
    if (destination != nullptr) {
        *destination = value;
    }
}

}  // namespace

std::vector<std::uint8_t> HttpRequest(const HttpRequestOptions& options) {
    return HttpRequest(options, &platform::createHttpRequestObject);
}

std::vector<std::uint8_t> HttpRequest(const HttpRequestOptions& options,
                                      const HttpRequestObjectFactory& createObject) {
    const ComInitialisation com;
    const std::string& method = httpMethodText(options.method);
    // Declared after `com`, so the object is released before COM is.
    const std::shared_ptr<HttpRequestObject> object =
        options.sharedObject ? options.sharedObject : createObject();
    if (!object) {
        return {};
    }
    applyTimeouts(*object, options.timeoutSeconds);
    if (!options.proxy.empty()) {
        object->setProxy(platform::ProxySetting::namedServer, options.proxy);
    }
    object->open(method, options.url, false);
    if (options.noRedirect) {
        object->writeOption(platform::request_option::enableRedirects, 0);
    }
    object->writeOption(platform::request_option::sslErrorIgnoreFlags,
                        platform::request_option::ignoreAllCertificateErrors);
    const std::string headers = headerBlockToSend(options);
    handBack(options.headers, headers);
    sendProxyCredentials(*object, options);
    sendCookies(*object, options.cookies);
    sendHeaderBlock(*object, headers);
    sendBody(*object, options);
    const Response response = readResponse(*object);
    handBack(options.receivedHeaders, response.headers);
    handBack(options.status, response.status);
    handBackCookies(options, response.headers);
    return response.body;
}

}  // namespace lornette
