#include "persist/online_highscores.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <mutex>
#include <vector>

#include "core/fonts.h"
#include "loopback_server.h"
#include "persist/records.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/paths.h"
#include "temp_dir.h"

namespace {

constexpr THttpLimits kTestLimits{1000, 2000, 4000, 8192, 64, 64 * 1024};

void UseScoreboard(int port) {
  onlineScores.Init("1.2.0", "127.0.0.1", kScoreboardScript, port);
  onlineScores.limits = kTestLimits;
}

LoopbackServer::Serve Answer(std::string status, std::string body) {
  return [=](int fd) {
    LoopbackServer::ReadRequest(fd);
    LoopbackServer::Send(
        fd, "HTTP/1.0 " + status + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
  };
}

std::vector<std::string> Rows() {
  std::vector<std::string> rows;
  lstOnlineScores.ForEach([&](TScores* r) {
    rows.push_back(std::to_string(r->score_id) + "|" + r->date + "|" + r->user_name + "|" +
                   std::to_string(r->user_score) + "|" + StageWaveText(r->user_stage, r->user_wave));
  });
  return rows;
}

TEST(OnlineHighscores, ScoreboardAddressesAreCleanedUp) {
  struct Case {
    const char* text;
    bool ok;
    const char* host;
    int32_t port;
  };
  const Case cases[] = {
      {"scores.example", true, "scores.example", 80},
      {"http://scores.example/", true, "scores.example", 80},
      {"127.0.0.1:47474", true, "127.0.0.1", 47474},
      {"[::1]:8080", true, "::1", 8080},
      {"::1", true, "::1", 80},
      {"", false, "", 0},
      {"host:0", false, "", 0},
      {"host:65536", false, "", 0},
      {"host:8o", false, "", 0},
      {"host:", false, "", 0},
      {"[::1", false, "", 0},
      {"a/b", false, "", 0},
  };
  for (const Case& c : cases) {
    std::string host = "unset";
    int32_t port = -1;
    EXPECT_EQ(ParseScoreboardAddress(c.text, host, port), c.ok) << c.text;
    if (c.ok) EXPECT_EQ(host + ":" + std::to_string(port), c.host + (":" + std::to_string(c.port))) << c.text;
  }
  TOnlineHighscores client;
  client.Init("1.2.0", "http://host/", "sysops/worm-highscore.php", 0);
  EXPECT_EQ(client.url, "host");
  EXPECT_EQ(client.php_script, "/sysops/worm-highscore.php");
  EXPECT_EQ(client.port, 80);
  EXPECT_EQ(client.web_address, "http://host/sysops/worm-highscore.php");
  EXPECT_EQ(EncodeOnlineScore(1000, 2, 3), 9210);
}

// The answers are read as the scoreboard writes them: six lines a row, a
// "success" line, a count; an error status or no server is no answer (a
// refused score's reason is its first line, printable and bounded).
TEST(OnlineHighscores, AnswersAreReadLineByLine) {
  struct Case {
    const char* what;
    std::string status, body;
    int32_t fetched;
    std::vector<std::string> rows;
    uint8_t stored;
    int32_t count;
    std::string refusal = "";
  };
  const Case cases[] = {
      {"one row", "200 OK", "7\n2026-12-07\nann\n1200\n2\n3\n", 1, {"7|2026-12-07|ann|1200|B:3"}, 0, 7},
      {"a row without a date is dropped",
       "200 OK",
       " 1 \r\n\r\nbob\n5\n1\n1\n2\nd\n eve \n9\n1\n6\n3\n",
       1,
       {"2|d|eve|9|A:6"},
       0,
       1},
      {"success in capitals with blanks", "200 OK", "\n  SUCCESS  \r\n", 1, {"0|SUCCESS||0|@:0"}, 1, 0},
      {"success and more", "200 OK", "success: stored\n", 1, {}, 1, 0},
      {"no success", "200 OK", "stored\n", 1, {}, 0, 0},
      {"an error status", "429 No", "error: a\tb" + std::string(200, 'x'), 0, {}, 0, 0, "ab" + std::string(158, 'x')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoopbackServer server(Answer(c.status, c.body));
    UseScoreboard(server.port());
    EXPECT_EQ(onlineScores.GetScores(0, 15), c.fetched);
    EXPECT_EQ(Rows(), c.rows);
    EXPECT_EQ(onlineScores.SetScore("ann", 9210, 2, 3), c.stored);
    EXPECT_EQ(onlineScores.refusal, c.refusal);
    EXPECT_EQ(onlineScores.CountScores(), c.count);
  }
  UseScoreboard(LoopbackServer::HeldClosedPort());
  EXPECT_EQ(onlineScores.GetScores(0, 15), 0);
  EXPECT_FALSE(SubmitOnlineScore("ann", 1000, 2, 3));
  EXPECT_EQ(onlineScores.CountScores(), 0);
  onlineScores.Unload();
  EXPECT_TRUE(lstOnlineScores.Empty());
}

// A hostile answer keeps no more than a full well-behaved table, nor draws
// more: fifteen rows, texts of the longest the game sends, stages it reaches.
TEST(OnlineHighscores, AFloodOfRowsOrAHugeNameKeepsNoMoreThanAFullTable) {
  UseHeadlessBackend();
  Graphics(320, 240, 0);
  SetDataDir(SKITTERWORM_TEST_DATA_DIR);
  fntMain = LoadImageFont(AssetPath("fonts/cweb.ttf"), 13, 0);
  fntSmall = LoadImageFont(AssetPath("fonts/uni 05_53.ttf"), 8, 0);
  const auto rows = [](int n, const std::string& text, const char* stage_wave = "1\n1\n") {
    std::string body;
    while (n-- > 0) body += "1\n" + text + "\n" + text + "\n99999\n" + stage_wave;
    return body;
  };
  const auto fetch = [](const std::string& body) {  // the bytes kept and the quads of one frame
    LoopbackServer server(Answer("200 OK", body));
    UseScoreboard(server.port());
    onlineScores.limits.max_body = THttpLimits{}.max_body;
    EXPECT_EQ(onlineScores.GetScores(0, 15), 1);
    size_t bytes = 0;
    lstOnlineScores.ForEach([&](TScores* r) { bytes += sizeof(TScores) + r->user_name.size() + r->date.size(); });
    const int64_t before = GetDrawStats().quads;
    onlineScores.Draw(45);
    return std::pair(bytes, GetDrawStats().quads - before);
  };
  const auto full = fetch(rows(15, std::string(kOnlineNameMax, 'W'), "26\n99\n"));
  for (const std::string& body : {rows(21'846, "n"), rows(1, std::string(125'000, 'W'))}) {
    const auto [bytes, quads] = fetch(body);
    EXPECT_LE(bytes, full.first);
    EXPECT_LE(quads, full.second);
  }
  fetch(rows(1, "ann", "2147483647\n-2147483648\n"));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"1|ann|ann|99999|?:0"}));
  onlineScores.Unload();
  SetBackend(nullptr);
}

