#include "platform/http_request_object/curl_transfer.h"

#include "platform/http_request_object/curl_handles.h"
#include "platform/http_request_object/data_wait_watch.h"
#include "platform/http_request_object/http_request_object.h"
#include "platform/http_request_object/response_collector.h"

#include <cstddef>
#include <limits>
#include <string_view>

namespace lornette::platform {
namespace {

// libcurl adds these unless told not to; the request carries only what its caller set and what
// HTTP itself needs (Host, Content-Length).
constexpr std::string_view headersLibcurlWouldAdd[] = {"Accept", "Expect", "Content-Type",
                                                       "Proxy-Connection"};
constexpr long maximumRedirects = 10;
constexpr long unlimitedMilliseconds = std::numeric_limits<std::int32_t>::max();

std::string headerLine(const HeaderField& field) {
    // libcurl drops "Name:" as a removal and sends "Name;" as a header with an empty value.
    return field.value.empty() ? field.name + ";" : field.name + ": " + field.value;
}

bool isProxyAuthorization(std::string_view name) {
    return equalIgnoringAsciiCase(name, "Proxy-Authorization");
}

bool ignoresAll(std::int32_t flags, std::int32_t wanted) {
    return (flags & wanted) == wanted;
}

class CurlTransfer {
  public:
    CurlTransfer(CURL* handle, const PreparedRequest& request, const ConnectionSettings& settings)
        : handle_(handle),
          request_(request),
          settings_(settings),
          waitWatch_(timeLimit(settings.timeouts.sendMilliseconds),
                     timeLimit(settings.timeouts.receiveMilliseconds)) {}

    std::optional<HttpResponse> perform(const std::vector<std::uint8_t>& body) {
        curl_easy_reset(handle_);
        const bool configured = configureTarget() && configureMethod(body) && configureHeaders() &&
                                configureConnection() && configureCallbacks();
        if (!configured || curl_easy_perform(handle_) != CURLE_OK) {
            return std::nullopt;
        }
        long statusCode = 0;
        if (curl_easy_getinfo(handle_, CURLINFO_RESPONSE_CODE, &statusCode) != CURLE_OK) {
            return std::nullopt;
        }
        return collector_.response(statusCode);
    }

  private:
    static bool succeeded(std::initializer_list<CURLcode> results) {
        for (const CURLcode result : results) {
            if (result != CURLE_OK) {
                return false;
            }
        }
        return true;
    }

    bool configureTarget() {
        return succeeded({
            curl_easy_setopt(handle_, CURLOPT_URL, request_.url.c_str()),
            curl_easy_setopt(handle_, CURLOPT_PROTOCOLS_STR, "http,https"),
            curl_easy_setopt(handle_, CURLOPT_HTTP_VERSION,
                             static_cast<long>(CURL_HTTP_VERSION_1_1)),
            curl_easy_setopt(handle_, CURLOPT_NOSIGNAL, 1L),
        });
    }

    bool configureMethod(const std::vector<std::uint8_t>& body) {
        const std::string& method = request_.method;
        if (method == "HEAD") {
            return succeeded({curl_easy_setopt(handle_, CURLOPT_NOBODY, 1L)});
        }
        if (body.empty() && method == "GET") {
            return succeeded({curl_easy_setopt(handle_, CURLOPT_HTTPGET, 1L)});
        }
        if (body.empty() && method != "POST") {
            return succeeded({curl_easy_setopt(handle_, CURLOPT_CUSTOMREQUEST, method.c_str())});
        }
        // The body is never empty of a pointer: a null one would make libcurl read standard input.
        const char* bytes = body.empty() ? "" : reinterpret_cast<const char*>(body.data());
        return succeeded({
            curl_easy_setopt(handle_, CURLOPT_POSTFIELDSIZE_LARGE,
                             static_cast<curl_off_t>(body.size())),
            curl_easy_setopt(handle_, CURLOPT_POSTFIELDS, bytes),
            curl_easy_setopt(handle_, CURLOPT_CUSTOMREQUEST,
                             method == "POST" ? nullptr : method.c_str()),
        });
    }

    bool configureHeaders() {
        // Proxy credentials go where the proxy reads them: into the CONNECT of a tunnel, which
        // keeps them from the server behind it, or else into the request itself.
        const bool tunnelled = settings_.proxyServer.has_value() && request_.secure;
        bool appended = true;
        for (const HeaderField& field : request_.headers.fields()) {
            CurlHeaderList& list =
                tunnelled && isProxyAuthorization(field.name) ? proxyHeaders_ : serverHeaders_;
            appended = appended && list.append(headerLine(field));
        }
        for (const std::string_view name : headersLibcurlWouldAdd) {
            if (!request_.headers.contains(name)) {
                appended = appended && serverHeaders_.append(std::string(name) + ":");
            }
        }
        appended = appended && proxyHeaders_.append("Proxy-Connection:");
        return appended && succeeded({
                               curl_easy_setopt(handle_, CURLOPT_HTTPHEADER, serverHeaders_.get()),
                               curl_easy_setopt(handle_, CURLOPT_PROXYHEADER, proxyHeaders_.get()),
                               curl_easy_setopt(handle_, CURLOPT_HEADEROPT,
                                                static_cast<long>(CURLHEADER_SEPARATE)),
                           });
    }

