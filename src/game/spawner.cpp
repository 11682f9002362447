#include "game/spawner.h"

#include <string>

#include "core/colour_family.h"
#include "game/game_statistics.h"
#include "game/hurry_up.h"
#include "game/player.h"
#include "game/saucer.h"
#include "game/skitterworm.h"
#include "game/snail.h"
#include "game/spider.h"
#include "game/warden.h"
#include "game/world.h"
#include "platform/log.h"
#include "platform/random.h"

namespace {

bool Coin() { return Rand(0, 1) == 1; }

// Arrivals go to the debug log, so a run can be followed from outside.
void LogArrival(const char* what, int32_t x, int32_t y, const std::string& colour) {
  if (!DebugLogEnabled()) return;
  DebugLog(std::string(what) + " arrives at " + std::to_string(x) + "," + std::to_string(y) + " colour " + colour +
           " in stage " + std::to_string(player.stage) + " wave " + std::to_string(player.wave));
}

}  // namespace

void UpdateSpawner() {
  // Warden alert hurries snails and spiders along as well.
  const bool alert = hurryup.state == THurryUp::STATE_ALERT;
  if (snailTimer > 0) {
    snailTimer -= alert ? 3 : 1;
  } else {
    const TSnail* snail = SpawnSnail();
    LogArrival("Snail", int32_t(snail->x), int32_t(snail->y), snail->c);
    snailTimer = Rand(0, CreatureWaitMax(ThreatLevel()));
  }

  if (spiderTimer > 0) {
    spiderTimer -= alert ? 2 : 1;
  } else {
    const TSpider* spider = SpawnSpider();
    LogArrival("Spider", spider->x, spider->y, spider->c);
    spiderTimer = Rand(0, CreatureWaitMax(ThreatLevel()));
  }

  // Stage A has no saucers.
  if (player.stage > 1) {
    if (saucerTimer > 0) {
      saucerTimer -= 1;
    } else {
      const TSaucer* saucer = SpawnSaucer();
      LogArrival("Saucer", int32_t(saucer->x), saucer->y, saucer->c);
      saucerTimer = Rand(600, SaucerWaitMax(player.stage, player.wave));
    }
  }

  UpdateReinforcements();
}

TSpider* SpawnSpider() {
  TSpider* spider = TSpider::New();
  spider->vdir = Coin() ? TSpider::VDIR_UP : TSpider::VDIR_DOWN;
  spider->y = Rand(190, 202);
  if (Coin()) {
    spider->hdir = TSpider::HDIR_LEFT;
    spider->x = TSpider::kRightX;
  } else {
    spider->hdir = TSpider::HDIR_RIGHT;
    spider->x = TSpider::kLeftX;
  }
  spider->clr = uint8_t(Rand(1, 11));
  spider->c = RandomColour(spider->clr);
  statsStage.spiders_seen += 1;
  return spider;
}

TSnail* SpawnSnail() {
  TSnail* snail = TSnail::New();
  if (Rand(1, 100) > 30) {
    // Seven in ten fall down a random column from the top row.
    snail->x = float(17 + 9 * Rand(0, 31));
    snail->y = 16.0f;
    snail->dir = TSnail::DIR_DOWN;
  } else {
    if (Coin()) {
      snail->dir = TSnail::DIR_LEFT;
      snail->x = 293.0f;
    } else {
      snail->dir = TSnail::DIR_RIGHT;
      snail->x = 18.0f;
    }
    snail->row = uint16_t(Rand(0, 17));
    snail->y = float(16 + 9 * snail->row);
  }
  snail->clr = uint8_t(Rand(1, 11));
  snail->c = RandomColour(snail->clr);
  statsStage.snails_seen += 1;
  return snail;
}

TSaucer* SpawnSaucer() {
  TSaucer* saucer = TSaucer::New();
  if (Coin()) {
    saucer->dir = TSaucer::DIR_LEFT;
    saucer->x = 296.0f;
  } else {
    saucer->dir = TSaucer::DIR_RIGHT;
    saucer->x = 17.0f;
  }
  saucer->row = uint16_t(Rand(0, 17));
  saucer->y = uint16_t(16 + 9 * saucer->row);
  saucer->clr = uint8_t(Rand(1, 11));
  saucer->c = RandomColour(saucer->clr);
  saucer->f = uint8_t(Rand(0, TSaucer::kFrames - 1));
  saucer->blinkfreq = uint8_t(Rand(60, 120));
  saucer->blinkcount = uint8_t(Rand(0, saucer->blinkfreq));
  for (uint8_t& at : saucer->blink) at = uint8_t(Rand(0, saucer->blinkfreq));
  statsStage.saucers_seen += 1;
  return saucer;
}

// --- the game flow's clean-ups ----------------------------------------------

void RemoveAllEnemies() {
  lstEnemies.ForEach([](TEnemy* enemy) { enemy->Die(); });
  // Shots still flying from the last game's wardens go with them.
  lstWardenBullets.ForEach([](TWardenBullet* shot) { shot->Die(); });
}

void RemoveEnemiesAtStageEnd() {
  // Nothing may cost the ship a life during the tally: chain parts left over
  // (reinforcements), wardens and their shots still in flight simply go.
  lstEnemies.ForEachOf<TSkitterworm>([](TSkitterworm* part) { part->Die(); });
  lstEnemies.ForEachOf<TWarden>([](TWarden* warden) { warden->Die(); });
  lstWardenBullets.ForEach([](TWardenBullet* shot) { shot->Die(); });
  // Whatever got away uncounted: the tally only compares what was fought.
  lstEnemies.ForEachOf<TSnail>([](TSnail* snail) {
    snail->Suicide();
    statsStage.snails_seen -= 1;
  });
  lstEnemies.ForEachOf<TSpider>([](TSpider* spider) {
    spider->Suicide();
    statsStage.spiders_seen -= 1;
  });
  lstEnemies.ForEachOf<TSaucer>([](TSaucer* saucer) {
    saucer->Suicide();
    statsStage.saucers_seen -= 1;
  });
}

int32_t ThreatLevel() { return (int32_t(player.stage) - 1) * 6 + int32_t(player.wave) - 1; }
