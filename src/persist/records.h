#pragma once
// What the player keeps between runs: the settings, the local highscore table
// and the lifetime statistics, with the online table as last fetched. One
// object owns them; Reset() makes them as at start-up, before any file is read.
// The game reaches them by their usual names (config is records.config...).
#include <cstdint>

#include "core/object_list.h"
#include "persist/config.h"
#include "persist/highscores.h"
#include "persist/online_highscores.h"
#include "persist/statistics.h"

struct Records {
  TConfig config;
  THighscores highscores;
  TOnlineHighscores onlineScores;
  ObjectList<TScores> lstOnlineScores;
  uint8_t highscoreHighlight = 255;  // the entry added last (255 = none), highlighted on the highscore screen
  TStatsLife statsLife;

  void Reset();
};

extern Records records;

inline TConfig& config = records.config;
inline THighscores& highscores = records.highscores;
inline TOnlineHighscores& onlineScores = records.onlineScores;
inline ObjectList<TScores>& lstOnlineScores = records.lstOnlineScores;
inline uint8_t& highscoreHighlight = records.highscoreHighlight;
inline TStatsLife& statsLife = records.statsLife;