// Each request carries its own fields and nothing of the ones before it.
TEST(OnlineHighscores, TwoRequestsInARowSendOnlyTheirOwnFields) {
  std::mutex lock;
  std::vector<std::string> requests;
  LoopbackServer server([&](int fd) {
    // Recorded before the answer goes, so the client has it once answered.
    {
      std::lock_guard guard(lock);
      requests.push_back(LoopbackServer::ReadRequest(fd));
    }
    LoopbackServer::Send(fd, "HTTP/1.0 200 OK\r\nContent-Length: 8\r\n\r\nsuccess\n");
  });
  UseScoreboard(server.port());
  EXPECT_TRUE(SubmitOnlineScore("Ann & Bob=1", 1000, 2, 3));
  onlineScores.CountScores();
  const std::string head =
      "POST /sysops/worm-highscore.php HTTP/1.0\r\nAccept: */*\r\nHost: 127.0.0.1\r\n"
      "User-Agent: KilnServerList\r\nContent-Type: application/x-www-form-urlencoded\r\n";
  const std::string tail = "Pragma: no-cache\r\nConnection: keep-alive\r\n\r\n";
  std::lock_guard guard(lock);
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0],
            head + "Content-Length: 46\r\n" + tail + "a=2&u=Ann+%26+Bob%3D1&s=9210&st=2&w=3&v=1.2.0&\r\n\r\n");
  EXPECT_EQ(requests[1], head + "Content-Length: 17\r\n" + tail + "action=5&v=1.2.0&\r\n\r\n");
}

// The bundled scoreboard script under PHP's own web server, on a fresh SQLite file.
class RealScoreboard : public ::testing::Test {
 protected:
  void SetUp() override {
    if (system("command -v php >/dev/null 2>&1") != 0) GTEST_SKIP() << "php is not installed";
    const int port = LoopbackServer::ClosedPort();
    const std::string address = "127.0.0.1:" + std::to_string(port);
    const std::string root = SKITTERWORM_TEST_SOURCE_DIR "/server/public";
    const std::string db = dir.File("scores.sqlite");
    pid = fork();
    if (pid == 0) {
      setenv("SCOREBOARD_SQLITE", db.c_str(), 1);
      unsetenv("PHP_CLI_SERVER_WORKERS");  // one process, so SIGTERM stops it all
      freopen("/dev/null", "w", stderr);
      execlp("php", "php", "-S", address.c_str(), "-t", root.c_str(), nullptr);
      _exit(127);
    }
    UseScoreboard(port);
    for (int i = 0; i < 100 && !LoopbackServer::CanConnect(port); ++i) usleep(50'000);
  }
  void TearDown() override {
    if (pid > 0) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
  }
  TempDir dir;
  pid_t pid = -1;
};

TEST_F(RealScoreboard, ScoresGoInAndComeBackExactly) {
  const std::string name = "Ann & Bob = 100% \xFC";
  EXPECT_EQ(onlineScores.CountScores(), 0);
  ASSERT_TRUE(SubmitOnlineScore(name, 1000, 2, 3));
  ASSERT_TRUE(SubmitOnlineScore("second", 1000, 1, 6));
  ASSERT_TRUE(SubmitOnlineScore("best", 1200, 2, 1));
  EXPECT_EQ(onlineScores.CountScores(), 3);
  ASSERT_EQ(onlineScores.GetScores(0, 15), 1);
  std::vector<std::string> names, stages;
  lstOnlineScores.ForEach([&](TScores* r) {
    names.push_back(r->user_name);
    stages.push_back(std::to_string(r->user_score) + " " + StageWaveText(r->user_stage, r->user_wave));
  });
  EXPECT_EQ(names, (std::vector<std::string>{"best", name, "second"}));  // ties by earliest
  EXPECT_EQ(stages, (std::vector<std::string>{"1200 B:1", "1000 B:3", "1000 A:6"}));
  ASSERT_EQ(onlineScores.GetScores(1, 1), 1);
  EXPECT_EQ(lstOnlineScores.Count(), 1u);
  EXPECT_EQ(onlineScores.SetScore("cheat", 9211, 2, 3), 0);  // not a valid encoding
  EXPECT_EQ(onlineScores.CountScores(), 3);
  onlineScores.Unload();
}

}  // namespace
