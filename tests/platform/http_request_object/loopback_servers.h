// Servers on 127.0.0.1 for the request object's tests, each on a port the system picks.
#pragma once

#include <httplib.h>

#include <functional>
#include <string>
#include <thread>

namespace lornette::test {

// An owned socket descriptor.
class Socket {
  public:
    explicit Socket(int descriptor = -1) : descriptor_(descriptor) {}
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    Socket(Socket&& other) noexcept : descriptor_(other.release()) {}
    Socket& operator=(Socket&& other) noexcept;
    ~Socket();

    int get() const { return descriptor_; }
    int release();

  private:
    int descriptor_;
};

// A TCP socket bound to 127.0.0.1 on a free port, listening when asked to.
Socket boundLoopbackSocket(bool listening);
int portOf(const Socket& socket);

// A cpp-httplib server running on its own thread.
class LoopbackHttpServer {
  public:
    explicit LoopbackHttpServer(const std::function<void(httplib::Server&)>& addRoutes);
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;
    ~LoopbackHttpServer();

    std::string url(const std::string& path) const;

  private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

// Takes one connection, keeps the request exactly as its bytes arrived and answers with a fixed
// reply. A server of this kind sees header order and spelling, which cpp-httplib does not keep.
class RawRequestCapture {
  public:
    explicit RawRequestCapture(
        std::string reply = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
    RawRequestCapture(const RawRequestCapture&) = delete;
    RawRequestCapture& operator=(const RawRequestCapture&) = delete;
    ~RawRequestCapture();

    int port() const { return port_; }
    std::string address() const;
    // The request as received; waits until it is in.
    std::string request();

  private:
    void serveOne();

    Socket listener_;
    int port_;
    std::string reply_;
    std::string request_;
    std::thread thread_;
};

}  // namespace lornette::test
