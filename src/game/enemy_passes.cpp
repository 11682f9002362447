// The frame's passes over snails, spiders and saucers: one walk of
// lstEnemies per kind, in the order the frame asks.
#include "game/saucer.h"
#include "game/snail.h"
#include "game/spider.h"
#include "game/world.h"

void UpdateSnails() {
  lstEnemies.ForEachOf<TSnail>([](TSnail* snail) { snail->Update(); });
}

void UpdateSpiders() {
  lstEnemies.ForEachOf<TSpider>([](TSpider* spider) { spider->Update(); });
}

int32_t UpdateSaucers() {
  int32_t count = 0;
  lstEnemies.ForEachOf<TSaucer>([&](TSaucer* saucer) {
    saucer->Update();
    ++count;
  });
  return count;
}
