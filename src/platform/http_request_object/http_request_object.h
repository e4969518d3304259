// The platform's HTTP request object: one request at a time, prepared by Open and performed
// synchronously by Send. On Windows it is the COM object "WinHttp.WinHttpRequest.5.1"; elsewhere
// libcurl behaves the same way for everything the program relies on.
//
// Texts are code page 936 bytes. A call that fails reports false and has no effect; a read that
// fails gives an empty value (no bytes, empty text, 0).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lornette::platform {

// The first argument of setProxy.
enum class ProxySetting : std::int32_t {
    preconfigured = 0,
    direct = 1,
    namedServer = 2,
};

// Indices of writeOption and the values the program writes to them.
namespace request_option {
// Certificate errors to ignore; a combination of the flags below.
inline constexpr std::int32_t sslErrorIgnoreFlags = 4;
// 0: redirects are returned as they are; any other value: redirects are followed (the default).
inline constexpr std::int32_t enableRedirects = 6;

inline constexpr std::int32_t ignoreUnknownIssuer = 0x0100;
inline constexpr std::int32_t ignoreWrongUsage = 0x0200;
inline constexpr std::int32_t ignoreNameMismatch = 0x1000;
inline constexpr std::int32_t ignoreInvalidDate = 0x2000;
inline constexpr std::int32_t ignoreAllCertificateErrors =
    ignoreUnknownIssuer | ignoreWrongUsage | ignoreNameMismatch | ignoreInvalidDate;
}  // namespace request_option

class HttpRequestObject {
  public:
    virtual ~HttpRequestObject() = default;

    // Resolve, connect, send and receive time-outs in milliseconds; 0 or -1 waits without limit.
    // Send and receive bound each wait for data, not the whole transfer.
    virtual bool setTimeouts(std::int32_t resolveMilliseconds, std::int32_t connectMilliseconds,
                             std::int32_t sendMilliseconds, std::int32_t receiveMilliseconds) = 0;
    virtual bool setProxy(ProxySetting setting, const std::string& server) = 0;
    // Prepares a new request: headers set for an earlier one and its response are gone.
    virtual bool open(const std::string& method, const std::string& url, bool asynchronous) = 0;
    virtual bool writeOption(std::int32_t index, std::int32_t value) = 0;
    // Adds the header, replacing one of the same name; names and values must be well formed.
    virtual bool setRequestHeader(const std::string& name, const std::string& value) = 0;
    // Performs the request and returns when the response is in or the request failed.
    virtual bool sendText(const std::string& body) = 0;
    virtual bool sendBytes(const std::vector<std::uint8_t>& body) = 0;

    virtual std::vector<std::uint8_t> responseBody() = 0;
    // The header lines of the final response without its status line, each followed by "\r\n",
    // and one more "\r\n" after the last.
    virtual std::string allResponseHeaders() = 0;
    virtual double status() = 0;
    virtual std::string statusText() = 0;

  protected:
    HttpRequestObject() = default;
    HttpRequestObject(const HttpRequestObject&) = default;
    HttpRequestObject& operator=(const HttpRequestObject&) = default;
};

// A new request object, or null when none can be created.
std::shared_ptr<HttpRequestObject> createHttpRequestObject();

}  // namespace lornette::platform
