#include "persist/online_highscores.h"

#include <algorithm>

#include "core/common.h"
#include "core/fonts.h"
#include "core/helpers.h"
#include "core/rainbow_phaser.h"
#include "core/version.h"
#include "persist/records.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/log.h"
#include "platform/text.h"

TScores* TScores::AddScore(int32_t score_id, const std::string& user_name, int32_t user_score, int32_t user_stage,
                           int32_t user_wave, const std::string& date) {
  auto* row = new TScores;
  row->score_id = score_id;
  row->user_name = user_name;
  row->user_score = user_score;
  row->user_stage = user_stage;
  row->user_wave = user_wave;
  row->date = date;
  lstOnlineScores.Add(row);
  return row;
}

void TScores::KillScore() { lstOnlineScores.Remove(this); }

bool TScores::Watchable() const { return replay_id > 0 && rules == kRulesVersion; }

TScores* TOnlineHighscores::Row(int32_t index) {
  TScores* found = nullptr;
  int32_t n = 0;
  lstOnlineScores.ForEach([&](TScores* row) {
    if (n++ == index) found = row;
  });
  return found;
}

void TOnlineHighscores::Init(const std::string& version, const std::string& host, const std::string& script,
                             int32_t new_port) {
  current_version = version;
  url = host;
  if (url.starts_with("http://")) url.erase(0, 7);
  if (url.ends_with("/")) url.pop_back();
  php_script = script.starts_with("/") ? script : "/" + script;
  port = new_port > 0 ? new_port : 80;
  const std::string shown_host = url.find(':') != std::string::npos ? "[" + url + "]" : url;
  web_address = "http://" + shown_host + (port != 80 ? ":" + std::to_string(port) : "") + php_script;
}

namespace {

// Sends one request; nothing when the server could not be reached or
// answered with an error status (which the debug log then names, with the
// first line of the answer: the server's reason, passed on in `reason`).
std::unique_ptr<THttpResponse> Send(TPost& post, std::string* reason = nullptr) {
  auto response = post.SendData();
  if (response && !response->Ok()) {
    const std::string first_line = Trim(response->ReadLine());
    DebugLog("Scoreboard answered \"" + response->status_line + "\": " + first_line);
    if (reason) *reason = first_line;
    return nullptr;
  }
  return response;
}

// The server's reason as the player may see it: printable characters only, no
// "error:" of the protocol before it, and no longer than a line of the screen
// could ever show.
std::string ShownReason(std::string_view line) {
  if (Lower(Left(line, 6)) == "error:") line.remove_prefix(6);
  std::string shown;
  for (const char c : line) {
    if (shown.size() >= kRefusalMax) break;
    if (c >= 32 && c < 127 && !(c == ' ' && (shown.empty() || shown.back() == ' '))) shown.push_back(c);
  }
  while (!shown.empty() && shown.back() == ' ') shown.pop_back();
  return shown;
}

// A stage or wave as the game keeps them (0..255); the server's word is not
// trusted to stay in that range.
int32_t ServerNumber(const std::string& text) { return std::clamp(ParseInt(text), 0, 255); }

}  // namespace

