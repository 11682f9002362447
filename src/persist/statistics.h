#pragma once
#include <cstdint>
#include <string>

// Every game ever played: the lifetime totals that each game's own counters
// (game/game_statistics.h) join at its end, and their file.
#include "game/game_statistics.h"

// Every game ever played.
class TStatsLife {
 public:
  int32_t games_played = 0;
  int32_t player_wormdeaths = 0;
  int32_t player_spiderdeaths = 0;
  int32_t player_snaildeaths = 0;
  int32_t player_saucerdeaths = 0;
  int32_t player_wardendeaths = 0;
  int32_t killed_worms = 0;
  int32_t killed_spiders = 0;
  int32_t killed_snails = 0;
  int32_t killed_saucers = 0;
  int32_t killed_shrooms = 0;
  int32_t killed_pshrooms = 0;
  int32_t bullets_fired = 0;
  int32_t bullets_hit = 0;
  float fastest_worm = 0;
  int32_t powerups[kStatPowerups] = {};

  // A game's counters join the totals, saturating.
  void Add(const TStatsGame& game);

  int32_t TotalDeaths() const;
  int32_t TotalKills() const;
  int32_t TotalShrooms() const;
  int32_t TotalPowerups() const;
  float KillRatio() const;
  float Accuracy() const;

  // The lifetime file: a "1.2.0" line, the fourteen counters, the fastest
  // chain and the ten powerup counts, 107 bytes. A file of another version is
  // left alone and the counters keep their values; a file cut short keeps
  // what was read and zero for the rest. False when nothing was read.
  bool Load(const std::string& path);
  // Written whole to a temporary file first, so the old file survives a
  // failed save. False when it could not be written.
  bool Save(const std::string& path) const;
};

// One lifetime counter: where it lives in the totals, what a game adds to it,
// and its line on the statistics screen (no label: it is shown in a place of
// its own). The table below is the one list of them: adding a game, the file
// (in this order) and the screen all walk it.
struct LifetimeCounter {
  int32_t TStatsLife::*total;
  int64_t (*of_game)(const TStatsGame& game);
  const char* label;
  int16_t x, y;
};

template <auto Counter>
int64_t GameCount(const TStatsGame& game) {
  return game.*Counter;
}
inline int64_t OneGame(const TStatsGame&) { return 1; }

inline constexpr LifetimeCounter kLifetimeCounters[] = {
    {&TStatsLife::games_played, OneGame, nullptr, 0, 0},
    {&TStatsLife::player_wormdeaths, GameCount<&TStatsGame::player_wormdeaths>, " to Skitterworms", 265, 84},
    {&TStatsLife::player_spiderdeaths, GameCount<&TStatsGame::player_spiderdeaths>, " to Spiders", 265, 93},
    {&TStatsLife::player_snaildeaths, GameCount<&TStatsGame::player_snaildeaths>, " to Snails", 265, 102},
    {&TStatsLife::player_saucerdeaths, GameCount<&TStatsGame::player_saucerdeaths>, " to Saucers", 265, 111},
    {&TStatsLife::player_wardendeaths, GameCount<&TStatsGame::player_wardendeaths>, " to Wardens", 265, 120},
    {&TStatsLife::killed_worms, GameCount<&TStatsGame::killed_worms>, " Skitterworms", 55, 84},
    {&TStatsLife::killed_spiders, GameCount<&TStatsGame::killed_spiders>, " Spiders", 55, 93},
    {&TStatsLife::killed_snails, GameCount<&TStatsGame::killed_snails>, " Snails", 55, 102},
    {&TStatsLife::killed_saucers, GameCount<&TStatsGame::killed_saucers>, " Saucers", 55, 111},
    {&TStatsLife::killed_shrooms, GameCount<&TStatsGame::killed_shrooms>, " normal shrooms", 160, 114},
    {&TStatsLife::killed_pshrooms, GameCount<&TStatsGame::killed_pshrooms>, " poison shrooms", 160, 123},
    {&TStatsLife::bullets_fired, GameCount<&TStatsGame::bullets_fired>, nullptr, 0, 0},
    {&TStatsLife::bullets_hit, GameCount<&TStatsGame::bullets_hit>, nullptr, 0, 0},
};

constexpr const char* kStatsFile = "skitterworm.stats";
