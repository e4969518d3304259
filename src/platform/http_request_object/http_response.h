// What a completed request leaves to be read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lornette::platform {

struct HttpResponse {
    std::vector<std::uint8_t> body;
    std::string headers;
    double status = 0;
    std::string statusText;
};

}  // namespace lornette::platform
