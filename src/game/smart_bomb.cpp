#include "game/smart_bomb.h"

#include "game/game_events.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/saucer.h"
#include "game/snail.h"
#include "game/spider.h"
#include "game/world.h"

namespace {
constexpr uint8_t kFlash = 200, kFade = 5;
}

void TSmartBomb::Update() {
  if (life != 0) life = uint8_t(life - kFade);
}

void TSmartBomb::Activate() {
  life = kFlash;
  world.lstEnemies.ForEachOf<TSpider>([](TSpider* spider) { spider->Death(); });
  world.lstEnemies.ForEachOf<TSnail>([](TSnail* snail) { snail->Death(); });
  world.lstEnemies.ForEachOf<TSaucer>([](TSaucer* saucer) { saucer->Death(); });
  world.playfield.SmartBomb([](World& world, uint16_t points) { world.player.AddScore(points); });
  world.ReportSound(GameSound::kBombActivate);
}
