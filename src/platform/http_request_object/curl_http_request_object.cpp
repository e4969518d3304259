#include "platform/http_request_object/curl_http_request_object.h"

#include "platform/http_request_object/request_url.h"

#include <algorithm>
#include <utility>

namespace lornette::platform {
namespace {

// libcurl's process-wide state, set up before the first object and released at exit.
class CurlLibrary {
  public:
    CurlLibrary() : ready_(curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK) {}
    CurlLibrary(const CurlLibrary&) = delete;
    CurlLibrary& operator=(const CurlLibrary&) = delete;
    ~CurlLibrary() {
        if (ready_) {
            curl_global_cleanup();
        }
    }

    bool ready() const { return ready_; }

  private:
    bool ready_;
};

}  // namespace

std::shared_ptr<HttpRequestObject> createHttpRequestObject() {
    static const CurlLibrary library;
    if (!library.ready()) {
        return nullptr;
    }
    CurlEasyHandle handle(curl_easy_init());
    if (!handle) {
        return nullptr;
    }
    return std::make_shared<CurlHttpRequestObject>(std::move(handle));
}

CurlHttpRequestObject::CurlHttpRequestObject(CurlEasyHandle handle) : handle_(std::move(handle)) {}

bool CurlHttpRequestObject::setTimeouts(std::int32_t resolveMilliseconds,
                                        std::int32_t connectMilliseconds,
                                        std::int32_t sendMilliseconds,
                                        std::int32_t receiveMilliseconds) {
    const RequestTimeouts timeouts{resolveMilliseconds, connectMilliseconds, sendMilliseconds,
                                   receiveMilliseconds};
    if (!areValidTimeouts(timeouts)) {
        return false;
    }
    settings_.timeouts = timeouts;
    return true;
}

bool CurlHttpRequestObject::setProxy(ProxySetting setting, const std::string& server) {
    switch (setting) {
        case ProxySetting::preconfigured:
        case ProxySetting::direct:
            settings_.proxyServer.reset();
            return true;
        case ProxySetting::namedServer:
            if (server.empty()) {
                return false;
            }
            settings_.proxyServer = server;
            return true;
    }
    return false;
}

bool CurlHttpRequestObject::open(const std::string& method, const std::string& url,
                                 bool asynchronous) {
    const std::optional<RequestUrl> parsed = parseRequestUrl(url);
    if (asynchronous || !isHttpToken(method) || !parsed) {
        return false;
    }
    request_ = PreparedRequest{method, parsed->text, parsed->secure, {}};
    response_.reset();
    return true;
}

bool CurlHttpRequestObject::writeOption(std::int32_t index, std::int32_t value) {
    switch (index) {
        case request_option::sslErrorIgnoreFlags:
            if ((value & ~request_option::ignoreAllCertificateErrors) != 0) {
                return false;
            }
            settings_.ignoredCertificateErrors = value;
            return true;
        case request_option::enableRedirects:
            settings_.followRedirects = value != 0;
            return true;
        default:
            return false;
    }
}

bool CurlHttpRequestObject::setRequestHeader(const std::string& name, const std::string& value) {
    return request_.has_value() && request_->headers.set(name, value);
}

bool CurlHttpRequestObject::sendText(const std::string& body) {
    return sendBytes(std::vector<std::uint8_t>(body.begin(), body.end()));
}

bool CurlHttpRequestObject::sendBytes(const std::vector<std::uint8_t>& body) {
    if (!request_) {
        return false;
    }
    response_ = performTransfer(handle_.get(), *request_, settings_, body);
    return response_.has_value();
}

std::vector<std::uint8_t> CurlHttpRequestObject::responseBody() {
    return response_ ? response_->body : std::vector<std::uint8_t>();
}

std::string CurlHttpRequestObject::allResponseHeaders() {
    return response_ ? response_->headers : std::string();
}

double CurlHttpRequestObject::status() {
    return response_ ? response_->status : 0;
}

std::string CurlHttpRequestObject::statusText() {
    return response_ ? response_->statusText : std::string();
}

}  // namespace lornette::platform
