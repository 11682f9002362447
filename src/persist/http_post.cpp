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
#include <utility>

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
  Socket(Socket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
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

constexpr const char* kNoConnection = "Es konnte keine Verbindung zum Host hergestellt werden.";

std::nullptr_t Fail(const std::string& detail, const char* message = nullptr) {
  DebugLog("HTTP: " + detail);
  if (message) DebugLog(message);
  return nullptr;
}

// A socket connected to the first of the host's addresses that answers, or
// none (fd < 0) with the reason logged. `where` names the address.
Socket Connect(const std::string& host, int32_t port, int32_t connect_ms, Clock::time_point end,
               const std::atomic<bool>* cancel, std::string& where) {
  std::string error;
  AddrList addresses = Lookup(host, port, WaitFor(connect_ms, end), cancel, error);
  if (!addresses) {
    Fail(error, kNoConnection);
    return Socket();
  }
  Socket sock;
  bool any_socket = false;
  for (addrinfo* a = addresses.get(); a && sock.fd() < 0; a = a->ai_next) {
    Socket attempt(socket(a->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (attempt.fd() < 0) {
      error = std::string("socket: ") + std::strerror(errno);
      continue;
    }
    any_socket = true;
    const std::string address = AddressText(a->ai_addr, a->ai_addrlen);
    if (connect(attempt.fd(), a->ai_addr, a->ai_addrlen) != 0) {
      if (errno != EINPROGRESS) {
        error = address + ": " + std::strerror(errno);
        continue;
      }
      const int ready = PollFor(attempt.fd(), POLLOUT, WaitFor(connect_ms, end), cancel);
      int so_error = 0;
      socklen_t len = sizeof so_error;
      if (ready == 0) {
        error = address + ": no connection within " + std::to_string(connect_ms) + " ms";
        continue;
      }
      if (ready < 0 || getsockopt(attempt.fd(), SOL_SOCKET, SO_ERROR, &so_error, &len) != 0 || so_error != 0) {
        error = address + ": " + std::strerror(so_error ? so_error : errno);
        continue;
      }
    }
    where = address;
    sock = std::move(attempt);
  }
  if (!any_socket)
    Fail(error, "Es konnte kein TCP Socket erstellt werden.");
  else if (sock.fd() < 0)
    Fail(error, kNoConnection);
  return sock;
}

// Writes the whole request, waiting at most io_ms for the server to take each part.
bool Send(const Socket& sock, const std::string& request, const std::string& where, int32_t io_ms,
          Clock::time_point end, const std::atomic<bool>* cancel) {
  for (size_t sent = 0; sent < request.size();) {
    const ssize_t n = send(sock.fd(), request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
    if (n > 0) {
      sent += size_t(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
      return Fail(where + ": sending the request failed: " + std::strerror(errno)) != nullptr;
    if (PollFor(sock.fd(), POLLOUT, WaitFor(io_ms, end), cancel) <= 0)
      return Fail(where + ": the server took no request in time") != nullptr;
  }
  return true;
}

// Reads the answer: header lines one by one, then the body up to its
// Content-Length, the end of the connection or max_body.
class ResponseReader {
 public:
  ResponseReader(const THttpLimits& limits, const std::string& where) : limits_(limits), where_(where) {}

  std::unique_ptr<THttpResponse> Read(const Socket& sock, Clock::time_point end) {
    char chunk[16384];
    for (;;) {
      if (header_done_ && BodyComplete()) break;
      const int ready = PollFor(sock.fd(), POLLIN, WaitFor(limits_.io_ms, end), limits_.cancel);
      if (ready <= 0) {
        how_ = ready == 0 ? End::kTimeOut : End::kClosed;
        break;
      }
      const ssize_t n = recv(sock.fd(), chunk, sizeof chunk, 0);
      if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) continue;
      if (n <= 0) break;  // closed by the server (or reset)
      received_ += size_t(n);
      if (header_done_) {
        response_->body.append(chunk, std::min(size_t(n), limits_.max_body + 1 - response_->body.size()));
        continue;
      }
      pending_.append(chunk, size_t(n));
      if (!LooksLikeHttp()) return Fail(where_ + ": the answer is not HTTP");
      if (!TakeHeaderLines()) return nullptr;
    }
    return header_done_ ? Finish() : HeaderOnly();
  }

 private:
  enum class End { kComplete, kClosed, kTimeOut, kCut };

  bool BodyComplete() {
    std::string& body = response_->body;
    if (content_length_ && body.size() >= *content_length_) {
      body.resize(*content_length_);
      how_ = End::kComplete;
      return true;
    }
    if (body.size() >= limits_.max_body) {
      body.resize(limits_.max_body);
      how_ = End::kCut;
      return true;
    }
    return false;
  }

  bool LooksLikeHttp() const {
    const std::string& first = first_line_ ? pending_ : response_->status_line;
    const size_t n = std::min<size_t>(first.size(), 5);
    return StartsWithNoCase("HTTP/", std::string_view(first).substr(0, n));
  }

  bool TakeHeaderLines() {
    size_t start = 0;
    for (size_t nl; !header_done_ && (nl = pending_.find('\n', start)) != std::string::npos; start = nl + 1) {
      std::string line = pending_.substr(start, nl - start);
      std::erase(line, '\r');
      DebugLog("HEAD: " + line);
      if (first_line_) {
        response_->status_line = line;
        first_line_ = false;
      } else if (line.empty()) {
        header_done_ = true;
        response_->body = pending_.substr(nl + 1, limits_.max_body);
      } else if (response_->header.size() >= limits_.max_header_lines) {
        DebugLog("HTTP: more than " + std::to_string(limits_.max_header_lines) + " header lines; cut off");
        return false;
      } else {
        if (StartsWithNoCase(line, "content-length:")) {
          const int32_t value = ParseInt(std::string_view(line).substr(15));
          if (value >= 0) content_length_ = size_t(value);
        }
        response_->header.push_back(std::move(line));
      }
    }
    if (!header_done_) pending_.erase(0, start);
    if (!header_done_ && pending_.size() > limits_.max_header_line) {
      DebugLog("HTTP: a header line longer than " + std::to_string(limits_.max_header_line) + " bytes; cut off");
      return false;
    }
    return true;
  }

  // The connection ended inside the header: what came is the header, the body is empty.
  std::unique_ptr<THttpResponse> HeaderOnly() {
    if (how_ == End::kTimeOut)
      return Fail(where_ + ": no complete answer within the time limit (" + std::to_string(received_) + " bytes)");
    if (received_ == 0) return Fail(where_ + ": the server closed the connection without an answer");
    if (!pending_.empty()) {
      std::erase(pending_, '\r');
      DebugLog("HEAD: " + pending_);
      if (first_line_) response_->status_line = pending_;
    }
    DebugLog("HTTP: the answer ended inside its header");
    return std::move(response_);
  }

  std::unique_ptr<THttpResponse> Finish() {
    if (how_ == End::kCut)
      DebugLog("HTTP: answer longer than " + std::to_string(limits_.max_body) + " bytes; cut off");
    else if (how_ == End::kTimeOut)
      DebugLog("HTTP: the server kept the connection open; taking the " + std::to_string(response_->body.size()) +
               " bytes that came");
    else if (how_ == End::kClosed && content_length_ && response_->body.size() < *content_length_)
      DebugLog("HTTP: answer ended " + std::to_string(*content_length_ - response_->body.size()) +
               " bytes short of its length");
    return std::move(response_);
  }

  const THttpLimits& limits_;
  const std::string& where_;
  std::unique_ptr<THttpResponse> response_ = std::make_unique<THttpResponse>();
  std::string pending_;  // header bytes not yet split into lines
  bool header_done_ = false, first_line_ = true;
  std::optional<size_t> content_length_;
  size_t received_ = 0;
  End how_ = End::kClosed;
};

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
  const Socket sock = Connect(host, port, limits.connect_ms, end, limits.cancel, host_ip_dotted);
  if (sock.fd() < 0 || !Send(sock, RequestBytes(), host_ip_dotted, limits.io_ms, end, limits.cancel)) return nullptr;
  return ResponseReader(limits, host_ip_dotted).Read(sock, end);
}