int32_t TOnlineHighscores::GetScores(int32_t first, int32_t count) {
  Unload();
  auto post = TPost::Init(url, php_script, port, limits);
  post->AddInputField("a", std::to_string(ACTION_GETSCORE));
  post->AddInputField("v", current_version);
  post->AddInputField("f", std::to_string(first));
  post->AddInputField("l", std::to_string(count));
  post->AddInputField("r", "1");  // each row's replay: a scoreboard that does not know it sends six lines a row
  auto answer = Send(*post);
  if (!answer) return 0;
  // Six lines a row, then "replay ID" and "rules N" from a scoreboard that
  // keeps games; a row without a date is no row, and lines past the end read
  // empty, so a trailing partial group is dropped. No more rows than asked
  // for are kept, and no longer texts than the game could have sent: a
  // server that answers with more gets its excess ignored.
  const int32_t wanted = std::clamp(count, 0, kOnlineRows);
  int32_t kept = 0;
  std::string next = Trim(answer->ReadLine());
  while (kept < wanted && !(answer->Eof() && next.empty())) {
    std::string line[6];
    line[0] = next;
    for (int i = 1; i < 6; ++i) line[i] = Trim(answer->ReadLine());
    next = Trim(answer->ReadLine());
    int32_t replay_id = 0, rules = 0;
    for (int extra = 0; extra < 2; ++extra, next = Trim(answer->ReadLine())) {
      if (next.starts_with("replay "))
        replay_id = std::max(0, ParseInt(next.substr(7)));
      else if (next.starts_with("rules "))
        rules = std::max(0, ParseInt(next.substr(6)));
      else
        break;
    }
    if (line[1].empty()) continue;
    scores = TScores::AddScore(ParseInt(line[0]), line[2].substr(0, kOnlineNameMax), ParseInt(line[3]),
                               ServerNumber(line[4]), ServerNumber(line[5]), line[1].substr(0, kOnlineNameMax));
    scores->replay_id = replay_id;
    scores->rules = rules;
    ++kept;
  }
  if (!answer->Eof() || !next.empty())
    DebugLog("Scoreboard: rows past the " + std::to_string(wanted) + " asked for are ignored");
  return 1;
}

namespace {

// Standard base64 with padding: the replay travels as one more form field.
std::string Base64(std::string_view bytes) {
  static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const size_t n = std::min<size_t>(3, bytes.size() - i);
    uint32_t v = 0;
    for (size_t k = 0; k < 3; ++k) v = v << 8 | (k < n ? uint8_t(bytes[i + k]) : 0u);
    for (size_t k = 0; k < 4; ++k) out += k <= n ? kDigits[(v >> (18 - 6 * k)) & 63] : '=';
  }
  return out;
}

}  // namespace

uint8_t TOnlineHighscores::SetScore(const std::string& name, int32_t score, int32_t stage, int32_t wave,
                                    std::string_view replay) {
  auto post = TPost::Init(url, php_script, port, limits);
  post->AddInputField("a", std::to_string(ACTION_SETSCORE));
  post->AddInputField("u", name);
  post->AddInputField("s", std::to_string(score));
  post->AddInputField("st", std::to_string(stage));
  post->AddInputField("w", std::to_string(wave));
  post->AddInputField("v", current_version);
  // After the six fields every scoreboard knows: one that does not know it ignores it.
  if (!replay.empty()) post->AddInputField("r", Base64(replay));
  std::string reason;
  auto answer = Send(*post, &reason);
  refusal = ShownReason(reason);
  if (!answer) return 0;
  uint8_t result = 0;
  while (!answer->Eof())
    if (Left(Trim(Lower(answer->ReadLine())), 7) == "success") result = 1;
  return result;
}

int32_t TOnlineHighscores::CountScores() {
  auto post = TPost::Init(url, php_script, port, limits);
  post->AddInputField("action", std::to_string(ACTION_COUNTSCORES));
  post->AddInputField("v", current_version);
  int32_t result = 0;
  if (auto answer = Send(*post))
    while (result <= 0 && !answer->Eof()) result = ParseInt(Trim(answer->ReadLine()));
  if (result < 0) result = 0;
  DebugLog("Result: " + std::to_string(result));
  return result;
}

void TOnlineHighscores::Unload() {
  if (scores) lstOnlineScores.Clear();
  scores = nullptr;
}

