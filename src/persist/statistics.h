#pragma once
#include <cstdint>
#include <string>

// The counters gameplay increments directly. statsStage feeds the stage-clear
// tally, statsGame the end of a game, statsLife holds every game ever played.

// Per stage; 16-bit and wrapping on purpose.
class TStatsStage {
 public:
  uint16_t snails_seen = 0;
  uint16_t snails_killed = 0;
  uint16_t spiders_seen = 0;
  uint16_t spiders_killed = 0;
  uint16_t saucers_seen = 0;
  uint16_t saucers_killed = 0;
  uint16_t mushrooms = 0;

  void Reset();
};

// Index of the powerups counters (the same in TStatsLife).
constexpr int STAT_LASER = 0, STAT_MULTIPLIER = 1, STAT_RADAR = 2, STAT_EXTRALIFE = 3, STAT_FREEMOVE = 4,
              STAT_SHIELD = 5, STAT_MISSILES = 6, STAT_SMARTBOMB = 7, STAT_RAILBLAST = 8, STAT_SCATTERMINES = 9;
constexpr int kStatPowerups = 10;

class TStatsLife;

// Per game. The death and powerup counters are bytes: a 256th count in one
// game wraps to 0 before it reaches the lifetime totals.
class TStatsGame {
 public:
  uint8_t player_wormdeaths = 0;
  uint8_t player_spiderdeaths = 0;
  uint8_t player_snaildeaths = 0;
  uint8_t player_saucerdeaths = 0;
  uint8_t player_wardendeaths = 0;
  int32_t killed_worms = 0;
  int32_t killed_spiders = 0;
  int32_t killed_snails = 0;
  int32_t killed_saucers = 0;
  int32_t killed_shrooms = 0;
  int32_t killed_pshrooms = 0;
  int32_t bullets_fired = 0;
  int32_t bullets_hit = 0;
  float fastest_worm = 0;  // pixels per second, only ever raised
  uint8_t powerups[kStatPowerups] = {};

  void Reset();
  // Folds this game into the lifetime totals.
  void AddToLifetime(TStatsLife& life) const;
  void AddToLifetime() const;
};

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
