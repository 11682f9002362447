#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "persist/online_highscores.h"

// A game of the world leaderboard, fetched to be watched. The download runs
// beside the frame loop (the menu keeps moving and Escape gives it up) with
// the scoreboard's own limits, and what arrives is checked like any replay
// file: it must be whole, of this program's rules, and the game the row
// claims. A game once fetched is kept in replays/online/ and read from there
// the next time; that folder keeps the newest few games only.
class TOnlineReplayFetch {
 public:
  enum class State { kIdle, kRunning, kReady, kFailed };

  TOnlineReplayFetch() = default;
  TOnlineReplayFetch(const TOnlineReplayFetch&) = delete;
  TOnlineReplayFetch& operator=(const TOnlineReplayFetch&) = delete;
  ~TOnlineReplayFetch() { Cancel(); }

  // Fetches the game of the row (one with a replay id); a copy kept from
  // before makes it ready at once. A fetch under way is given up first.
  void Start(const TOnlineHighscores& board, const TScores& row);
  // Called every frame: moves on when the download has ended.
  State Poll();
  // Gives the download up; it ends within a few hundredths of a second.
  void Cancel();

  State state() const { return state_; }
  // When ready: the replay file to watch.
  const std::string& path() const { return path_; }
  // When failed: why, as one line the player may read.
  const std::string& failure() const { return failure_; }

 private:
  struct Download;  // what the download's thread shares with the frame loop
  void Finish(const Download& download);

  State state_ = State::kIdle;
  std::string path_, failure_;
  TScores row_;  // the game the row claims
  std::shared_ptr<Download> download_;
  std::thread thread_;
};

// Where fetched games are kept, and how many and how much of them.
std::string OnlineReplaysDir();
constexpr size_t kOnlineReplaysKept = 20;
constexpr uintmax_t kOnlineReplaysMaxBytes = 4u << 20;
