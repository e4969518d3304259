#include "platform/http_request_object/request_timeouts.h"

namespace lornette::platform {

bool areValidTimeouts(const RequestTimeouts& timeouts) {
    for (const std::int32_t value : {timeouts.resolveMilliseconds, timeouts.connectMilliseconds,
                                     timeouts.sendMilliseconds, timeouts.receiveMilliseconds}) {
        if (value < -1) {
            return false;
        }
    }
    return true;
}

std::optional<std::chrono::milliseconds> timeLimit(std::int32_t milliseconds) {
    if (milliseconds <= 0) {
        return std::nullopt;
    }
    return std::chrono::milliseconds(milliseconds);
}

std::optional<std::chrono::milliseconds> connectPhaseLimit(const RequestTimeouts& timeouts) {
    const auto resolve = timeLimit(timeouts.resolveMilliseconds);
    const auto connect = timeLimit(timeouts.connectMilliseconds);
    if (!resolve || !connect) {
        return std::nullopt;
    }
    return *resolve + *connect;
}

}  // namespace lornette::platform
