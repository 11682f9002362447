#include "game/explosion.h"

#include "game/game_events.h"
#include "game/particle.h"
#include "game/playfield.h"
#include "game/weapon_hits.h"
#include "game/world.h"
#include "platform/random.h"

namespace {

constexpr uint8_t kBlastFlash = 15, kAfterFlash = 16;
constexpr int32_t kBlock[9] = {-33, -32, -31, -1, 0, 1, 31, 32, 33};

void Bang() { ReportSound(GameSound::kMissileExplode); }

void Flash(float x, float y, uint8_t type) {
  TParticle* flash = CreateParticle(x, y, type, "FFFFFF", 90, 90);
  flash->ang = uint16_t(ShowRand(0, 359));
}

}  // namespace

TExplosion::TExplosion() { lstExplosions.Add(this); }

TExplosion* TExplosion::Create(int32_t x, int32_t y, uint16_t life, uint16_t pos) {
  auto* explosion = new TExplosion();
  explosion->x = x;
  explosion->y = y;
  explosion->life = life;
  explosion->pos = pos;
  explosion->KillShrooms();
  explosion->KillEnemies();
  Flash(float(x), float(y), kBlastFlash);
  const uint16_t px = uint16_t(x), py = uint16_t(y);
  CreateParticles(px, py, 30, 200, 40, 60, 1.4f, 1.5f, 6, 0, 999, 0.95f);
  CreateParticles(px, py, 50, 200, 40, 60, 2.9f, 3.0f, 3, 0, 999, 0.95f);
  Bang();
  return explosion;
}

void TExplosion::Die() { lstExplosions.Remove(this); }

void TExplosion::Update() {
  life = uint16_t(life - 1);
  KillShrooms();
  KillEnemies();
  if (ShowRand(1, 100) > 85) {
    // An after-blast somewhere in the fire.
    const float fx = float(x + ShowRand(-10, 10)), fy = float(y + ShowRand(-10, 10));
    Flash(fx, fy, kAfterFlash);
    const uint8_t count = uint8_t(ShowRand(5, 10));
    const uint8_t type = uint8_t(ShowRand(3, 7));
    CreateParticles(uint16_t(int32_t(fx)), uint16_t(int32_t(fy)), count, 200, 40, 60, 0.9f, 1.0f, type, 0, 999, 0.95f);
    Bang();
  }
  if (life == 0) Die();
}

void TExplosion::KillShrooms() {
  if (pos >= kFieldCells) return;
  for (int32_t offset : kBlock) {
    const int32_t cell = int32_t(pos) + offset;
    if (cell >= 0 && cell < kFieldCells) BlastCell(cell);
  }
}

void TExplosion::KillEnemies() {
  KillEnemiesInBox(
      EnemyShape::kContact, 1,
      [this](bool) {
        return WeaponBox{x - 10, y - 10, 24, 24};
      },
      [] {});
}
