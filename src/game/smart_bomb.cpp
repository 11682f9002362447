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
  lstEnemies.ForEachOf<TSpider>([](TSpider* spider) { spider->Death(); });
  lstEnemies.ForEachOf<TSnail>([](TSnail* snail) { snail->Death(); });
  lstEnemies.ForEachOf<TSaucer>([](TSaucer* saucer) { saucer->Death(); });
  playfield.SmartBomb([](uint16_t points) { player.AddScore(points); });
  ReportSound(GameSound::kBombActivate);
}
