#include "platform/http_request_object/loopback_servers.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

namespace lornette::test {
namespace {

constexpr int acceptWaitMilliseconds = 10000;

sockaddr_in loopbackAddress(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

std::string lowered(std::string_view text) {
    std::string lower(text);
    for (char& character : lower) {
        character = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    }
    return lower;
}

// The length of the body announced by the request head, 0 when none is.
std::size_t announcedBodyLength(std::string_view head) {
    constexpr std::string_view field = "\r\ncontent-length:";
    const std::string lowerHead = lowered(head);
    const std::size_t position = lowerHead.find(field);
    if (position == std::string::npos) {
        return 0;
    }
    return std::strtoul(lowerHead.c_str() + position + field.size(), nullptr, 10);
}

}  // namespace

Socket& Socket::operator=(Socket&& other) noexcept {
    if (this != &other) {
        Socket old(release());
        descriptor_ = other.release();
    }
    return *this;
}

Socket::~Socket() {
    if (descriptor_ >= 0) {
        close(descriptor_);
    }
}

int Socket::release() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return descriptor;
}

Socket boundLoopbackSocket(bool listening) {
    Socket socket(::socket(AF_INET, SOCK_STREAM, 0));
    const sockaddr_in address = loopbackAddress(0);
    if (socket.get() < 0 ||
        bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        (listening && listen(socket.get(), 8) != 0)) {
        throw std::runtime_error("no loopback socket");
    }
    return socket;
}

int portOf(const Socket& socket) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (getsockname(socket.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("no port");
    }
    return ntohs(address.sin_port);
}

LoopbackHttpServer::LoopbackHttpServer(const std::function<void(httplib::Server&)>& addRoutes) {
    addRoutes(server_);
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) {
        throw std::runtime_error("no loopback port");
    }
    thread_ = std::thread([this] { server_.listen_after_bind(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    // stop() only reaches a server whose loop has started.
    while (!server_.is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    server_.stop();
    thread_.join();
}

std::string LoopbackHttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

RawRequestCapture::RawRequestCapture(std::string reply)
    : listener_(boundLoopbackSocket(true)), port_(portOf(listener_)), reply_(std::move(reply)) {
    thread_ = std::thread([this] { serveOne(); });
}

RawRequestCapture::~RawRequestCapture() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

std::string RawRequestCapture::address() const {
    return "127.0.0.1:" + std::to_string(port_);
}

std::string RawRequestCapture::request() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return request_;
}

void RawRequestCapture::serveOne() {
    pollfd waiting{listener_.get(), POLLIN, 0};
    if (poll(&waiting, 1, acceptWaitMilliseconds) != 1) {
        return;
    }
    const Socket connection(accept(listener_.get(), nullptr, nullptr));
    char buffer[4096];
    std::size_t headEnd = std::string::npos;
    while (headEnd == std::string::npos ||
           request_.size() < headEnd + 4 + announcedBodyLength(request_.substr(0, headEnd))) {
        const ssize_t received = recv(connection.get(), buffer, sizeof buffer, 0);
        if (received <= 0) {
            break;
        }
        request_.append(buffer, static_cast<std::size_t>(received));
        headEnd = request_.find("\r\n\r\n");
    }
    send(connection.get(), reply_.data(), reply_.size(), MSG_NOSIGNAL);
}

}  // namespace lornette::test
