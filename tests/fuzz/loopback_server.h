#pragma once
// A one-connection-at-a-time HTTP server on 127.0.0.1 for the fuzz targets of
// the scoreboard client: every connection is answered with the current fuzz
// input, byte for byte, so the game's own socket reader and answer parsers
// take it exactly as they would take a server's answer.
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

class LoopbackServer {
 public:
  LoopbackServer() {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&addr), len) != 0 || listen(listener_, 8) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
      abort();
    port_ = ntohs(addr.sin_port);
    std::thread([this] { Serve(); }).detach();  // lives as long as the fuzzing process
  }

  int port() const { return port_; }
  // The bytes every following connection is answered with.
  void Answer(const uint8_t* data, size_t size) {
    std::lock_guard lock(mutex_);
    answer_.assign(reinterpret_cast<const char*>(data), size);
  }

 private:
  void Serve() {
    for (;;) {
      const int fd = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd < 0) continue;
      std::string answer;
      {
        std::lock_guard lock(mutex_);
        answer = answer_;
      }
      // The whole answer, then end of stream; the client's request is read
      // until it closes, so the close is a clean one and never a reset.
      for (size_t sent = 0; sent < answer.size();) {
        const ssize_t n = send(fd, answer.data() + sent, answer.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += size_t(n);
      }
      shutdown(fd, SHUT_WR);
      char sink[4096];
      pollfd p{fd, POLLIN, 0};
      while (poll(&p, 1, 2000) > 0 && recv(fd, sink, sizeof sink, 0) > 0) {
      }
      close(fd);
    }
  }

  int listener_ = -1;
  int port_ = 0;
  std::mutex mutex_;
  std::string answer_;
};
