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

bool Coin(World& world) { return world.random.Rand(0, 1) == 1; }

// Arrivals go to the debug log, so a run can be followed from outside.
void LogArrival(World& world, const char* what, int32_t x, int32_t y, const std::string& colour) {
  if (!DebugLogEnabled()) return;
  DebugLog(std::string(what) + " arrives at " + std::to_string(x) + "," + std::to_string(y) + " colour " + colour +
           " in stage " + std::to_string(world.player.stage) + " wave " + std::to_string(world.player.wave));
}

}  // namespace

void UpdateSpawner(World& world) {
  // Warden alert hurries snails and spiders along as well.
  const bool alert = world.hurryup.state == THurryUp::STATE_ALERT;
  if (world.snailTimer > 0) {
    world.snailTimer -= alert ? 3 : 1;
  } else {
    const TSnail* snail = SpawnSnail(world);
    LogArrival(world, "Snail", int32_t(snail->x), int32_t(snail->y), snail->c);
    world.snailTimer = world.random.Rand(0, CreatureWaitMax(ThreatLevel(world)));
  }

  if (world.spiderTimer > 0) {
    world.spiderTimer -= alert ? 2 : 1;
  } else {
    const TSpider* spider = SpawnSpider(world);
    LogArrival(world, "Spider", spider->x, spider->y, spider->c);
    world.spiderTimer = world.random.Rand(0, CreatureWaitMax(ThreatLevel(world)));
  }

  // Stage A has no saucers.
  if (world.player.stage > 1) {
    if (world.saucerTimer > 0) {
      world.saucerTimer -= 1;
    } else {
      const TSaucer* saucer = SpawnSaucer(world);
      LogArrival(world, "Saucer", int32_t(saucer->x), saucer->y, saucer->c);
      world.saucerTimer = world.random.Rand(600, SaucerWaitMax(world.player.stage, world.player.wave));
    }
  }

  UpdateReinforcements(world);
}

TSpider* SpawnSpider(World& world) {
  TSpider* spider = TSpider::New(world);
  spider->vdir = Coin(world) ? TSpider::VDIR_UP : TSpider::VDIR_DOWN;
  spider->y = world.random.Rand(190, 202);
  if (Coin(world)) {
    spider->hdir = TSpider::HDIR_LEFT;
    spider->x = TSpider::kRightX;
  } else {
    spider->hdir = TSpider::HDIR_RIGHT;
    spider->x = TSpider::kLeftX;
  }
  spider->clr = uint8_t(world.random.Rand(1, 11));
  spider->c = RandomColour(spider->clr, world.random);
  world.statsStage.spiders_seen += 1;
  return spider;
}

TSnail* SpawnSnail(World& world) {
  TSnail* snail = TSnail::New(world);
  if (world.random.Rand(1, 100) > 30) {
    // Seven in ten fall down a random column from the top row.
    snail->x = float(17 + 9 * world.random.Rand(0, 31));
    snail->y = 16.0f;
    snail->dir = TSnail::DIR_DOWN;
  } else {
    if (Coin(world)) {
      snail->dir = TSnail::DIR_LEFT;
      snail->x = 293.0f;
    } else {
      snail->dir = TSnail::DIR_RIGHT;
      snail->x = 18.0f;
    }
    snail->row = uint16_t(world.random.Rand(0, 17));
    snail->y = float(16 + 9 * snail->row);
  }
  snail->clr = uint8_t(world.random.Rand(1, 11));
  snail->c = RandomColour(snail->clr, world.random);
  world.statsStage.snails_seen += 1;
  return snail;
}

TSaucer* SpawnSaucer(World& world) {
  TSaucer* saucer = TSaucer::New(world);
  if (Coin(world)) {
    saucer->dir = TSaucer::DIR_LEFT;
    saucer->x = 296.0f;
  } else {
    saucer->dir = TSaucer::DIR_RIGHT;
    saucer->x = 17.0f;
  }
  saucer->row = uint16_t(world.random.Rand(0, 17));
  saucer->y = uint16_t(16 + 9 * saucer->row);
  saucer->clr = uint8_t(world.random.Rand(1, 11));
  saucer->c = RandomColour(saucer->clr, world.random);
  saucer->f = uint8_t(world.random.Rand(0, TSaucer::kFrames - 1));
  saucer->blinkfreq = uint8_t(world.random.Rand(60, 120));
  saucer->blinkcount = uint8_t(world.random.Rand(0, saucer->blinkfreq));
  for (uint8_t& at : saucer->blink) at = uint8_t(world.random.Rand(0, saucer->blinkfreq));
  world.statsStage.saucers_seen += 1;
  return saucer;
}

// --- the game flow's clean-ups ----------------------------------------------

void RemoveAllEnemies(World& world) {
  world.lstEnemies.ForEach([](TEnemy* enemy) { enemy->Die(); });
  // Shots still flying from the last game's wardens go with them.
  world.lstWardenBullets.ForEach([](TWardenBullet* shot) { shot->Die(); });
}

void RemoveEnemiesAtStageEnd(World& world) {
  // Nothing may cost the ship a life during the tally: chain parts left over
  // (reinforcements), wardens and their shots still in flight simply go.
  world.lstEnemies.ForEachOf<TSkitterworm>([](TSkitterworm* part) { part->Die(); });
  world.lstEnemies.ForEachOf<TWarden>([](TWarden* warden) { warden->Die(); });
  world.lstWardenBullets.ForEach([](TWardenBullet* shot) { shot->Die(); });
  // Whatever got away uncounted: the tally only compares what was fought.
  world.lstEnemies.ForEachOf<TSnail>([&](TSnail* snail) {
    snail->Suicide();
    world.statsStage.snails_seen -= 1;
  });
  world.lstEnemies.ForEachOf<TSpider>([&](TSpider* spider) {
    spider->Suicide();
    world.statsStage.spiders_seen -= 1;
  });
  world.lstEnemies.ForEachOf<TSaucer>([&](TSaucer* saucer) {
    saucer->Suicide();
    world.statsStage.saucers_seen -= 1;
  });
}

int32_t ThreatLevel(const World& world) {
  return (int32_t(world.player.stage) - 1) * 6 + int32_t(world.player.wave) - 1;
}
