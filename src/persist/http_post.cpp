#include "persist/http_post.h"

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/log.h"
#include "platform/text.h"

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds left of the request, never below 0.
int32_t Left(Clock::time_point end) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
  return int32_t(std::max<int64_t>(0, ms));
}

// One wait: the step's own limit or what is left of the whole request, whichever is shorter.
int32_t WaitFor(int32_t step_ms, Clock::time_point end) { return std::min(step_ms, Left(end)); }

class Socket {
 public:
  explicit Socket(int fd = -1) : fd_(fd) {}
  ~Socket() {
    if (fd_ >= 0) close(fd_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  Socket& operator=(Socket&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  int fd() const { return fd_; }

 private:
  int fd_;
};

bool Cancelled(const std::atomic<bool>* cancel) { return cancel && cancel->load(); }

// 1 ready, 0 time-out (or the request was given up), -1 error. A request that
// can be given up waits in short slices, looking at its flag between them.
int PollFor(int fd, short events, int32_t ms, const std::atomic<bool>* cancel) {
  pollfd p{fd, events, 0};
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    if (Cancelled(cancel)) return 0;
    const int32_t slice = cancel ? std::min(Left(end), kCancelCheckMs) : Left(end);
    const int rc = poll(&p, 1, slice);
    if (rc < 0 && errno == EINTR) continue;
    if (rc == 0 && Left(end) > 0) continue;
    return rc < 0 ? -1 : (rc == 0 ? 0 : 1);
  }
}

struct AddrInfoDeleter {
  void operator()(addrinfo* list) const {
    if (list) freeaddrinfo(list);
  }
};
using AddrList = std::unique_ptr<addrinfo, AddrInfoDeleter>;

// getaddrinfo has no time-out of its own, so a name (not an address) is
// looked up on a helper thread; when it takes too long the request gives up
// and the thread finishes on its own, cleaning up after itself.
AddrList Lookup(const std::string& host, int32_t port, int32_t wait_ms, const std::atomic<bool>* cancel,
                std::string& error) {
  const std::string service = std::to_string(port);
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
  addrinfo* list = nullptr;
  if (getaddrinfo(host.c_str(), service.c_str(), &hints, &list) == 0) return AddrList(list);

  struct Shared {
    std::mutex mutex;
    std::condition_variable done_signal;
    bool done = false;
    int rc = 0;
    AddrList list;
  };
  auto shared = std::make_shared<Shared>();
  std::thread([shared, host, service] {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;  // no AI_ADDRCONFIG: it hides "localhost" on a machine that is offline
    addrinfo* found = nullptr;
    const int rc = getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
    std::lock_guard lock(shared->mutex);
    shared->rc = rc;
    shared->list.reset(found);
    shared->done = true;
    shared->done_signal.notify_all();
  }).detach();
  std::unique_lock lock(shared->mutex);
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(wait_ms);
  while (!shared->done && Left(end) > 0 && !Cancelled(cancel))
    shared->done_signal.wait_for(lock, std::chrono::milliseconds(std::min(Left(end), kCancelCheckMs)));
  if (!shared->done) {
    error = "looking up " + host + " took longer than " + std::to_string(wait_ms) + " ms";
    return nullptr;
  }
  if (shared->rc != 0) {
    error = "cannot look up " + host + ": " + gai_strerror(shared->rc);
    return nullptr;
  }
  return std::move(shared->list);
}

std::string AddressText(const sockaddr* addr, socklen_t len) {
  char host[NI_MAXHOST] = "", service[NI_MAXSERV] = "";
  if (getnameinfo(addr, len, host, sizeof host, service, sizeof service, NI_NUMERICHOST | NI_NUMERICSERV) != 0)
    return "?";
  return addr->sa_family == AF_INET6 ? "[" + std::string(host) + "]:" + service : std::string(host) + ":" + service;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && Lower(text.substr(0, prefix.size())) == Lower(prefix);
}

}  // namespace

int32_t THttpResponse::Status() const {
  // "HTTP/1.x NNN reason"
  const size_t space = status_line.find(' ');
  if (!StartsWithNoCase(status_line, "HTTP/") || space == std::string::npos) return 0;
  int32_t code = 0;
  size_t i = space + 1;
  for (int digits = 0; digits < 3; ++digits, ++i) {
    if (i >= status_line.size() || status_line[i] < '0' || status_line[i] > '9') return 0;
    code = code * 10 + (status_line[i] - '0');
  }
  return code;
}

std::string THttpResponse::ReadLine() {
  std::string line;
  while (pos_ < body.size()) {
    const char c = body[pos_++];
    if (c == '\n') break;
    if (c != '\r') line += c;
  }
  return line;
}

std::string FormEncode(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    const auto c = uint8_t(ch);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '*' || c == '-' ||
        c == '.' || c == '_') {
      out += char(c);
    } else if (c == ' ') {
      out += '+';
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::unique_ptr<TPost> TPost::Init(const std::string& host, const std::string& path, int32_t port,
                                   const THttpLimits& limits) {
  auto post = std::make_unique<TPost>();
  post->host = host;
  post->path = path;
  post->port = port;
  post->limits = limits;
  return post;
}

void TPost::AddInputField(const std::string& name, const std::string& value) {
  input_fields.push_back(TInputFields{name, value});
}

std::string TPost::Body() const {
  std::string body;
  for (const TInputFields& field : input_fields)
    body += FormEncode(field.input_name) + "=" + FormEncode(field.input_value) + "&";
  return body;
}

std::string TPost::RequestBytes() const {
  const std::string body = Body();
  // An IPv6 address needs its brackets in the Host line.
  const std::string host_line = host.find(':') != std::string::npos ? "[" + host + "]" : host;
  std::string request;
  for (const std::string& line : {
           "POST " + path + " HTTP/" + protocol,
           std::string("Accept: */*"),
           "Host: " + host_line,
           "User-Agent: " + user_agent,
           std::string("Content-Type: application/x-www-form-urlencoded"),
           "Content-Length: " + std::to_string(body.size()),
           std::string("Pragma: no-cache"),
           std::string("Connection: keep-alive"),
           std::string(),
           body,
           std::string(),
       })
    request += line + "\r\n";
  return request;
}

std::unique_ptr<THttpResponse> TPost::SendData() {
  if (input_fields.empty()) {
    DebugLog("Es wurden keine Daten zum senden definiert.");
    return nullptr;
  }
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(limits.total_ms);
  auto fail = [](const std::string& detail, const char* message = nullptr) {
    DebugLog("HTTP: " + detail);
    if (message) DebugLog(message);
    return nullptr;
  };
  constexpr const char* kNoConnection = "Es konnte keine Verbindung zum Host hergestellt werden.";

  // Look the host up and connect to the first address that answers.
  std::string error;
  AddrList addresses = Lookup(host, port, WaitFor(limits.connect_ms, end), limits.cancel, error);
  if (!addresses) return fail(error, kNoConnection);
  Socket sock;
  bool any_socket = false;
  for (addrinfo* a = addresses.get(); a && sock.fd() < 0; a = a->ai_next) {
    Socket attempt(socket(a->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (attempt.fd() < 0) {
      error = std::string("socket: ") + std::strerror(errno);
      continue;
    }
    any_socket = true;
    const std::string where = AddressText(a->ai_addr, a->ai_addrlen);
    if (connect(attempt.fd(), a->ai_addr, a->ai_addrlen) != 0) {
      if (errno != EINPROGRESS) {
        error = where + ": " + std::strerror(errno);
        continue;
      }
      const int ready = PollFor(attempt.fd(), POLLOUT, WaitFor(limits.connect_ms, end), limits.cancel);
      int so_error = 0;
      socklen_t len = sizeof so_error;
      if (ready == 0) {
        error = where + ": no connection within " + std::to_string(limits.connect_ms) + " ms";
        continue;
      }
      if (ready < 0 || getsockopt(attempt.fd(), SOL_SOCKET, SO_ERROR, &so_error, &len) != 0 || so_error != 0) {
        error = where + ": " + std::strerror(so_error ? so_error : errno);
        continue;
      }
    }
    host_ip_dotted = where;
    sock = std::move(attempt);
  }
  if (!any_socket) return fail(error, "Es konnte kein TCP Socket erstellt werden.");
  if (sock.fd() < 0) return fail(error, kNoConnection);

  // Write the request.
  const std::string request = RequestBytes();
  for (size_t sent = 0; sent < request.size();) {
    const ssize_t n = send(sock.fd(), request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
    if (n > 0) {
      sent += size_t(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
      return fail(host_ip_dotted + ": sending the request failed: " + std::strerror(errno));
    if (PollFor(sock.fd(), POLLOUT, WaitFor(limits.io_ms, end), limits.cancel) <= 0)
      return fail(host_ip_dotted + ": the server took no request in time");
  }

  // Read the answer: header lines one by one, then the body up to its
  // Content-Length, the end of the connection or max_body.
  auto response = std::make_unique<THttpResponse>();
  std::string pending;  // header bytes not yet split into lines
  bool header_done = false, first_line = true;
  std::optional<size_t> content_length;
  size_t received = 0;
  char chunk[16384];
  auto take_header_lines = [&]() -> bool {
    size_t start = 0;
    for (size_t nl; !header_done && (nl = pending.find('\n', start)) != std::string::npos; start = nl + 1) {
      std::string line = pending.substr(start, nl - start);
      std::erase(line, '\r');
      DebugLog("HEAD: " + line);
      if (first_line) {
        response->status_line = line;
        first_line = false;
      } else if (line.empty()) {
        header_done = true;
        response->body = pending.substr(nl + 1, limits.max_body);
      } else if (response->header.size() >= limits.max_header_lines) {
        DebugLog("HTTP: more than " + std::to_string(limits.max_header_lines) + " header lines; cut off");
        return false;
      } else {
        if (StartsWithNoCase(line, "content-length:")) {
          const int32_t value = ParseInt(std::string_view(line).substr(15));
          if (value >= 0) content_length = size_t(value);
        }
        response->header.push_back(std::move(line));
      }
    }
    if (!header_done) pending.erase(0, start);
    if (!header_done && pending.size() > limits.max_header_line) {
      DebugLog("HTTP: a header line longer than " + std::to_string(limits.max_header_line) + " bytes; cut off");
      return false;
    }
    return true;
  };
  auto looks_like_http = [&] {
    const std::string& first = first_line ? pending : response->status_line;
    const size_t n = std::min<size_t>(first.size(), 5);
    return StartsWithNoCase("HTTP/", std::string_view(first).substr(0, n));
  };
  enum class End { kComplete, kClosed, kTimeOut, kCut } how = End::kClosed;
  for (;;) {
    if (header_done) {
      if (content_length && response->body.size() >= *content_length) {
        response->body.resize(*content_length);
        how = End::kComplete;
        break;
      }
      if (response->body.size() >= limits.max_body) {
        response->body.resize(limits.max_body);
        how = End::kCut;
        break;
      }
    }
    const int ready = PollFor(sock.fd(), POLLIN, WaitFor(limits.io_ms, end), limits.cancel);
    if (ready <= 0) {
      how = ready == 0 ? End::kTimeOut : End::kClosed;
      break;
    }
    const ssize_t n = recv(sock.fd(), chunk, sizeof chunk, 0);
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) continue;
    if (n <= 0) break;  // closed by the server (or reset)
    received += size_t(n);
    if (header_done) {
      response->body.append(chunk, std::min(size_t(n), limits.max_body + 1 - response->body.size()));
      continue;
    }
    pending.append(chunk, size_t(n));
    if (!looks_like_http()) return fail(host_ip_dotted + ": the answer is not HTTP");
    if (!take_header_lines()) return nullptr;
  }

  if (!header_done) {
    if (how == End::kTimeOut)
      return fail(host_ip_dotted + ": no complete answer within the time limit (" + std::to_string(received) +
                  " bytes)");
    if (received == 0) return fail(host_ip_dotted + ": the server closed the connection without an answer");
    // The connection ended inside the header: what came is the header, the body is empty.
    if (!pending.empty()) {
      std::erase(pending, '\r');
      DebugLog("HEAD: " + pending);
      if (first_line) response->status_line = pending;
    }
    DebugLog("HTTP: the answer ended inside its header");
    return response;
  }
  if (how == End::kCut)
    DebugLog("HTTP: answer longer than " + std::to_string(limits.max_body) + " bytes; cut off");
  else if (how == End::kTimeOut)
    DebugLog("HTTP: the server kept the connection open; taking the " + std::to_string(response->body.size()) +
             " bytes that came");
  else if (how == End::kClosed && content_length && response->body.size() < *content_length)
    DebugLog("HTTP: answer ended " + std::to_string(*content_length - response->body.size()) +
             " bytes short of its length");
  return response;
}
