// Any bytes as the scoreboard's answer to each request the game makes: the
// table rows, a score submission and the score count.
#include "loopback_server.h"
#include "persist/online_highscores.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static LoopbackServer server;
  server.Answer(data, size);
  TOnlineHighscores online;
  online.Init("1.2.0", "127.0.0.1", "/score.php", server.port());
  online.limits.io_ms = 2000;
  online.limits.total_ms = 4000;
  online.GetScores(0, 15);
  online.Unload();
  online.SetScore("PLAYER", 1000, 1, 1);
  online.CountScores();
  return 0;
}
