#include "game/collisions.h"

#include <type_traits>

#include "game/bullet.h"
#include "game/collision_mask.h"
#include "game/game_events.h"
#include "game/game_statistics.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/powerup.h"
#include "game/world.h"

// --- the special weapons -----------------------------------------------------------

void BlastCell(World& world, int32_t cell) {
  const uint8_t code = world.playfield.data[cell];
  if (IsShroom(code)) {
    world.statsStage.mushrooms = uint16_t(world.statsStage.mushrooms + 1);
    if (IsPoison(code)) {
      world.statsGame.killed_pshrooms += 1;
      world.player.AddScore(15);
    } else {
      world.statsGame.killed_shrooms += 1;
      world.player.AddScore(1);
    }
  }
  world.playfield.data[cell] = CELL_EMPTY;
  world.playfield.strength[cell] = 0;
}

// --- the ship ------------------------------------------------------------------

void CollideShipWithEnemies(TPlayer& ship) {
  World& world = ship.world;
  world.lstEnemies.ForEachOf<TSkitterworm>([&](TSkitterworm* part) {
    if (RectsOverlap(ship.x, ship.y, 7, 8, part->x, part->y + 2, 8, 5) &&
        ship.Touched(world.statsGame.player_wormdeaths))
      part->Death(1);
  });
  world.lstEnemies.ForEachOf<TSnail>([&](TSnail* snail) {
    if (RectsOverlap(ship.x, ship.y, 7, 8, int32_t(snail->x + 1.0f), int32_t(snail->y), 6, 8) &&
        ship.Touched(world.statsGame.player_snaildeaths))
      snail->Death();
  });
  world.lstEnemies.ForEachOf<TSpider>([&](TSpider* spider) {
    if (RectsOverlap(ship.x, ship.y, 7, 8, spider->x, spider->y, 8, 8) &&
        ship.Touched(world.statsGame.player_spiderdeaths))
      spider->Death();
  });
  if (ship.power[POWER_FREEMOVE] == 0) return;
  world.lstEnemies.ForEachOf<TSaucer>([&](TSaucer* saucer) {
    if (RectsOverlap(ship.x, ship.y, 7, 8, int32_t(saucer->x), saucer->y + 3, 8, 4) &&
        ship.Touched(world.statsGame.player_saucerdeaths))
      saucer->Death();
  });
}

void CollideShipWithWardens(TPlayer& ship) {
  World& world = ship.world;
  if (ship.state != SHIP_ALIVE) return;
  const bool hit = world.wardenFootprints.Hits(Masks().ship, float(ship.x), float(ship.y), 0);
  if (hit && ship.power[POWER_SHIELD] == 0) {
    ship.LoseLife();
    world.statsGame.player_wardendeaths = uint8_t(world.statsGame.player_wardendeaths + 1);
  }
}

void CollideShipWithPowerups(TPlayer& ship) {
  World& world = ship.world;
  world.lstPowerups.ForEach([&](TPowerup* powerup) {
    if (RectsOverlap(ship.x, ship.y, 7, 8, powerup->x, int32_t(powerup->y), 8, 8)) powerup->Collect();
  });
}

// --- the bullet ----------------------------------------------------------------

namespace {

void BulletHitsShroom(TBullet& shot) {
  World& world = shot.world;
  // Byte columns and rows: a position left of or above the grid wraps to a
  // large value and finds no cell.
  const uint8_t col = uint8_t((shot.x - 16) / 9);
  const uint8_t row = uint8_t((shot.y - 13) / 9);
  const uint16_t cell = uint16_t(row * 32 + col);
  if (cell >= kFieldCells) return;
  const uint8_t code = world.playfield.data[cell];
  if (!IsShroom(code)) return;  // scattermines and empty cells let the shot pass

  const uint16_t cx = uint16_t(col * 9 + 20), cy = uint16_t(row * 9 + 19);
  const uint8_t family = world.playfield.c[cell];
  if (code != 3 && code != 7) {
    const uint8_t damaged = uint8_t(code + 1);
    world.playfield.data[cell] = damaged;
    world.Report(game_event::ShroomChipped{cx, cy, family, damaged});
  } else {
    const bool poison = code == 7;
    world.player.AddScore(poison ? 15 : 1);
    world.playfield.data[cell] = CELL_EMPTY;
    world.playfield.strength[cell] = 0;
    ++world.statsStage.mushrooms;
    if (poison)
      ++world.statsGame.killed_pshrooms;
    else
      ++world.statsGame.killed_shrooms;
    world.Report(game_event::ShroomShotDown{cx, cy, family, poison});
  }
  shot.SpendHit();
}

// Every enemy overlapping the shot where this pass began is hit.
template <typename Enemy, typename Box>
void BulletHitsEnemies(TBullet& shot, Box box) {
  World& world = shot.world;
  const int32_t bx = shot.x, by = shot.y;
  world.lstEnemies.ForEachOf<Enemy>([&](Enemy* enemy) {
    const WeaponBox b = box(*enemy);
    if (!RectsOverlap(bx, by, 3, 5, b.x, b.y, b.w, b.h)) return;
    if constexpr (std::is_same_v<Enemy, TSkitterworm>)
      enemy->Death(1);
    else
      enemy->Death();
    shot.SpendHit();
  });
}

}  // namespace

void CollideBullet(TBullet& shot) {
  BulletHitsShroom(shot);
  BulletHitsEnemies<TSkitterworm>(shot, [](const TSkitterworm& p) { return WeaponBox{p.x, p.y, 8, 8}; });
  BulletHitsEnemies<TSnail>(shot, [](const TSnail& s) { return WeaponBox{int32_t(s.x), int32_t(s.y), 8, 8}; });
  BulletHitsEnemies<TSpider>(shot, [](const TSpider& s) { return WeaponBox{s.x, s.y, 8, 8}; });
  BulletHitsEnemies<TSaucer>(shot, [](const TSaucer& s) { return WeaponBox{int32_t(s.x), s.y, 8, 8}; });
}