    bool configureConnection() {
        const auto connectLimit = connectPhaseLimit(settings_.timeouts);
        const long connectMilliseconds =
            connectLimit ? static_cast<long>(connectLimit->count()) : unlimitedMilliseconds;
        const std::int32_t ignored = settings_.ignoredCertificateErrors;
        const bool verifyPeer = !ignoresAll(ignored, request_option::ignoreUnknownIssuer |
                                                         request_option::ignoreWrongUsage |
                                                         request_option::ignoreInvalidDate);
        const bool verifyHost = !ignoresAll(ignored, request_option::ignoreNameMismatch);
        return succeeded({
            curl_easy_setopt(handle_, CURLOPT_CONNECTTIMEOUT_MS, connectMilliseconds),
            curl_easy_setopt(handle_, CURLOPT_PROXY, settings_.proxyServer.value_or("").c_str()),
            curl_easy_setopt(handle_, CURLOPT_FOLLOWLOCATION, settings_.followRedirects ? 1L : 0L),
            curl_easy_setopt(handle_, CURLOPT_MAXREDIRS, maximumRedirects),
            // Like the Windows object, a secure request is not redirected to plain HTTP.
            curl_easy_setopt(handle_, CURLOPT_REDIR_PROTOCOLS_STR,
                             request_.secure ? "https" : "http,https"),
            curl_easy_setopt(handle_, CURLOPT_SSL_VERIFYPEER, verifyPeer ? 1L : 0L),
            curl_easy_setopt(handle_, CURLOPT_SSL_VERIFYHOST, verifyHost ? 2L : 0L),
        });
    }

    bool configureCallbacks() {
        return succeeded({
            curl_easy_setopt(handle_, CURLOPT_WRITEFUNCTION, &CurlTransfer::onBodyData),
            curl_easy_setopt(handle_, CURLOPT_WRITEDATA, this),
            curl_easy_setopt(handle_, CURLOPT_HEADERFUNCTION, &CurlTransfer::onHeaderLine),
            curl_easy_setopt(handle_, CURLOPT_HEADERDATA, this),
            curl_easy_setopt(handle_, CURLOPT_PREREQFUNCTION, &CurlTransfer::onRequestStart),
            curl_easy_setopt(handle_, CURLOPT_PREREQDATA, this),
            curl_easy_setopt(handle_, CURLOPT_XFERINFOFUNCTION, &CurlTransfer::onProgress),
            curl_easy_setopt(handle_, CURLOPT_XFERINFODATA, this),
            curl_easy_setopt(handle_, CURLOPT_NOPROGRESS, 0L),
        });
    }

    static std::size_t onBodyData(char* data, std::size_t size, std::size_t count, void* self) {
        auto& transfer = *static_cast<CurlTransfer*>(self);
        transfer.waitWatch_.dataReceived();
        transfer.collector_.addBodyData(std::string_view(data, size * count));
        return size * count;
    }

    static std::size_t onHeaderLine(char* data, std::size_t size, std::size_t count, void* self) {
        auto& transfer = *static_cast<CurlTransfer*>(self);
        transfer.waitWatch_.dataReceived();
        transfer.collector_.addHeaderLine(std::string_view(data, size * count));
        return size * count;
    }

    static int onRequestStart(void* self, char*, char*, int, int) {
        static_cast<CurlTransfer*>(self)->waitWatch_.requestStarted();
        return CURL_PREREQFUNC_OK;
    }

    static int onProgress(void* self, curl_off_t, curl_off_t, curl_off_t bytesToUpload,
                          curl_off_t bytesUploaded) {
        const bool exceeded =
            static_cast<CurlTransfer*>(self)->waitWatch_.waitExceeded(bytesToUpload, bytesUploaded);
        return exceeded ? 1 : 0;
    }

    CURL* handle_;
    const PreparedRequest& request_;
    const ConnectionSettings& settings_;
    CurlHeaderList serverHeaders_;
    CurlHeaderList proxyHeaders_;
    ResponseCollector collector_;
    DataWaitWatch waitWatch_;
};

}  // namespace

std::optional<HttpResponse> performTransfer(CURL* handle, const PreparedRequest& request,
                                            const ConnectionSettings& settings,
                                            const std::vector<std::uint8_t>& body) {
    return CurlTransfer(handle, request, settings).perform(body);
}

}  // namespace lornette::platform
