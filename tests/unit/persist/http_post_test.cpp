#include "persist/http_post.h"

#include <gtest/gtest.h>

#include "loopback_server.h"

namespace {

using Serve = LoopbackServer::Serve;

// Short limits keep the hostile cases quick; the game's own are seconds.
constexpr THttpLimits kTestLimits{500, 400, 1500, 256, 16, 64 * 1024};

std::unique_ptr<THttpResponse> Post(int port, const THttpLimits& limits = kTestLimits) {
  auto post = TPost::Init("127.0.0.1", "/sysops/worm-highscore.php", port, limits);
  post->AddInputField("a", "2");
  return post->SendData();
}

Serve Answer(std::string bytes, int linger_ms = 0) {
  return [bytes, linger_ms](int fd) {
    LoopbackServer::ReadRequest(fd);
    LoopbackServer::Send(fd, bytes);
    if (linger_ms) LoopbackServer::WaitForClose(fd, linger_ms);
  };
}

// Sends `head` and then `filler` over and over until 100 MB went or the client left.
Serve Flood(std::string head, std::string filler) {
  return [head, filler](int fd) {
    LoopbackServer::ReadRequest(fd);
    LoopbackServer::Send(fd, head);
    std::string block;
    while (block.size() < 64 * 1024) block += filler;
    for (size_t sent = 0; sent < 100'000'000 && LoopbackServer::Send(fd, block); sent += block.size()) {
    }
  };
}

// The exact request bytes are checked where the scoreboard client sends them.
TEST(HttpPost, FieldsAreFormEncodedAndAnEmptyFormIsNotSent) {
  EXPECT_EQ(FormEncode("Ann & Bob=1+2 100%\xFC/x-y_z.*"), "Ann+%26+Bob%3D1%2B2+100%25%FC%2Fx-y_z.*");
  EXPECT_EQ(TPost::Init("h", "/p", 80)->SendData(), nullptr);
}

// Every way a server can misbehave ends within the limits, with an answer
// only where one can be read, and never more body than the limit allows.
TEST(HttpPost, HostileServersEndWithinTheLimits) {
  struct Case {
    const char* what;
    Serve serve;  // nullptr: nothing listens
    bool answered;
    std::string body;
    size_t body_size = 0;
  };
  const std::string ok = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n";
  const Case cases[] = {
      {"refuses", nullptr, false, ""},
      {"never answers", Answer("", 3000), false, ""},
      {"drips a byte at a time",
       [](int fd) {
         LoopbackServer::ReadRequest(fd);
         for (char c : std::string("HTTP/1.0 200 OK\r\n\r\nsuccess\n")) {
           if (!LoopbackServer::Send(fd, std::string(1, c)) || LoopbackServer::WaitForClose(fd, 150)) return;
         }
       },
       false, ""},
      {"no blank line, then closes", Answer(ok), true, ""},
      {"no blank line, kept open", Answer(ok, 3000), false, ""},
      {"closes in the middle of the header", Answer("HTTP/1.0 200 O"), true, ""},
      {"closes without a byte", Answer(""), false, ""},
      {"answer without a length, kept open", Answer(ok + "\r\nsuccess\n", 3000), true, "success\n"},
      {"garbage", Answer(std::string("\x16\x03\x01garbage\xff\r\n\r\nsuccess\n", 22)), false, ""},
      {"100 MB body", Flood(ok + "\r\n", "x"), true, "", kTestLimits.max_body},
      {"100 MB header line", Flood(ok + "X-Endless: ", "x"), false, ""},
      {"endless header lines", Flood(ok, "X: y\r\n"), false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::unique_ptr<THttpResponse> answer;
    if (c.serve) {
      LoopbackServer server(c.serve);
      answer = Post(server.port());
    } else {
      answer = Post(LoopbackServer::HeldClosedPort());
    }
    ASSERT_EQ(answer != nullptr, c.answered);
    if (!answer) continue;
    EXPECT_EQ(answer->Status(), 200);
    if (c.body_size)
      EXPECT_EQ(answer->body.size(), c.body_size);
    else
      EXPECT_EQ(answer->body, c.body);
  }
}

// A server that keeps the connection open after a complete answer: the
// client stops at Content-Length and does not read what follows.
TEST(HttpPost, ContentLengthEndsTheAnswerOnAKeptOpenConnection) {
  bool client_closed = false;
  LoopbackServer server([&](int fd) {
    LoopbackServer::ReadRequest(fd);
    LoopbackServer::Send(fd, "HTTP/1.1 200 OK\r\nCONTENT-LENGTH: 8\r\n\r\nsuccess\n");
    client_closed = LoopbackServer::WaitForClose(fd, 1000);
    if (!client_closed) LoopbackServer::Send(fd, "more");
  });
  THttpLimits patient = kTestLimits;
  patient.io_ms = patient.total_ms = 20000;
  auto answer = Post(server.port(), patient);
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer->body, "success\n");
  EXPECT_EQ(answer->ReadLine(), "success");
  EXPECT_TRUE(answer->Eof());
}

TEST(HttpPost, NamesResolveToIpv4AndIpv6) {
  // Our loopback listener is IPv4; "localhost" must find it whatever order the
  // system lists its addresses in, and "::1" must at least be tried.
  LoopbackServer server(Answer("HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\nok\n"));
  auto post = TPost::Init("localhost", "/", server.port(), kTestLimits);
  post->AddInputField("a", "5");
  auto answer = post->SendData();
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer->body, "ok\n");
  auto six = TPost::Init("::1", "/", LoopbackServer::ClosedPort(), kTestLimits);
  six->AddInputField("a", "5");
  EXPECT_EQ(six->SendData(), nullptr);
  EXPECT_NE(six->RequestBytes().find("Host: [::1]\r\n"), std::string::npos);
}

}  // namespace
