// A request object that records every call made to it, one readable line each, and answers with
// a response given beforehand.
#pragma once

#include "platform/http_request_object/http_request_object.h"

#include <string>
#include <string_view>
#include <vector>

namespace lornette::test {

struct RecordedResponse {
    std::vector<std::uint8_t> body;
    std::string headers;
    double status = 0;
    std::string statusText;
};

class RecordingRequestObject final : public platform::HttpRequestObject {
  public:
    explicit RecordingRequestObject(RecordedResponse response = {});

    // Lines such as "SetRequestHeader [Accept] [*/*]", in call order.
    const std::vector<std::string>& calls() const { return calls_; }
    // The lines that begin with `prefix`.
    std::vector<std::string> callsStartingWith(std::string_view prefix) const;
    // The calling thread's COM initialisation depth when the request was sent.
    int comDepthAtSend() const { return comDepthAtSend_; }

    bool setTimeouts(std::int32_t resolveMilliseconds, std::int32_t connectMilliseconds,
                     std::int32_t sendMilliseconds, std::int32_t receiveMilliseconds) override;
    bool setProxy(platform::ProxySetting setting, const std::string& server) override;
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
    void record(std::string_view operation, const std::vector<std::string>& arguments);

    RecordedResponse response_;
    std::vector<std::string> calls_;
    int comDepthAtSend_ = -1;
};

}  // namespace lornette::test
