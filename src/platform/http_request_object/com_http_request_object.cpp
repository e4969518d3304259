// The request object on Windows: "WinHttp.WinHttpRequest.5.1", driven through IDispatch.
#include "platform/http_request_object/com_dispatch.h"
#include "platform/http_request_object/http_request_object.h"

#include <utility>

namespace lornette::platform {
namespace {

class ComHttpRequestObject final : public HttpRequestObject {
  public:
    explicit ComHttpRequestObject(DispatchObject object) : object_(std::move(object)) {}

    bool setTimeouts(std::int32_t resolveMilliseconds, std::int32_t connectMilliseconds,
                     std::int32_t sendMilliseconds, std::int32_t receiveMilliseconds) override {
        std::vector<Variant> arguments;
        for (const std::int32_t milliseconds :
             {resolveMilliseconds, connectMilliseconds, sendMilliseconds, receiveMilliseconds}) {
            arguments.push_back(Variant::fromInteger(milliseconds));
        }
        return object_.call(L"SetTimeouts", arguments);
    }

    bool setProxy(ProxySetting setting, const std::string& server) override {
        std::vector<Variant> arguments;
        arguments.push_back(Variant::fromInteger(static_cast<std::int32_t>(setting)));
        if (setting == ProxySetting::namedServer && !appendText(arguments, server)) {
            return false;
        }
        return object_.call(L"SetProxy", arguments);
    }

    bool open(const std::string& method, const std::string& url, bool asynchronous) override {
        std::vector<Variant> arguments;
        if (!appendText(arguments, method) || !appendText(arguments, url)) {
            return false;
        }
        arguments.push_back(Variant::fromBoolean(asynchronous));
        return object_.call(L"Open", arguments);
    }

    bool writeOption(std::int32_t index, std::int32_t value) override {
        Variant optionIndex = Variant::fromInteger(index);
        Variant optionValue = Variant::fromInteger(value);
        return object_.writeIndexed(L"Option", optionIndex, optionValue);
    }

    bool setRequestHeader(const std::string& name, const std::string& value) override {
        std::vector<Variant> arguments;
        return appendText(arguments, name) && appendText(arguments, value) &&
               object_.call(L"SetRequestHeader", arguments);
    }

    bool sendText(const std::string& body) override {
        std::vector<Variant> arguments;
        return appendText(arguments, body) && object_.call(L"Send", arguments);
    }

    bool sendBytes(const std::vector<std::uint8_t>& body) override {
        std::optional<Variant> bytes = Variant::fromBytes(body);
        if (!bytes) {
            return false;
        }
        std::vector<Variant> arguments;
        arguments.push_back(std::move(*bytes));
        return object_.call(L"Send", arguments);
    }

    std::vector<std::uint8_t> responseBody() override {
        const std::optional<Variant> body = object_.read(L"ResponseBody");
        return body ? body->toBytes() : std::vector<std::uint8_t>();
    }

    std::string allResponseHeaders() override { return readText(L"GetAllResponseHeaders"); }

    double status() override {
        const std::optional<Variant> status = object_.read(L"Status");
        return status ? status->toNumber() : 0;
    }

    std::string statusText() override { return readText(L"StatusText"); }

  private:
    static bool appendText(std::vector<Variant>& arguments, const std::string& text) {
        std::optional<Variant> variant = Variant::fromText(text);
        if (!variant) {
            return false;
        }
        arguments.push_back(std::move(*variant));
        return true;
    }

    std::string readText(const wchar_t* member) {
        const std::optional<Variant> text = object_.read(member);
        return text ? text->toText() : std::string();
    }

    DispatchObject object_;
};

}  // namespace

std::shared_ptr<HttpRequestObject> createHttpRequestObject() {
    std::optional<DispatchObject> object = DispatchObject::create(L"WinHttp.WinHttpRequest.5.1");
    if (!object) {
        return nullptr;
    }
    return std::make_shared<ComHttpRequestObject>(std::move(*object));
}

}  // namespace lornette::platform
