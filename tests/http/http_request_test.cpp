#include "http/http_request.h"

#include "http/recording_request_object.h"
#include "platform/emu/control.h"
#include "support/cp936.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace lornette {
namespace {

using test::RecordedResponse;
using test::RecordingRequestObject;
using testing::ElementsAre;
using testing::IsEmpty;

const std::string url = "http://host.example/page";
const std::string userAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

std::vector<std::uint8_t> bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

std::string header(const std::string& name, const std::string& value) {
    return "SetRequestHeader [" + name + "] [" + value + "]";
}

const std::string acceptDefault = header("Accept", "*/*");
const std::string refererDefault = header("Referer", url);
const std::string languageDefault = header("Accept-Language", "zh-cn");
const std::string agentDefault = header("User-Agent", userAgent);

// Runs the request on a new recording object, which the test keeps for inspection.
std::shared_ptr<RecordingRequestObject> record(const HttpRequestOptions& options,
                                               RecordedResponse response = {}) {
    auto object = std::make_shared<RecordingRequestObject>(std::move(response));
    HttpRequest(options, [object] { return object; });
    return object;
}

TEST(HttpRequest, ResolverQueryMakesExactlyTheseCalls) {
    const std::string resolverUrl = "http://resolver.example/?share=1AbCdEf&pwd=ab12";
    HttpRequestOptions options;
    options.url = resolverUrl;
    std::string headers;
    options.headers = &headers;

    const auto object = record(options);

    EXPECT_THAT(
        object->calls(),
        ElementsAre("SetTimeouts [15000] [15000] [15000] [15000]",
                    "Open [GET] [" + resolverUrl + "] [false]", "Option [4] [13056]", acceptDefault,
                    header("Referer", resolverUrl), languageDefault, agentDefault, "Send text []",
                    "ResponseBody", "GetAllResponseHeaders", "Status", "StatusText"));
    EXPECT_EQ(headers, "Accept: */*\r\nReferer: " + resolverUrl +
                           "\r\nAccept-Language: zh-cn\r\nUser-Agent: " + userAgent);
}

struct CallsCase {
    std::string description;
    std::function<void(HttpRequestOptions&)> configure;
    std::optional<std::string> headers;
    std::optional<std::string> cookies;
    // Only the recorded calls that begin with this text are compared.
    std::string callPrefix;
    std::vector<std::string> expected;
};

void PrintTo(const CallsCase& c, std::ostream* out) {
    *out << c.description;
}

class HttpRequestCalls : public testing::TestWithParam<CallsCase> {};

TEST_P(HttpRequestCalls, AreTheseInThisOrder) {
    const CallsCase& c = GetParam();
    HttpRequestOptions options;
    options.url = url;
    std::string headers = c.headers.value_or("");
    std::string cookies = c.cookies.value_or("");
    options.headers = c.headers ? &headers : nullptr;
    options.cookies = c.cookies ? &cookies : nullptr;
    if (c.configure) {
        c.configure(options);
    }

    const auto object = record(options);

    EXPECT_EQ(object->callsStartingWith(c.callPrefix), c.expected);
}

void withoutDefaultsOrNormalising(HttpRequestOptions& options) {
    options.addDefaultHeaders = false;
    options.normaliseNames = false;
}

void throughProxyWithCredentials(HttpRequestOptions& options) {
    options.proxy = "proxy.example:8080";
    options.proxyUser = "user";
    options.proxyPassword = "pass";
}

INSTANTIATE_TEST_SUITE_P(
    Method, HttpRequestCalls,
    testing::Values(CallsCase{"method 8 is GET",
                              [](auto& o) { o.method = 8; },
                              {},
                              {},
                              "Open",
                              {"Open [GET] [" + url + "] [false]"}},
                    CallsCase{"method -1 is GET",
                              [](auto& o) { o.method = -1; },
                              {},
                              {},
                              "Open",
                              {"Open [GET] [" + url + "] [false]"}},
                    CallsCase{"method 1 is POST",
                              [](auto& o) { o.method = 1; },
                              {},
                              {},
                              "Open",
                              {"Open [POST] [" + url + "] [false]"}},
                    CallsCase{"method 7 is CONNECT",
                              [](auto& o) { o.method = 7; },
                              {},
                              {},
                              "Open",
                              {"Open [CONNECT] [" + url + "] [false]"}},
                    CallsCase{"POST adds a Content-Type line last",
                              [](auto& o) { o.method = 1; },
                              {},
                              {},
                              "SetRequestHeader",
                              {acceptDefault, refererDefault, languageDefault, agentDefault,
                               header("Content-Type", "application/x-www-form-urlencoded")}},
                    CallsCase{"POST keeps the caller's Content-Type",
                              [](auto& o) { o.method = 1; },
                              "content-type: text/plain",
                              {},
                              "SetRequestHeader",
                              {header("Content-Type", "text/plain"), acceptDefault, refererDefault,
                               languageDefault, agentDefault}}));

INSTANTIATE_TEST_SUITE_P(Timeouts, HttpRequestCalls,
                         testing::Values(CallsCase{"-1 keeps the object's time-outs",
                                                   [](auto& o) { o.timeoutSeconds = -1; },
                                                   {},
                                                   {},
                                                   "SetTimeouts",
                                                   {}},
                                         CallsCase{"0 is 15 seconds",
                                                   [](auto& o) { o.timeoutSeconds = 0; },
                                                   {},
                                                   {},
                                                   "SetTimeouts",
                                                   {"SetTimeouts [15000] [15000] [15000] [15000]"}},
                                         CallsCase{"-5 is 15 seconds",
                                                   [](auto& o) { o.timeoutSeconds = -5; },
                                                   {},
                                                   {},
                                                   "SetTimeouts",
                                                   {"SetTimeouts [15000] [15000] [15000] [15000]"}},
                                         CallsCase{"2 is 2 seconds",
                                                   [](auto& o) { o.timeoutSeconds = 2; },
                                                   {},
                                                   {},
                                                   "SetTimeouts",
                                                   {"SetTimeouts [2000] [2000] [2000] [2000]"}}));

INSTANTIATE_TEST_SUITE_P(
    HeaderLines, HttpRequestCalls,
    testing::Values(CallsCase{"a caller's Accept line in any case stands for the default",
                              {},
                              "accept: text/html",
                              {},
                              "SetRequestHeader",
                              {header("Accept", "text/html"), refererDefault, languageDefault,
                               agentDefault}},
                    CallsCase{"a probe matches anywhere in the block",
                              {},
                              "X-Note: user-agent: none",
                              {},
                              "SetRequestHeader",
                              {header("X-Note", "user-agent: none"), acceptDefault, refererDefault,
                               languageDefault}},
                    CallsCase{"names are normalised and lines without a colon dropped",
                              [](auto& o) { o.addDefaultHeaders = false; },
                              "x-custom-id: 7\r\n\r\nbad line",
                              {},
                              "SetRequestHeader",
                              {header("X-Custom-Id", "7")}},
                    CallsCase{"Connection: keep-alive is skipped in a block",
                              withoutDefaultsOrNormalising,
                              "Connection: keep-alive\r\nX-A: 1",
                              {},
                              "SetRequestHeader",
                              {header("X-A", "1")}},
                    CallsCase{"Connection: keep-alive alone is sent",
                              withoutDefaultsOrNormalising,
                              "Connection: keep-alive",
                              {},
                              "SetRequestHeader",
                              {header("Connection", "keep-alive")}},
                    CallsCase{"the keep-alive comparison is case-sensitive",
                              withoutDefaultsOrNormalising,
                              "connection: keep-alive\r\nX-A: 1",
                              {},
                              "SetRequestHeader",
                              {header("connection", "keep-alive"), header("X-A", "1")}},
                    CallsCase{"an empty block alone still makes one call",
                              withoutDefaultsOrNormalising,
                              {},
                              {},
                              "SetRequestHeader",
                              {header("", "")}}));

INSTANTIATE_TEST_SUITE_P(
    Cookies, HttpRequestCalls,
    testing::Values(
        CallsCase{"unset: no Cookie header", {}, {}, {}, "SetRequestHeader [Cookie]", {}},
        CallsCase{"empty: a Cookie header with an empty value",
                  {},
                  {},
                  "",
                  "SetRequestHeader [Cookie]",
                  {header("Cookie", "")}},
        CallsCase{"prefix deleted, the space after it stays",
                  {},
                  {},
                  "Cookie: a=1",
                  "SetRequestHeader [Cookie]",
                  {header("Cookie", " a=1")}},
        CallsCase{"every prefix deleted, case ignored",
                  {},
                  {},
                  "a=1; COOKIE:b=2",
                  "SetRequestHeader [Cookie]",
                  {header("Cookie", "a=1; b=2")}}));

INSTANTIATE_TEST_SUITE_P(
    Proxy, HttpRequestCalls,
    testing::Values(CallsCase{"the named proxy",
                              throughProxyWithCredentials,
                              {},
                              {},
                              "SetProxy",
                              {"SetProxy [2] [proxy.example:8080]"}},
                    CallsCase{"Basic credentials",
                              throughProxyWithCredentials,
                              {},
                              {},
                              "SetRequestHeader [Proxy-Authorization]",
                              {header("Proxy-Authorization", "Basic dXNlcjpwYXNz")}},
                    CallsCase{"credentials only in mode 1",
                              [](auto& o) {
                                  throughProxyWithCredentials(o);
                                  o.proxyAuthMode = 0;
                              },
                              {},
                              {},
                              "SetRequestHeader [Proxy-Authorization]",
                              {}},
                    CallsCase{"no credentials without a user",
                              [](auto& o) {
                                  throughProxyWithCredentials(o);
                                  o.proxyUser = "";
                              },
                              {},
                              {},
                              "SetRequestHeader [Proxy-Authorization]",
                              {}},
                    CallsCase{"no proxy and no credentials without a proxy",
                              [](auto& o) {
                                  throughProxyWithCredentials(o);
                                  o.proxy = "";
                              },
                              {},
                              {},
                              "SetProxy",
                              {}},
                    CallsCase{"credentials, cookies, the caller's lines, then the defaults",
                              throughProxyWithCredentials,
                              "X-A: 1",
                              "c=1",
                              "SetRequestHeader",
                              {header("Proxy-Authorization", "Basic dXNlcjpwYXNz"),
                               header("Cookie", "c=1"), header("X-A", "1"), acceptDefault,
                               refererDefault, languageDefault, agentDefault}}));

INSTANTIATE_TEST_SUITE_P(
    OptionsAndBody, HttpRequestCalls,
    testing::Values(CallsCase{"certificate errors ignored, redirects left alone",
                              {},
                              {},
                              {},
                              "Option",
                              {"Option [4] [13056]"}},
                    CallsCase{"noRedirect switches redirects off first",
                              [](auto& o) { o.noRedirect = true; },
                              {},
                              {},
                              "Option",
                              {"Option [6] [0]", "Option [4] [13056]"}},
                    CallsCase{"the text body",
                              [](auto& o) { o.textBody = "a=1&b=2"; },
                              {},
                              {},
                              "Send",
                              {"Send text [a=1&b=2]"}},
                    CallsCase{"the byte body, zero bytes included",
                              [](auto& o) { o.byteBody = bytes(std::string_view("x\0y", 3)); },
                              {},
                              {},
                              "Send",
                              {"Send bytes [" + std::string("x\0y", 3) + "]"}},
                    CallsCase{"the byte body before the text body",
                              [](auto& o) {
                                  o.textBody = "text";
                                  o.byteBody = bytes("bytes");
                              },
                              {},
                              {},
                              "Send",
                              {"Send bytes [bytes]"}}));

struct CookieCase {
    std::string description;
    std::string responseHeaders;
    std::optional<std::string> cookies;
    std::optional<bool> mergeCookies;
    std::string expectedReceived;
    std::optional<std::string> expectedCookies;
};

void PrintTo(const CookieCase& c, std::ostream* out) {
    *out << c.description;
}

class HttpRequestCookies : public testing::TestWithParam<CookieCase> {};

TEST_P(HttpRequestCookies, AreHandedBack) {
    const CookieCase& c = GetParam();
    HttpRequestOptions options;
    options.url = url;
    std::string cookies = c.cookies.value_or("");
    options.cookies = c.cookies ? &cookies : nullptr;
    options.mergeCookies = c.mergeCookies;
    std::string received = "left over";
    options.receivedCookies = &received;

    record(options, RecordedResponse{{}, c.responseHeaders, 200, "OK"});

    EXPECT_EQ(received, c.expectedReceived);
    if (c.expectedCookies) {
        EXPECT_EQ(cookies, *c.expectedCookies);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HttpRequestCookies,
    testing::Values(
        CookieCase{"Set-Cookie lines collected, other spellings not",
                   "Content-Type: text/html\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n"
                   "set-cookie: c=3\r\n\r\n",
                   {},
                   {},
                   "a=1; b=2",
                   {}},
        CookieCase{"no Set-Cookie lines", "Content-Type: text/html\r\n\r\n", {}, {}, "", {}},
        CookieCase{"merged into both",
                   "Set-Cookie: a=2\r\nSet-Cookie: b=deleted\r\n\r\n",
                   "a=1; c=3",
                   {},
                   "a=2; c=3",
                   "a=2; c=3"},
        CookieCase{"not merged when switched off",
                   "Set-Cookie: a=2\r\nSet-Cookie: b=deleted\r\n\r\n", "a=1; c=3", false,
                   "a=2; b=deleted", "a=1; c=3"},
        CookieCase{"merge drops spaces, full-width ones included, and repeats",
                   "Set-Cookie: y=3\r\nSet-Cookie: y=3\r\n\r\n",
                   test_support::cp936("x=1;　y=2"),
                   {},
                   "y=3; x=1",
                   "y=3; x=1"},
        CookieCase{"the prefix-free cookies are written back", "\r\n", "Cookie: a=1", false, "",
                   " a=1"}));

TEST(HttpRequest, HandsBackTheResponseWhateverItsStatus) {
    HttpRequestOptions options;
    options.url = url;
    std::string receivedHeaders;
    std::int32_t status = -1;
    options.receivedHeaders = &receivedHeaders;
    options.status = &status;
    const std::string responseHeaders = "Content-Length: 9\r\n\r\n";
    auto object = std::make_shared<RecordingRequestObject>(
        RecordedResponse{bytes("not found"), responseHeaders, 404.9, "Not Found"});

    const auto body = HttpRequest(options, [object] { return object; });

    EXPECT_EQ(body, bytes("not found"));
    EXPECT_EQ(receivedHeaders, responseHeaders);
    EXPECT_EQ(status, 404);
}

TEST(HttpRequest, WithoutAnObjectReturnsEmptyAndWritesNothing) {
    std::string headers = "X-A: 1";
    std::string cookies = "Cookie: a=1";
    std::string receivedCookies = "before";
    std::string receivedHeaders = "before";
    std::int32_t status = 7;
    HttpRequestOptions options;
    options.url = url;
    options.headers = &headers;
    options.cookies = &cookies;
    options.receivedCookies = &receivedCookies;
    options.receivedHeaders = &receivedHeaders;
    options.status = &status;

    const auto body = HttpRequest(options, [] { return nullptr; });

    EXPECT_THAT(body, IsEmpty());
    EXPECT_EQ(headers, "X-A: 1");
    EXPECT_EQ(cookies, "Cookie: a=1");
    EXPECT_EQ(receivedCookies, "before");
    EXPECT_EQ(receivedHeaders, "before");
    EXPECT_EQ(status, 7);
    EXPECT_EQ(emu::control::comInitialisationDepth(), 0);
}

TEST(HttpRequest, ReleasesItsObjectAndBalancesCom) {
    std::weak_ptr<RecordingRequestObject> created;
    HttpRequestOptions options;
    options.url = url;

    HttpRequest(options, [&created] {
        auto object = std::make_shared<RecordingRequestObject>();
        created = object;
        return object;
    });

    EXPECT_TRUE(created.expired());
    EXPECT_EQ(emu::control::comInitialisationDepth(), 0);
}

TEST(HttpRequest, RunsOnASharedObjectWithinCom) {
    const auto shared = std::make_shared<RecordingRequestObject>();
    HttpRequestOptions options;
    options.url = url;
    options.sharedObject = shared;
    bool created = false;

    HttpRequest(options, [&created] {
        created = true;
        return nullptr;
    });

    EXPECT_FALSE(created);
    EXPECT_THAT(shared->callsStartingWith("Open"), ElementsAre("Open [GET] [" + url + "] [false]"));
    EXPECT_EQ(shared->comDepthAtSend(), 1);
    EXPECT_EQ(emu::control::comInitialisationDepth(), 0);
}

}  // namespace
}  // namespace lornette
