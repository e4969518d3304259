#include "platform/http_request_object/data_wait_watch.h"

namespace lornette::platform {

DataWaitWatch::DataWaitWatch(std::optional<std::chrono::milliseconds> sendLimit,
                             std::optional<std::chrono::milliseconds> receiveLimit)
    : sendLimit_(sendLimit), receiveLimit_(receiveLimit) {}

void DataWaitWatch::requestStarted() {
    requestUnderway_ = true;
    lastActivity_ = Clock::now();
    bytesUploaded_ = 0;
}

void DataWaitWatch::dataReceived() {
    lastActivity_ = Clock::now();
}

bool DataWaitWatch::waitExceeded(std::int64_t bytesToUpload, std::int64_t bytesUploaded) {
    if (!requestUnderway_) {
        return false;
    }
    const Clock::time_point now = Clock::now();
    if (bytesUploaded != bytesUploaded_) {
        bytesUploaded_ = bytesUploaded;
        lastActivity_ = now;
    }
    const bool sending = bytesUploaded < bytesToUpload;
    const auto& limit = sending ? sendLimit_ : receiveLimit_;
    return limit.has_value() && now - lastActivity_ >= *limit;
}

}  // namespace lornette::platform
