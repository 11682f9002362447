#pragma once
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

// A listener on 127.0.0.1 that hands every connection to a scripted
// behaviour on its own thread: the scoreboard as the tests need it to be,
// well-behaved or hostile.
class LoopbackServer {
 public:
  using Serve = std::function<void(int fd)>;

  explicit LoopbackServer(Serve serve) : serve_(std::move(serve)) {
    listen_fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    bind(listen_fd_, reinterpret_cast<sockaddr*>(&addr), len);
    listen(listen_fd_, 8);
    getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] {
      while (!stop_) {
        pollfd p{listen_fd_, POLLIN, 0};
        if (poll(&p, 1, 20) <= 0) continue;
        const int fd = accept(listen_fd_, nullptr, nullptr);
        if (fd < 0) continue;
        serve_(fd);
        close(fd);
      }
    });
  }
  ~LoopbackServer() {
    stop_ = true;
    thread_.join();
    close(listen_fd_);
  }
  int port() const { return port_; }

  // A port on which nothing listens.
  static int ClosedPort() {
    LoopbackServer gone([](int) {});
    return gone.port();
  }

  // A port held closed for the whole test run: bound by this process and never
  // listened on, so a connection is refused, and no other program (a
  // scoreboard a player started) can take it meanwhile.
  static int HeldClosedPort() {
    static const int port = [] {
      const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);  // kept open to the end
      sockaddr_in addr{};
      addr.sin_family = AF_INET;
      addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      socklen_t len = sizeof addr;
      bind(fd, reinterpret_cast<sockaddr*>(&addr), len);
      getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
      return int(ntohs(addr.sin_port));
    }();
    return port;
  }

  // True when something accepts connections on the loopback port.
  static bool CanConnect(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(uint16_t(port));
    const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    close(fd);
    return ok;
  }

  // Reads one request: the header, then Content-Length bytes and the four
  // bytes the game sends after the body. Gives up after two seconds.
  static std::string ReadRequest(int fd) {
    std::string bytes;
    char chunk[4096];
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < end) {
      const size_t header_end = bytes.find("\r\n\r\n");
      if (header_end != std::string::npos) {
        const size_t at = bytes.find("Content-Length: ");
        const size_t length = at == std::string::npos ? 0 : std::stoul(bytes.substr(at + 16));
        if (bytes.size() >= header_end + 4 + length + 4) break;
      }
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 50) <= 0) continue;
      const ssize_t n = recv(fd, chunk, sizeof chunk, 0);
      if (n <= 0) break;
      bytes.append(chunk, size_t(n));
    }
    return bytes;
  }

  // Waits until the client closes its end (true) or the time is up (false).
  static bool WaitForClose(int fd, int ms) {
    char chunk[4096];
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 20) <= 0) continue;
      if (recv(fd, chunk, sizeof chunk, 0) <= 0) return true;
    }
    return false;
  }

  // Sends everything; false when the client has gone.
  static bool Send(int fd, const std::string& bytes) {
    for (size_t sent = 0; sent < bytes.size();) {
      const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) return false;
      sent += size_t(n);
    }
    return true;
  }

 private:
  Serve serve_;
  int listen_fd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};
