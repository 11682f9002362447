#pragma once
// The counters play increments directly: per stage (what the stage-clear
// tally shows) and per game (what joins the lifetime statistics at its end).
#include <cstdint>

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
};
