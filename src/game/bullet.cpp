#include "game/bullet.h"

#include "core/rects.h"
#include "game/enemy_passes.h"
#include "game/game_events.h"
#include "game/game_statistics.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/skitterworm.h"
#include "game/world.h"
#include "platform/random.h"

void TBullet::Fire() {
  x = player.x + 2;
  y = player.y - 1;
  pwr = player.bpwr;
  if (pwr > 2) Report(game_event::MuzzleFlash{player.x + 3, player.y});
  Report(game_event::Blaster{player.bpwr});
  ++statsGame.bullets_fired;
}

void TBullet::Update() {
  y -= kBulletSpeed;
  if (InFlight()) {
    // The trail shows the ship's laser level, not the shot's spent power.
    Report(game_event::BulletTrail{x, y, player.bpwr});
    // All of this tick's hits happen where the shot is now; a mushroom can
    // take several damage steps from one strong shot.
    const uint8_t n = pwr;
    for (uint8_t i = 0; i < n; ++i) {
      CollideShrooms();
      CollideEnemies();
    }
  }
  if (hit) {
    ++statsGame.bullets_hit;
    hit = 0;
  }
}

void TBullet::SpendHit() {
  pwr = uint8_t(pwr - 1);
  if (pwr == 0) y = kBulletIdleY;
  hit = 1;
}

void TBullet::CollideShrooms() {
  // Byte columns and rows: a position left of or above the grid wraps to a
  // large value and finds no cell.
  const uint8_t col = uint8_t((x - 16) / 9);
  const uint8_t row = uint8_t((y - 13) / 9);
  const uint16_t cell = uint16_t(row * 32 + col);
  if (cell >= kFieldCells) return;
  const uint8_t code = playfield.data[cell];
  if (!IsShroom(code)) return;  // scattermines and empty cells let the shot pass

  const uint16_t cx = uint16_t(col * 9 + 20), cy = uint16_t(row * 9 + 19);
  const uint8_t family = playfield.c[cell];
  if (code != 3 && code != 7) {
    const uint8_t damaged = uint8_t(code + 1);
    playfield.data[cell] = damaged;
    Report(game_event::ShroomChipped{cx, cy, family, damaged});
  } else {
    const bool poison = code == 7;
    player.AddScore(poison ? 15 : 1);
    playfield.data[cell] = CELL_EMPTY;
    playfield.strength[cell] = 0;
    ++statsStage.mushrooms;
    if (poison)
      ++statsGame.killed_pshrooms;
    else
      ++statsGame.killed_shrooms;
    Report(game_event::ShroomShotDown{cx, cy, family, poison});
  }
  SpendHit();
}

void TBullet::CollideEnemies() {
  // Every part overlapping the shot where this pass began is hit, even after
  // the shot's power has run out within the pass.
  const int32_t bx = x, by = y;
  lstEnemies.ForEachOf<TSkitterworm>([&](TSkitterworm* part) {
    if (!RectsOverlap(bx, by, 3, 5, part->x, part->y, 8, 8)) return;
    part->Death(1);
    SpendHit();
  });
  BulletPassSnails(*this);
  BulletPassSpiders(*this);
  BulletPassSaucers(*this);
}
