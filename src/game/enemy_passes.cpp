// The game loop's, the ship's and the bullet's passes over snails, spiders
// and saucers: one walk of lstEnemies per kind, in the order the loop asks.
#include "core/rects.h"
#include "game/bullet.h"
#include "game/game_statistics.h"
#include "game/player.h"
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

// The ship's box is (x, y, 7, 8); each kind has its own contact box.
void CollideShipWithSnails(TPlayer& ship) {
  lstEnemies.ForEachOf<TSnail>([&](TSnail* snail) {
    if (RectsOverlap(ship.x, ship.y, 7, 8, int32_t(snail->x + 1.0f), int32_t(snail->y), 6, 8) &&
        ship.Touched(statsGame.player_snaildeaths))
      snail->Death();
  });
}

void CollideShipWithSpiders(TPlayer& ship) {
  lstEnemies.ForEachOf<TSpider>([&](TSpider* spider) {
    if (RectsOverlap(ship.x, ship.y, 7, 8, spider->x, spider->y, 8, 8) && ship.Touched(statsGame.player_spiderdeaths))
      spider->Death();
  });
}

void CollideShipWithSaucers(TPlayer& ship) {
  lstEnemies.ForEachOf<TSaucer>([&](TSaucer* saucer) {
    if (RectsOverlap(ship.x, ship.y, 7, 8, int32_t(saucer->x), saucer->y + 3, 8, 4) &&
        ship.Touched(statsGame.player_saucerdeaths))
      saucer->Death();
  });
}

// The bullet's box is (x, y, 3, 5). Every overlapping enemy is hit, even
// once the shot's power has run out within the pass.
void BulletPassSnails(TBullet& shot) {
  const int32_t bx = shot.x, by = shot.y;
  lstEnemies.ForEachOf<TSnail>([&](TSnail* snail) {
    if (!RectsOverlap(bx, by, 3, 5, int32_t(snail->x), int32_t(snail->y), 8, 8)) return;
    snail->Death();
    shot.SpendHit();
  });
}

void BulletPassSpiders(TBullet& shot) {
  const int32_t bx = shot.x, by = shot.y;
  lstEnemies.ForEachOf<TSpider>([&](TSpider* spider) {
    if (!RectsOverlap(bx, by, 3, 5, spider->x, spider->y, 8, 8)) return;
    spider->Death();
    shot.SpendHit();
  });
}

void BulletPassSaucers(TBullet& shot) {
  const int32_t bx = shot.x, by = shot.y;
  lstEnemies.ForEachOf<TSaucer>([&](TSaucer* saucer) {
    if (!RectsOverlap(bx, by, 3, 5, int32_t(saucer->x), saucer->y, 8, 8)) return;
    saucer->Death();
    shot.SpendHit();
  });
}
