#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/object_list.h"
#include "persist/http_post.h"

// The world leaderboard: a client of the scoreboard script on the scoreboard
// host. Every request blocks the caller until it is answered or its time
// limits (THttpLimits) run out; a failure leaves a line in the debug log.

// One row of the fetched table, a member of lstOnlineScores in the server's order.
class TScores : public Listed {
 public:
  int32_t score_id = 0;
  std::string user_name;
  int32_t user_score = 0;
  int32_t user_stage = 0;  // 1 = A
  int32_t user_wave = 0;
  std::string date;
  int32_t replay_id = 0;  // the scoreboard's id of the game's replay; 0: none to watch
  int32_t rules = 0;      // the rules of play the replay was recorded by

  // A game this program can play again as it was played.
  bool Watchable() const;
  // A game kept on the scoreboard but recorded by other rules of play.
  bool OfOtherRules() const { return replay_id > 0 && !Watchable(); }

  static TScores* AddScore(int32_t score_id, const std::string& user_name, int32_t user_score, int32_t user_stage,
                           int32_t user_wave, const std::string& date);
  void KillScore();
};

// Draws one row of menu sparks (x, y, half width, style, speed); the highscore
// screen passes the particle emitter, which lives above this layer.
using SparkEmitter = void (*)(uint16_t x, uint16_t y, int32_t half_width, uint8_t style, float speed);

// Where the bundled scoreboard listens when nothing else is configured.
constexpr const char* kDefaultScoreboardHost = "127.0.0.1";
constexpr int32_t kDefaultScoreboardPort = 47474;
constexpr const char* kScoreboardScript = "/sysops/worm-highscore.php";

class TOnlineHighscores {
 public:
  static constexpr uint8_t ACTION_GETSCORE = 1;
  static constexpr uint8_t ACTION_SETSCORE = 2;
  static constexpr uint8_t ACTION_KILLSCORE = 3;  // the game never sends it
  static constexpr uint8_t ACTION_COUNTSCORES = 5;
  static constexpr uint8_t ACTION_GETREPLAY = 6;

  TScores* scores = nullptr;  // the row made last by GetScores
  std::string current_version;
  std::string url;  // the scoreboard host
  std::string php_script;
  int32_t port = 80;
  // The page shown under the table and on the highscore screen's error text.
  std::string web_address;
  THttpLimits limits;
  // Why the scoreboard refused the score posted last, in its own words (the
  // first line of its answer to a refusal), made safe to show; empty when it
  // took the score, could not be reached or gave no reason.
  std::string refusal;

  // Stores the scoreboard: "http://" and a trailing "/" are dropped from the
  // host, the script path gets its leading "/", a port of 0 or less means 80.
  // The web address defaults to the script's own page on that host.
  void Init(const std::string& version, const std::string& host, const std::string& script, int32_t new_port);
  // Fetches count rows from position first into lstOnlineScores, each with
  // its replay's id and rules when the scoreboard gives them. 1 when the
  // server answered (even with no rows), 0 when it could not be reached or
  // answered with an error status.
  int32_t GetScores(int32_t first, int32_t count);
  // Posts a score (the encoded value, see EncodeOnlineScore). 1 when the
  // server confirmed it with "success", else 0.
  uint8_t SetScore(const std::string& name, int32_t score, int32_t stage, int32_t wave, std::string_view replay = {});
  // The number of stored scores; 0 without an answer.
  int32_t CountScores();
  // The table with its top at y, in logical 320x240 positions: fifteen rows,
  // the fetched ones first, then placeholders; the web address below. The
  // highscore screen calls Draw(45, CreateMenuSparks) after a GetScores above 0.
  // The row `selected` (from 0) stands on a bar; a game of other rules is marked.
  void Draw(uint8_t y, SparkEmitter sparks = nullptr, int32_t selected = -1);
  // The fetched row at that place in the table (from 0), or nullptr.
  TScores* Row(int32_t index);
  // Removes every row.
  void Unload();
};

// The stage letter and wave of a row: stage 2, wave 3 reads "B:3".
std::string StageWaveText(int32_t stage, int32_t wave);

// The rows the online table shows, and the most a fetch keeps.
constexpr int32_t kOnlineRows = 15;

// The longest refusal reason kept: more than one line of the screen shows.
constexpr size_t kRefusalMax = 160;

// The longest name the scoreboard stores. The name entry holds fewer
// characters than this; a longer name is cut here rather than refused.
constexpr size_t kOnlineNameMax = 32;

// What the server receives for a game: score x 9 + (stage + wave) x 42, in
// wrapping 32-bit arithmetic; the plain score never goes over the wire.
int32_t EncodeOnlineScore(int32_t score, int32_t stage, int32_t wave);

// Posts a finished game to onlineScores. The name entry calls it with the
// name as typed (the same text whether or not the game entered the local
// table) and the ship's score, stage and wave; true when the server confirmed.
// It blocks for at most onlineScores.limits.total_ms. The game's replay, when
// given, goes with it (field "r", base64), so the scoreboard can play it again.
bool SubmitOnlineScore(const std::string& name, int32_t score, int32_t stage, int32_t wave,
                       std::string_view replay = {});

// Splits "HOST", "HOST:PORT", "[IPv6]:PORT" or a bare IPv6 address (an
// "http://" in front and a "/" behind are allowed). False, with the fields
// untouched, when the host is empty or the port is not 1..65535.
bool ParseScoreboardAddress(std::string_view text, std::string& host, int32_t& port);
