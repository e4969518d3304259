// Gathers a response from the header lines and body data that libcurl hands over. Only the last
// response counts: a redirect or an interim (1xx) response is replaced by the one that follows.
#pragma once

#include "platform/http_request_object/http_response.h"

#include <string>
#include <string_view>
#include <vector>

namespace lornette::platform {

class ResponseCollector {
  public:
    // One line as received, status line and the empty line that ends the block included.
    void addHeaderLine(std::string_view line);
    void addBodyData(std::string_view data);

    HttpResponse response(long statusCode) const;

  private:
    void startResponse(std::string_view statusLine);

    std::string statusText_;
    std::vector<std::string> headerLines_;
    bool headerBlockEnded_ = false;
    std::vector<std::uint8_t> body_;
};

}  // namespace lornette::platform
