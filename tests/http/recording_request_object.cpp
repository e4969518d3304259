#include "http/recording_request_object.h"

#include "platform/emu/control.h"

#include <utility>

namespace lornette::test {

RecordingRequestObject::RecordingRequestObject(RecordedResponse response)
    : response_(std::move(response)) {}

std::vector<std::string> RecordingRequestObject::callsStartingWith(std::string_view prefix) const {
    std::vector<std::string> matching;
    for (const std::string& call : calls_) {
        if (call.starts_with(prefix)) {
            matching.push_back(call);
        }
    }
    return matching;
}

bool RecordingRequestObject::setTimeouts(std::int32_t resolveMilliseconds,
                                         std::int32_t connectMilliseconds,
                                         std::int32_t sendMilliseconds,
                                         std::int32_t receiveMilliseconds) {
    record("SetTimeouts", {std::to_string(resolveMilliseconds), std::to_string(connectMilliseconds),
                           std::to_string(sendMilliseconds), std::to_string(receiveMilliseconds)});
    return true;
}

bool RecordingRequestObject::setProxy(platform::ProxySetting setting, const std::string& server) {
    record("SetProxy", {std::to_string(static_cast<int>(setting)), server});
    return true;
}

bool RecordingRequestObject::open(const std::string& method, const std::string& url,
                                  bool asynchronous) {
    record("Open", {method, url, asynchronous ? "true" : "false"});
    return true;
}

bool RecordingRequestObject::writeOption(std::int32_t index, std::int32_t value) {
    record("Option", {std::to_string(index), std::to_string(value)});
    return true;
}

bool RecordingRequestObject::setRequestHeader(const std::string& name, const std::string& value) {
    record("SetRequestHeader", {name, value});
    return true;
}

bool RecordingRequestObject::sendText(const std::string& body) {
    comDepthAtSend_ = emu::control::comInitialisationDepth();
    record("Send text", {body});
    return true;
}

bool RecordingRequestObject::sendBytes(const std::vector<std::uint8_t>& body) {
    comDepthAtSend_ = emu::control::comInitialisationDepth();
    record("Send bytes", {std::string(body.begin(), body.end())});
    return true;
}

std::vector<std::uint8_t> RecordingRequestObject::responseBody() {
    record("ResponseBody", {});
    return response_.body;
}

std::string RecordingRequestObject::allResponseHeaders() {
    record("GetAllResponseHeaders", {});
    return response_.headers;
}

double RecordingRequestObject::status() {
    record("Status", {});
    return response_.status;
}

std::string RecordingRequestObject::statusText() {
    record("StatusText", {});
    return response_.statusText;
}

void RecordingRequestObject::record(std::string_view operation,
                                    const std::vector<std::string>& arguments) {
    std::string line(operation);
    for (const std::string& argument : arguments) {
        line += " [" + argument + "]";
    }
    calls_.push_back(std::move(line));
}

}  // namespace lornette::test