void TOnlineHighscores::Draw(uint8_t y, SparkEmitter sparks, int32_t selected) {
  SetImageFont(fntMain);
  rainbow.Set();
  DrawTextCentred("W O R L D   L E A D E R B O A R D", 160, y, 1);
  int32_t n = 0;
  lstOnlineScores.ForEach([&](TScores* row) {
    if (n >= kOnlineRows) return;  // the buttons are below the fifteenth row
    const int32_t r = y + 10 + 9 * n;
    if (n == selected) {
      SetColor(48, 48, 56);
      DrawRect(78, float(r - 1), 164, 9);
    }
    SetColor(127, 127, 127);
    DrawTextRight(IntText(n + 1), 92, r, 1);
    SetColor(255, 255, 255);
    // A name runs at most to three pixels short of its score; longer ones are cut.
    DrawTextShadow(FitText(row->user_name, 213 - 3 - TextWidth(IntText(row->user_score)) - 96), 96, r);
    SetColor(191, 191, 191);
    DrawTextRight(IntText(row->user_score), 213, r, 1);
    SetColor(255, 255, 0);
    SetImageFont(fntSmall);
    DrawTextRight(StageWaveText(row->user_stage, row->user_wave), 233, y + 14 + 9 * n, 1);
    // A game of other rules would play another way than it was played.
    if (row->OfOtherRules()) {
      SetColor(127, 127, 127);
      DrawText(row->rules < kRulesVersion ? "older game" : "newer game", 238, float(y + 14 + 9 * n));
    }
    SetImageFont(fntMain);
    ++n;
  });
  for (int32_t i = n; i < kOnlineRows; ++i) {
    const int32_t r = y + 10 + 9 * i;
    SetColor(127, 127, 127);
    DrawTextRight(IntText(i + 1), 92, r, 0);
    SetColor(255, 255, 255);
    DrawText("-", 96, float(r));
    SetColor(191, 191, 191);
    DrawTextRight("0", 213, r, 0);
    SetColor(255, 255, 0);
    SetImageFont(fntSmall);
    DrawTextRight("A:1", 233, y + 14 + 9 * i, 1);
    SetImageFont(fntMain);
  }
  SetImageFont(fntSmall);
  SetColor(127, 127, 255);
  DrawTextCentred("For a full online score list, visit", 160, 200, 0);
  SetColor(191, 191, 255);
  DrawTextCentred(web_address, 160, 208, 0);
  SetImageFont(fntMain);
  if (sparks) {
    sparks(160, uint16_t(y + 18), 77, 2, 1.0f);
    sparks(160, uint16_t(y + 27), 77, 3, 0.7f);
    sparks(160, uint16_t(y + 36), 77, 4, 0.4f);
  }
}

// Unsigned arithmetic: a stage of any size gives some letter, never an overflow.
std::string StageWaveText(int32_t stage, int32_t wave) {
  return Chr(uint8_t(uint32_t(stage) + 64u)) + ":" + IntText(wave);
}

int32_t EncodeOnlineScore(int32_t score, int32_t stage, int32_t wave) {
  return int32_t(uint32_t(score) * 9u + uint32_t(stage + wave) * 42u);
}

bool SubmitOnlineScore(const std::string& name, int32_t score, int32_t stage, int32_t wave, std::string_view replay) {
  if (name.size() > kOnlineNameMax)
    DebugLog("Scoreboard: the name is cut to its first " + std::to_string(kOnlineNameMax) + " characters");
  return onlineScores.SetScore(name.substr(0, kOnlineNameMax), EncodeOnlineScore(score, stage, wave), stage, wave,
                               replay) == 1;
}

bool ParseScoreboardAddress(std::string_view text, std::string& host, int32_t& port) {
  if (text.starts_with("http://")) text.remove_prefix(7);
  if (text.ends_with("/")) text.remove_suffix(1);
  std::string_view name = text, port_text;
  if (text.starts_with("[")) {
    const size_t close = text.find(']');
    if (close == std::string_view::npos) return false;
    name = text.substr(1, close - 1);
    std::string_view rest = text.substr(close + 1);
    if (!rest.empty() && !rest.starts_with(":")) return false;
    if (!rest.empty()) port_text = rest.substr(1);
  } else if (const size_t colon = text.find(':'); colon != std::string_view::npos && text.rfind(':') == colon) {
    name = text.substr(0, colon);
    port_text = text.substr(colon + 1);
  }
  int32_t number = 80;
  if (!port_text.empty() || text.ends_with(":")) {
    if (port_text.empty() || port_text.size() > 5 ||
        port_text.find_first_not_of("0123456789") != std::string_view::npos)
      return false;
    number = ParseInt(port_text);
    if (number < 1 || number > 65535) return false;
  }
  if (name.empty() || name.find_first_of("/ ") != std::string_view::npos) return false;
  host = std::string(name);
  port = number;
  return true;
}
