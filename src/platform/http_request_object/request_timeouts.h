// The four time-outs of a request object, as the Windows object takes them: milliseconds, with
// 0 and -1 meaning no limit.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace lornette::platform {

struct RequestTimeouts {
    std::int32_t resolveMilliseconds = 0;
    std::int32_t connectMilliseconds = 60000;
    std::int32_t sendMilliseconds = 30000;
    std::int32_t receiveMilliseconds = 30000;
};

// Every value is 0, -1 or positive.
bool areValidTimeouts(const RequestTimeouts& timeouts);

// The limit one value sets; none for 0 and -1.
std::optional<std::chrono::milliseconds> timeLimit(std::int32_t milliseconds);

// Name resolution and connecting are one phase for libcurl: the two limits added, or none when
// either is unlimited.
std::optional<std::chrono::milliseconds> connectPhaseLimit(const RequestTimeouts& timeouts);

}  // namespace lornette::platform
