#include "game/missile.h"

#include "game/collisions.h"
#include "game/explosion.h"
#include "game/game_events.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/world.h"

TMissile::TMissile(World& world) : world(world), yvel(-1.0f), ydel(-0.03f) { world.lstMissiles.Add(this); }

TMissile* TMissile::Launch(World& world, int32_t x, int32_t y, uint8_t col) {
  auto* missile = new TMissile(world);
  missile->x = x;
  missile->y = float(y);
  missile->m_col = col;
  return missile;
}

void TMissile::Die() { world.lstMissiles.Remove(this); }

void TMissile::Update() {
  y += yvel;
  yvel += ydel;
  // Rows are reckoned from 3 pixels above the grid, so a missile meets a
  // mushroom once its nose is a few pixels into the cell.
  m_row = uint8_t(int32_t((y - 13.0f) / 9.0f));
  m_pos = uint16_t(m_row * kFieldCols + m_col);
  if (y > kMissileGoneY) CollideShrooms();
  if (y > kMissileGoneY) CollideEnemies();
  if (y <= kMissileGoneY) Die();
}

// Only mushrooms stop it: it flies over mines and empty cells.
void TMissile::CollideShrooms() {
  if (m_pos < kFieldCells && IsShroom(world.playfield.data[m_pos])) Explode();
}

void TMissile::CollideEnemies() {
  // After a kill the missile has exploded; the later passes test it where it
  // now is, above the screen, where nothing can be hit.
  KillEnemiesInBox(
      world, EnemyShape::kBody, 1,
      [this](bool saucer) {
        return WeaponBox{x, int32_t(y), 3, saucer ? 5 : 8};
      },
      [this] { Explode(); });
}

void TMissile::Explode() {
  TExplosion::Create(world, x, int32_t(y), kExplosionLife, m_pos);
  y = kMissileGoneY;  // removed at the end of this tick
}

TMissileVolley::TMissileVolley(World& world) : world(world) { world.lstMissileVolleys.Add(this); }

TMissileVolley* TMissileVolley::Create(World& world, uint8_t life) {
  auto* volley = new TMissileVolley(world);
  volley->life = life;
  return volley;
}

void TMissileVolley::Die() { world.lstMissileVolleys.Remove(this); }

void TMissileVolley::Update() {
  if (life % kVolleySpacing == 0) {
    // From wherever the ship is now, up the column above its middle.
    const int32_t x = world.player.x + 3;
    TMissile::Launch(world, x, world.player.y, uint8_t((x - 16) / 9));
    world.ReportSound(GameSound::kMissileLaunch);
  }
  if (life-- == 1) Die();
}
