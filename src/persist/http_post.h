#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A small HTTP/1.0 client that posts one form to the scoreboard script and
// hands back the answer. The game's frame loop waits while a request runs, so
// every step is bounded in time and every part of the answer in size: a dead,
// slow or endless server costs the player seconds, never the game.
struct THttpLimits {
  int32_t connect_ms = 3000;  // name lookup, then each connect attempt
  int32_t io_ms = 3000;       // longest wait for the server to take or send a byte
  int32_t total_ms = 8000;    // the whole request, from lookup to the last byte
  size_t max_header_line = 8192;
  size_t max_header_lines = 64;
  size_t max_body = 256 * 1024;  // a longer answer is cut off here
  // A request run beside the frame loop can be given up: once this is set,
  // every wait ends within kCancelCheckMs and the request fails.
  const std::atomic<bool>* cancel = nullptr;
};
constexpr int32_t kCancelCheckMs = 50;

// One form field.
class TInputFields {
 public:
  std::string input_name;
  std::string input_value;
  // Length of name plus value as typed (before encoding).
  int32_t GetContentSize() const { return int32_t(input_name.size() + input_value.size()); }
};

// The server's answer, already read in full and the connection closed; the
// body is read back line by line like a stream.
class THttpResponse {
 public:
  std::string status_line;
  std::vector<std::string> header;  // the lines after the status line
  std::string body;

  // The code of the status line ("HTTP/1.0 200 OK" gives 200); 0 when it has none.
  int32_t Status() const;
  bool Ok() const { return Status() >= 200 && Status() < 300; }
  // Up to the next byte 10, every byte 13 dropped; "" past the end.
  std::string ReadLine();
  bool Eof() const { return pos_ >= body.size(); }

 private:
  size_t pos_ = 0;
};

// Percent-encoding as application/x-www-form-urlencoded: letters, digits and
// "*-._" stay, a space becomes "+", every other byte "%XX". A name with "&",
// "=" or "%" in it therefore arrives as one field, exactly as typed.
std::string FormEncode(std::string_view text);

// One form post. Each request carries only the fields added to it.
class TPost {
 public:
  std::string host;  // without scheme and trailing "/"
  std::string path;  // beginning with "/"
  int32_t port = 80;
  std::string host_ip_dotted;  // the address connected to, for the debug log
  std::string protocol = "1.0";
  std::string user_agent = "KilnServerList";
  std::vector<TInputFields> input_fields;
  THttpLimits limits;

  static std::unique_ptr<TPost> Init(const std::string& host, const std::string& path, int32_t port,
                                     const THttpLimits& limits = {});
  void AddInputField(const std::string& name, const std::string& value);
  // name=value& for every field in the order added, each part form-encoded.
  std::string Body() const;
  // The bytes SendData writes: request line, headers, blank line, body, CR LF.
  std::string RequestBytes() const;
  // Resolves the host (IPv4 or IPv6), connects, writes the request and reads
  // the answer within the limits. Nothing when no field was added, the host
  // cannot be reached, the server does not answer in time or does not speak
  // HTTP; each case leaves a line in the debug log. An answer that ends
  // before its header does still counts (with an empty body), as does one
  // cut off at max_body; the status is the caller's to judge.
  std::unique_ptr<THttpResponse> SendData();
};
