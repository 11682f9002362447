// Any bytes as a scoreboard server's answer to one form post: status line,
// header lines and body read within their limits, then read back line by line.
#include "loopback_server.h"
#include "persist/http_post.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static LoopbackServer server;
  server.Answer(data, size);
  THttpLimits limits;
  limits.io_ms = 2000;
  limits.total_ms = 4000;
  auto post = TPost::Init("127.0.0.1", "/score.php", server.port(), limits);
  post->AddInputField("a", "1");
  if (auto response = post->SendData()) {
    response->Status();
    while (!response->Eof()) response->ReadLine();
  }
  return 0;
}
