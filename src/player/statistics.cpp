#include "player/statistics.h"

#include "app/game_state.h"

void TStatsStage::Reset() { *this = TStatsStage(); }

void TStatsGame::Reset() { *this = TStatsGame(); }

void TStatsGame::AddToLifetime(TStatsLife& life) const {
  life.games_played += 1;
  life.player_wormdeaths += player_wormdeaths;
  life.player_spiderdeaths += player_spiderdeaths;
  life.player_snaildeaths += player_snaildeaths;
  life.player_saucerdeaths += player_saucerdeaths;
  life.player_wardendeaths += player_wardendeaths;
  life.killed_worms += killed_worms;
  life.killed_spiders += killed_spiders;
  life.killed_snails += killed_snails;
  life.killed_saucers += killed_saucers;
  life.killed_shrooms += killed_shrooms;
  life.killed_pshrooms += killed_pshrooms;
  life.bullets_fired += bullets_fired;
  life.bullets_hit += bullets_hit;
  if (fastest_worm > life.fastest_worm) life.fastest_worm = fastest_worm;
  for (int i = 0; i < kStatPowerups; ++i) life.powerups[i] += powerups[i];
}

void TStatsGame::AddToLifetime() const { AddToLifetime(statsLife); }

int32_t TStatsLife::TotalDeaths() const {
  return player_wormdeaths + player_spiderdeaths + player_snaildeaths + player_saucerdeaths + player_wardendeaths;
}

int32_t TStatsLife::TotalKills() const { return killed_worms + killed_spiders + killed_snails + killed_saucers; }

int32_t TStatsLife::TotalShrooms() const { return killed_shrooms + killed_pshrooms; }

int32_t TStatsLife::TotalPowerups() const {
  int32_t total = 0;
  for (int32_t count : powerups) total += count;
  return total;
}

// A player who never died gets their kill count as the ratio.
float TStatsLife::KillRatio() const {
  const int32_t deaths = TotalDeaths();
  if (deaths <= 0) return float(TotalKills());
  return float(TotalKills()) / float(deaths);
}

// Before the first shot the accuracy reads a perfect 100. A laser that passes
// through several things may count more hits than shots, so above 100 happens.
float TStatsLife::Accuracy() const {
  if (bullets_fired < 1) return 100.0f;
  return float(bullets_hit) / float(bullets_fired) * 100.0f;
}
