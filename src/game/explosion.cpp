#include "game/explosion.h"

#include "game/collisions.h"
#include "game/game_events.h"
#include "game/playfield.h"
#include "game/world.h"
#include "platform/random.h"

namespace {

constexpr int32_t kBlock[9] = {-33, -32, -31, -1, 0, 1, 31, 32, 33};

}  // namespace

TExplosion::TExplosion(World& world) : world(world) { world.lstExplosions.Add(this); }

TExplosion* TExplosion::Create(World& world, int32_t x, int32_t y, uint16_t life, uint16_t pos) {
  auto* explosion = new TExplosion(world);
  explosion->x = x;
  explosion->y = y;
  explosion->life = life;
  explosion->pos = pos;
  explosion->KillShrooms();
  explosion->KillEnemies();
  world.Report(game_event::ExplosionStarted{x, y});
  world.ReportSound(GameSound::kMissileExplode);
  return explosion;
}

void TExplosion::Die() { world.lstExplosions.Remove(this); }

void TExplosion::Update() {
  life = uint16_t(life - 1);
  KillShrooms();
  KillEnemies();
  world.Report(game_event::ExplosionBurns{x, y});
  if (life == 0) Die();
}

void TExplosion::KillShrooms() {
  if (pos >= kFieldCells) return;
  for (int32_t offset : kBlock) {
    const int32_t cell = int32_t(pos) + offset;
    if (cell >= 0 && cell < kFieldCells) BlastCell(world, cell);
  }
}

void TExplosion::KillEnemies() {
  KillEnemiesInBox(
      world, EnemyShape::kContact, 1,
      [this](bool) {
        return WeaponBox{x - 10, y - 10, 24, 24};
      },
      [] {});
}
