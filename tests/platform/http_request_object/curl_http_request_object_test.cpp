#include "http/http_request.h"
#include "platform/http_request_object/http_request_object.h"
#include "platform/http_request_object/loopback_servers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace lornette {
namespace {

using platform::HttpRequestObject;
using platform::ProxySetting;
using test::LoopbackHttpServer;
using test::RawRequestCapture;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;
using testing::StartsWith;

const std::string userAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

std::string text(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

std::shared_ptr<HttpRequestObject> newObject() {
    auto object = platform::createHttpRequestObject();
    EXPECT_NE(object, nullptr);
    return object;
}

// What a route of the test server saw, read by the test after the request.
struct SeenRequest {
    std::mutex mutex;
    std::string cookie;
    bool hadTestHeader = false;
};

TEST(CurlHttpRequestObject, SendsTheRoutinesHeaderLinesInOrderAndNothingElse) {
    RawRequestCapture server;
    const std::string host = server.address();
    const std::string url = "http://" + host + "/?share=1AbC&pwd=";
    HttpRequestOptions options;
    options.url = url;

    const auto body = HttpRequest(options);

    EXPECT_EQ(text(body), "ok");
    EXPECT_EQ(server.request(),
              "GET /?share=1AbC&pwd= HTTP/1.1\r\n"
              "Host: " +
                  host +
                  "\r\n"
                  "Accept: */*\r\n"
                  "Referer: " +
                  url +
                  "\r\n"
                  "Accept-Language: zh-cn\r\n"
                  "User-Agent: " +
                  userAgent +
                  "\r\n"
                  "\r\n");
}

TEST(CurlHttpRequestObject, SendsAByteBodyWholeWithNoHeaderItWasNotGiven) {
    RawRequestCapture server;
    const auto object = newObject();
    ASSERT_TRUE(object->open("POST", "http://" + server.address() + "/upload", false));
    ASSERT_TRUE(object->setRequestHeader("X-A", "1"));

    EXPECT_TRUE(object->sendBytes({'a', 0, 'b'}));

    EXPECT_EQ(server.request(),
              "POST /upload HTTP/1.1\r\n"
              "Host: " +
                  server.address() +
                  "\r\n"
                  "X-A: 1\r\n"
                  "Content-Length: 3\r\n"
                  "\r\n" +
                  std::string("a\0b", 3));
}

TEST(CurlHttpRequestObject, ReplacesAHeaderOfTheSameNameAndSendsEmptyValues) {
    RawRequestCapture server;
    const auto object = newObject();
    ASSERT_TRUE(object->open("GET", "http://" + server.address() + "/", false));

    EXPECT_TRUE(object->setRequestHeader("X-A", "1"));
    EXPECT_TRUE(object->setRequestHeader("Cookie", ""));
    EXPECT_TRUE(object->setRequestHeader("x-a", "2"));
    object->sendText("");

    EXPECT_EQ(server.request(),
              "GET / HTTP/1.1\r\n"
              "Host: " +
                  server.address() +
                  "\r\n"
                  "X-A: 2\r\n"
                  "Cookie:\r\n"
                  "\r\n");
}

TEST(CurlHttpRequestObject, EscapesSpacesAndControlCharactersAfterTheHost) {
    RawRequestCapture server;
    const auto object = newObject();
    ASSERT_TRUE(
        object->open("GET", "http://" + server.address() + "/?share=a\tb c\r\n~&pwd=", false));

    object->sendText("");

    EXPECT_THAT(server.request(), StartsWith("GET /?share=a%09b%20c%0D%0A~&pwd= HTTP/1.1\r\n"));
}

TEST(CurlHttpRequestObject, SendsTheUrlsCharactersAsEscapedUtf8) {
    RawRequestCapture server;
    const auto object = newObject();
    // The share id in code page 936: the character "文" is the bytes CE C4 there.
    ASSERT_TRUE(
        object->open("GET", "http://" + server.address() + "/?share=\xCE\xC4x&pwd=", false));

    object->sendText("");

    EXPECT_THAT(server.request(), StartsWith("GET /?share=%E6%96%87x&pwd= HTTP/1.1\r\n"));
}

TEST(CurlHttpRequestObject, GoesThroughTheNamedProxyWithItsCredentials) {
    RawRequestCapture proxy;
    const std::string url = "http://resolver.invalid/?share=x&pwd=";
    HttpRequestOptions options;
    options.url = url;
    options.proxy = proxy.address();
    options.proxyUser = "user";
    options.proxyPassword = "pass";

    EXPECT_EQ(text(HttpRequest(options)), "ok");

    EXPECT_EQ(proxy.request(), "GET " + url +
                                   " HTTP/1.1\r\n"
                                   "Host: resolver.invalid\r\n"
                                   "Proxy-Authorization: Basic dXNlcjpwYXNz\r\n"
                                   "Accept: */*\r\n"
                                   "Referer: " +
                                   url +
                                   "\r\n"
                                   "Accept-Language: zh-cn\r\n"
                                   "User-Agent: " +
                                   userAgent +
                                   "\r\n"
                                   "\r\n");
}

TEST(CurlHttpRequestObject, TunnelsASecureRequestWithTheProxyCredentialsOnly) {
    RawRequestCapture proxy("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n");
    const auto object = newObject();
    ASSERT_TRUE(object->setProxy(ProxySetting::namedServer, proxy.address()));
    ASSERT_TRUE(object->open("GET", "https://resolver.invalid/", false));
    ASSERT_TRUE(object->setRequestHeader("Proxy-Authorization", "Basic dXNlcjpwYXNz"));
    ASSERT_TRUE(object->setRequestHeader("Accept", "*/*"));

    EXPECT_FALSE(object->sendText(""));

    EXPECT_EQ(proxy.request(),
              "CONNECT resolver.invalid:443 HTTP/1.1\r\n"
              "Host: resolver.invalid:443\r\n"
              "Proxy-Authorization: Basic dXNlcjpwYXNz\r\n"
              "\r\n");
}

LoopbackHttpServer redirectingServer() {
    return LoopbackHttpServer([](httplib::Server& server) {
        server.Get("/start", [](const httplib::Request&, httplib::Response& response) {
            response.set_header("X-First", "yes");
            response.set_redirect("/final");
            response.set_content("moved", "text/plain");
        });
        server.Get("/final", [](const httplib::Request&, httplib::Response& response) {
            response.set_header("X-Final", "yes");
            response.set_content("final body", "text/plain");
        });
    });
}

TEST(CurlHttpRequestObject, FollowsRedirectsAndGivesTheFinalResponse) {
    const LoopbackHttpServer server = redirectingServer();
    const auto object = newObject();
    ASSERT_TRUE(object->open("GET", server.url("/start"), false));

    ASSERT_TRUE(object->sendText(""));

    EXPECT_EQ(text(object->responseBody()), "final body");
    EXPECT_EQ(object->status(), 200);
    EXPECT_EQ(object->statusText(), "OK");
    const std::string headers = object->allResponseHeaders();
    EXPECT_THAT(headers, HasSubstr("X-Final: yes\r\n"));
    EXPECT_THAT(headers, Not(HasSubstr("X-First")));
    EXPECT_THAT(headers, Not(StartsWith("HTTP/")));
    EXPECT_THAT(headers, testing::EndsWith("\r\n\r\n"));
}

TEST(CurlHttpRequestObject, ReturnsTheRedirectItselfWhenRedirectsAreOff) {
    const LoopbackHttpServer server = redirectingServer();
    const auto object = newObject();
    ASSERT_TRUE(object->open("GET", server.url("/start"), false));
    ASSERT_TRUE(object->writeOption(platform::request_option::enableRedirects, 0));

    ASSERT_TRUE(object->sendText(""));

    EXPECT_EQ(text(object->responseBody()), "moved");
    EXPECT_EQ(object->status(), 302);
    EXPECT_THAT(object->allResponseHeaders(), HasSubstr("Location: /final\r\n"));
}

struct StatusCase {
    int status;
    std::string body;
    std::string statusText;
};

void PrintTo(const StatusCase& c, std::ostream* out) {
    *out << c.status;
}

class CurlHttpRequestObjectStatus : public testing::TestWithParam<StatusCase> {};

TEST_P(CurlHttpRequestObjectStatus, ReturnsTheBodyWithItsStatus) {
    const StatusCase& c = GetParam();
    const LoopbackHttpServer server([&c](httplib::Server& routes) {
        routes.Get("/", [&c](const httplib::Request&, httplib::Response& response) {
            response.status = c.status;
            response.set_content(c.body, "text/html");
        });
    });
    const auto object = newObject();
    ASSERT_TRUE(object->open("GET", server.url("/"), false));

    ASSERT_TRUE(object->sendText(""));

    EXPECT_EQ(text(object->responseBody()), c.body);
    EXPECT_EQ(object->status(), c.status);
    EXPECT_EQ(object->statusText(), c.statusText);
}

INSTANTIATE_TEST_SUITE_P(Cases, CurlHttpRequestObjectStatus,
                         testing::Values(StatusCase{404, "no such page", "Not Found"},
                                         StatusCase{500, "it broke", "Internal Server Error"}));

TEST(CurlHttpRequestObject, KeepsZeroBytesOfTheBody) {
    const std::string binary("\0a\0\0b\0", 6);
    const LoopbackHttpServer server([&binary](httplib::Server& routes) {
        routes.Get("/", [&binary](const httplib::Request&, httplib::Response& response) {
            response.set_content(binary, "application/octet-stream");
        });
    });
    HttpRequestOptions options;
    options.url = server.url("/");

    EXPECT_EQ(text(HttpRequest(options)), binary);
}

TEST(CurlHttpRequestObject, HandsSetCookieLinesToTheRoutine) {
    SeenRequest seen;
    const LoopbackHttpServer server([&seen](httplib::Server& routes) {
        routes.Get("/", [&seen](const httplib::Request& request, httplib::Response& response) {
            const std::lock_guard lock(seen.mutex);
            seen.cookie = request.get_header_value("Cookie");
            response.set_header("Set-Cookie", "a=1; path=/");
            response.set_header("Set-Cookie", "b=2");
            response.set_content("", "text/plain");
        });
    });
    HttpRequestOptions options;
    options.url = server.url("/");
    std::string cookies = "c=3";
    std::string receivedCookies;
    options.cookies = &cookies;
    options.receivedCookies = &receivedCookies;

    HttpRequest(options);

    const std::lock_guard lock(seen.mutex);
    EXPECT_EQ(seen.cookie, "c=3");
    EXPECT_EQ(receivedCookies, "a=1; b=2; c=3");
    EXPECT_EQ(cookies, "a=1; b=2; c=3");
}

TEST(CurlHttpRequestObject, WaitsForEachPieceNotForTheWholeBody) {
    const LoopbackHttpServer server([](httplib::Server& routes) {
        routes.Get("/", [](const httplib::Request&, httplib::Response& response) {
            response.set_chunked_content_provider(
                "text/plain", [](std::size_t offset, httplib::DataSink& sink) {
                    // Three pieces, each well within the one-second wait, together longer.
                    std::this_thread::sleep_for(std::chrono::milliseconds(450));
                    sink.write("ab", 2);
                    if (offset >= 4) {
                        sink.done();
                    }
                    return true;
                });
        });
    });
    HttpRequestOptions options;
    options.url = server.url("/");
    options.timeoutSeconds = 1;

    EXPECT_EQ(text(HttpRequest(options)), "ababab");
}

struct FailureCase {
    std::string description;
    std::function<std::string()> url;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.description;
}

class CurlHttpRequestObjectFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(CurlHttpRequestObjectFailure, GivesAnEmptyBodyAndStatusZero) {
    HttpRequestOptions options;
    options.url = GetParam().url();
    options.timeoutSeconds = 1;
    std::int32_t status = -1;
    std::string receivedHeaders = "left over";
    options.status = &status;
    options.receivedHeaders = &receivedHeaders;

    EXPECT_THAT(HttpRequest(options), IsEmpty());
    EXPECT_EQ(status, 0);
    EXPECT_EQ(receivedHeaders, "");
}

std::string loopbackUrl(int port) {
    return "http://127.0.0.1:" + std::to_string(port) + "/";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CurlHttpRequestObjectFailure,
    testing::Values(
        FailureCase{"a server that never answers",
                    [] {
                        // Connections complete in the backlog; nothing ever reads or answers.
                        static const test::Socket silent = test::boundLoopbackSocket(true);
                        return loopbackUrl(test::portOf(silent));
                    }},
        FailureCase{"a refused connection",
                    [] {
                        static const test::Socket closed = test::boundLoopbackSocket(false);
                        return loopbackUrl(test::portOf(closed));
                    }},
        FailureCase{"an unknown host", [] { return std::string("http://lornette-test.invalid/"); }},
        FailureCase{"a space in the host", [] { return std::string("http://exa mple.invalid/"); }},
        FailureCase{"no scheme", [] { return std::string("resolver.invalid/?share=x"); }},
        FailureCase{"a scheme other than HTTP", [] { return std::string("ftp://127.0.0.1/"); }}));

TEST(CurlHttpRequestObject, RefusesMalformedCallsWithoutEffect) {
    RawRequestCapture server;
    const std::string url = "http://" + server.address() + "/kept";
    const auto object = newObject();
    EXPECT_FALSE(object->setRequestHeader("X-A", "1")) << "before Open";
    EXPECT_FALSE(object->sendText("")) << "before Open";
    EXPECT_FALSE(object->setTimeouts(-2, 1000, 1000, 1000));
    EXPECT_FALSE(object->setProxy(ProxySetting::namedServer, ""));
    EXPECT_FALSE(object->writeOption(99, 1));
    ASSERT_TRUE(object->open("GET", url, false));
    EXPECT_FALSE(object->open("GET", "http://exa mple.invalid/", false));
    EXPECT_FALSE(object->open("GET", url, true)) << "asynchronous";
    EXPECT_FALSE(object->open("BAD METHOD", url, false));
    EXPECT_FALSE(object->setRequestHeader("", "x"));
    EXPECT_FALSE(object->setRequestHeader("Bad Name", "x"));
    EXPECT_FALSE(object->setRequestHeader("X-Bad", "a\r\nInjected: 1"));

    EXPECT_TRUE(object->sendText(""));

    EXPECT_EQ(server.request(), "GET /kept HTTP/1.1\r\nHost: " + server.address() + "\r\n\r\n");
}

TEST(CurlHttpRequestObject, ReadsNothingBeforeASend) {
    const auto object = newObject();
    ASSERT_TRUE(object->open("GET", "http://127.0.0.1/", false));

    EXPECT_THAT(object->responseBody(), IsEmpty());
    EXPECT_EQ(object->allResponseHeaders(), "");
    EXPECT_EQ(object->status(), 0);
    EXPECT_EQ(object->statusText(), "");
}

TEST(CurlHttpRequestObject, OpenStartsAFreshRequestOnTheSameObject) {
    SeenRequest seen;
    const LoopbackHttpServer server([&seen](httplib::Server& routes) {
        routes.Get("/", [&seen](const httplib::Request& request, httplib::Response& response) {
            const std::lock_guard lock(seen.mutex);
            seen.hadTestHeader = request.has_header("X-Test");
            response.set_content("page", "text/plain");
        });
    });
    const auto object = newObject();
    ASSERT_TRUE(object->open("GET", server.url("/"), false));
    ASSERT_TRUE(object->setRequestHeader("X-Test", "1"));
    ASSERT_TRUE(object->sendText(""));

    ASSERT_TRUE(object->open("GET", server.url("/"), false));
    EXPECT_THAT(object->responseBody(), IsEmpty()) << "the earlier response is gone";
    ASSERT_TRUE(object->sendText(""));

    const std::lock_guard lock(seen.mutex);
    EXPECT_FALSE(seen.hadTestHeader);
    EXPECT_EQ(text(object->responseBody()), "page");
}

TEST(CurlHttpRequestObject, HeadGivesTheStatusWithoutABody) {
    const LoopbackHttpServer server([](httplib::Server& routes) {
        routes.Get("/", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("page", "text/plain");
        });
    });
    const auto object = newObject();
    ASSERT_TRUE(object->open("HEAD", server.url("/"), false));

    ASSERT_TRUE(object->sendText(""));

    EXPECT_THAT(object->responseBody(), IsEmpty());
    EXPECT_EQ(object->status(), 200);
    EXPECT_THAT(object->allResponseHeaders(), HasSubstr("Content-Length: 4\r\n"));
}

}  // namespace
}  // namespace lornette
