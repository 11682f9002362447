#pragma once
// Every pair of things that meet in play, resolved here and nowhere else:
// what the ship runs into and picks up, what its bullet hits, and what the
// special weapons reach. The frame's passes ask for each at its fixed place
// in the frame (game/play.cpp, game/ship.cpp, the weapons' own ticks); the
// things themselves only move, and score or die when they are met. Enemies
// are always met in one order: chain parts, then snails, spiders and saucers.
#include <cstdint>

#include "core/rects.h"
#include "game/saucer.h"
#include "game/skitterworm.h"
#include "game/snail.h"
#include "game/spider.h"
#include "game/world.h"

class TPlayer;
class TBullet;

// The ship meets chain parts, snails and spiders (and saucers while it moves
// freely): a shielded ship kills what it touches, an unshielded one dies
// (TPlayer::Touched). Its box is (x, y, 7, 8); each kind has its own contact box.
void CollideShipWithEnemies(TPlayer& ship);
// The ship meets the wardens and their shots by their pictures' masks.
void CollideShipWithWardens(TPlayer& ship);
// The ship picks up every powerup it touches, while respawning too.
void CollideShipWithPowerups(TPlayer& ship);
// One of the bullet's hits where it now is: a mushroom, then every chain
// part, snail, spider and saucer it overlaps (box (x, y, 3, 5)), even once
// the shot's power has run out within the pass.
void CollideBullet(TBullet& shot);

// How the special weapons find the enemies in their reach. Missiles and
// railblasts hit an enemy's whole 8x8 body; an explosion hits the slimmer
// shapes the ship's own contact test uses.
struct WeaponBox {
  int32_t x, y, w, h;
};

enum class EnemyShape : uint8_t { kBody, kContact };

// Every chain part, snail, spider and saucer whose shape overlaps the weapon's
// box dies by its own Death (a chain part by Death(chain_death)), and then
// after_kill() runs. box(is_saucer) is asked afresh for every enemy, so a
// weapon that moves when it kills (a missile explodes) is tested where it is.
template <typename BoxFn, typename AfterKill>
void KillEnemiesInBox(World& world, EnemyShape shape, uint8_t chain_death, BoxFn box, AfterKill after_kill) {
  const bool contact = shape == EnemyShape::kContact;
  auto overlaps = [&](bool saucer, int32_t x, int32_t y, int32_t w, int32_t h) {
    const WeaponBox b = box(saucer);
    return RectsOverlap(b.x, b.y, b.w, b.h, x, y, w, h) != 0;
  };
  world.lstEnemies.ForEachOf<TSkitterworm>([&](TSkitterworm* part) {
    if (!(contact ? overlaps(false, part->x, part->y + 2, 8, 5) : overlaps(false, part->x, part->y, 8, 8))) return;
    part->Death(chain_death);
    after_kill();
  });
  world.lstEnemies.ForEachOf<TSnail>([&](TSnail* snail) {
    const bool hit = contact ? overlaps(false, int32_t(snail->x + 1.0f), int32_t(snail->y), 6, 8)
                             : overlaps(false, int32_t(snail->x), int32_t(snail->y), 8, 8);
    if (!hit) return;
    snail->Death();
    after_kill();
  });
  world.lstEnemies.ForEachOf<TSpider>([&](TSpider* spider) {
    if (!overlaps(false, spider->x, spider->y, 8, 8)) return;
    spider->Death();
    after_kill();
  });
  world.lstEnemies.ForEachOf<TSaucer>([&](TSaucer* saucer) {
    const bool hit = contact ? overlaps(true, int32_t(saucer->x), saucer->y + 3, 8, 4)
                             : overlaps(true, int32_t(saucer->x), saucer->y, 8, 8);
    if (!hit) return;
    saucer->Death();
    after_kill();
  });
}

// A mushroom or poison mushroom blown away by a weapon: it counts for the
// stage and the game and scores 1 (15 for a poison one). Whatever the cell
// held, it is empty afterwards, so a scattermine vanishes without going off.
void BlastCell(World& world, int32_t cell);
