// The request object on libcurl, for hosts other than Windows.
#pragma once

#include "platform/http_request_object/curl_handles.h"
#include "platform/http_request_object/curl_transfer.h"
#include "platform/http_request_object/http_request_object.h"

#include <optional>

namespace lornette::platform {

class CurlHttpRequestObject final : public HttpRequestObject {
  public:
    explicit CurlHttpRequestObject(CurlEasyHandle handle);

    bool setTimeouts(std::int32_t resolveMilliseconds, std::int32_t connectMilliseconds,
                     std::int32_t sendMilliseconds, std::int32_t receiveMilliseconds) override;
    bool setProxy(ProxySetting setting, const std::string& server) override;
    bool open(const std::string& method, const std::string& url, bool asynchronous) override;
    bool writeOption(std::int32_t index, std::int32_t value) override;
    bool setRequestHeader(const std::string& name, const std::string& value) override;
    bool sendText(const std::string& body) override;
    bool sendBytes(const std::vector<std::uint8_t>& body) override;

    std::vector<std::uint8_t> responseBody() override;
    std::string allResponseHeaders() override;
    double status() override;
    std::string statusText() override;

  private:
    CurlEasyHandle handle_;
    ConnectionSettings settings_;
    std::optional<PreparedRequest> request_;
    std::optional<HttpResponse> response_;
};

}  // namespace lornette::platform
