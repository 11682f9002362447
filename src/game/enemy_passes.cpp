// The frame's passes over snails, spiders and saucers: one walk of
// lstEnemies per kind, in the order the frame asks.
#include "game/saucer.h"
#include "game/snail.h"
#include "game/spider.h"
#include "game/world.h"

void UpdateSnails(World& world) {
  world.lstEnemies.ForEachOf<TSnail>([](TSnail* snail) { snail->Update(); });
}

void UpdateSpiders(World& world) {
  world.lstEnemies.ForEachOf<TSpider>([](TSpider* spider) { spider->Update(); });
}

int32_t UpdateSaucers(World& world) {
  int32_t count = 0;
  world.lstEnemies.ForEachOf<TSaucer>([&](TSaucer* saucer) {
    saucer->Update();
    ++count;
  });
  return count;
}
