#include "persist/statistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/version.h"
#include "persist/records.h"
#include "platform/log.h"
#include "platform/stream.h"

namespace {

// Lifetime totals stop at the largest count rather than wrap into negatives.
void AddSaturating(int32_t& total, int64_t add) {
  const int64_t sum = int64_t(total) + add;
  total = int32_t(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

template <typename... Counts>
int32_t SumSaturating(Counts... counts) {
  int32_t total = 0;
  (AddSaturating(total, counts), ...);
  return total;
}

}  // namespace

void TStatsLife::Add(const TStatsGame& game) {
  for (const LifetimeCounter& counter : kLifetimeCounters) AddSaturating(this->*counter.total, counter.of_game(game));
  if (game.fastest_worm > fastest_worm) fastest_worm = game.fastest_worm;
  for (int i = 0; i < kStatPowerups; ++i) AddSaturating(powerups[i], game.powerups[i]);
}

int32_t TStatsLife::TotalDeaths() const {
  return SumSaturating(player_wormdeaths, player_spiderdeaths, player_snaildeaths, player_saucerdeaths,
                       player_wardendeaths);
}

int32_t TStatsLife::TotalKills() const {
  return SumSaturating(killed_worms, killed_spiders, killed_snails, killed_saucers);
}

int32_t TStatsLife::TotalShrooms() const { return SumSaturating(killed_shrooms, killed_pshrooms); }

int32_t TStatsLife::TotalPowerups() const {
  int32_t total = 0;
  for (int32_t count : powerups) AddSaturating(total, count);
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

bool TStatsLife::Load(const std::string& path) {
  auto in = Stream::OpenRead(path);
  if (!in) {
    ReportUnreadableFile("Statistics file", path);
    return false;
  }
  const std::string version = in->ReadLine(kDataFileVersionMaxBytes);
  if (in->read_error()) {
    ReportUnreadableFile("Statistics file", path);
    return false;
  }
  if (version != kDataFileVersion) {
    DebugLog("Statistics file " + path + (in->overlong() ? " is damaged" : " is of another version") +
             "; it will be replaced at exit");
    return false;
  }
  TStatsLife read;
  for (const LifetimeCounter& counter : kLifetimeCounters) read.*counter.total = in->ReadInt();
  read.fastest_worm = in->ReadFloat();
  for (int32_t& count : read.powerups) count = in->ReadInt();
  if (in->read_error()) {
    ReportUnreadableFile("Statistics file", path);
    return false;
  }
  if (in->eof()) DebugLog("Statistics file " + path + " is cut short; the missing counters read as zero");
  // A speed that is not a number (or infinite) could never be beaten or shown.
  if (!std::isfinite(read.fastest_worm)) read.fastest_worm = 0.0f;
  *this = read;
  return true;
}

bool TStatsLife::Save(const std::string& path) const {
  const bool saved = WriteFileAtomically(path, [this](Stream& out) {
    out.WriteLine(kDataFileVersion);
    for (const LifetimeCounter& counter : kLifetimeCounters) out.WriteInt(this->*counter.total);
    out.WriteFloat(fastest_worm);
    for (int32_t count : powerups) out.WriteInt(count);
  });
  if (!saved) ReportFailedSave("statistics", path);
  return saved;
}
