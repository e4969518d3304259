// Bounds each wait for data once a request is on its way, the way the Windows object's send and
// receive time-outs do: the clock restarts whenever bytes move, so a slow but steady transfer
// may take as long as it needs.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace lornette::platform {

class DataWaitWatch {
  public:
    DataWaitWatch(std::optional<std::chrono::milliseconds> sendLimit,
                  std::optional<std::chrono::milliseconds> receiveLimit);

    // A request is about to be written to an established connection.
    void requestStarted();
    void dataReceived();

    // Whether the current wait has lasted too long. While the request body is not yet all sent
    // the send limit applies, afterwards the receive limit.
    bool waitExceeded(std::int64_t bytesToUpload, std::int64_t bytesUploaded);

  private:
    using Clock = std::chrono::steady_clock;

    std::optional<std::chrono::milliseconds> sendLimit_;
    std::optional<std::chrono::milliseconds> receiveLimit_;
    bool requestUnderway_ = false;
    Clock::time_point lastActivity_;
    std::int64_t bytesUploaded_ = 0;
};

}  // namespace lornette::platform
