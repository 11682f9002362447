#include "game/warden.h"

#include "game/collision_mask.h"
#include "game/game_events.h"
#include "game/player.h"
#include "game/world.h"
#include "platform/random.h"
#include "platform/trig.h"

namespace {

constexpr uint8_t kLightFrames = 30;  // an alarm light swaps sides every 30 frames

}  // namespace

TWarden::TWarden(World& world) : TEnemy(world) {
  xdelta = 0.125f;
  xvelmax = 3.0f;
  ysin = 10.0f;
  lighttimer = uint8_t(world.random.Rand(0, kLightFrames - 1));
  whichlight = uint8_t(world.random.Rand(0, 1));
  world.lstEnemies.Add(this);
}

void TWarden::Die() { world.lstEnemies.Remove(this); }

void TWarden::Update() {
  // Homing: it aims for the ship's middle, so it overshoots and swings back.
  if (x >= float(world.player.x + 3))
    xvel -= xdelta;
  else
    xvel += xdelta;
  if (xvel > xvelmax) xvel = xvelmax;
  if (xvel < -xvelmax) xvel = -xvelmax;
  x += xvel;

  sinr += 5;
  if (sinr >= 360) sinr -= 360;
  sy = y + SinDeg(float(sinr)) * ysin;

  if (lighttimer == kLightFrames - 1) {
    whichlight ^= 1;
    lighttimer = 0;
  } else {
    lighttimer += 1;
  }

  world.Report(game_event::WardenTrail{x, sy});

  if (world.random.Rand(1, 60) == 60) ShootAtPlayer();
}

void TWarden::ShootAtPlayer() {
  // Aimed from the base height at the middle of the ship; 0 degrees is up.
  aim = ATan2Deg(float(world.player.y + 5) - y, float(world.player.x + 3) - x) + 90.0f;
  if (aim < 0) aim += 360.0f;
  TWardenBullet* shot = TWardenBullet::New(world);
  shot->x = x;
  shot->y = sy;
  shot->ang = aim;
  shot->vel = world.random.Rnd(2.5f, 3.0f);
  shot->xvel = SinDeg(aim) * shot->vel;
  shot->yvel = -CosDeg(aim) * shot->vel;
  world.ReportSound(GameSound::kWardenShoot);
}

TWardenBullet::TWardenBullet(World& world) : world(world) { world.lstWardenBullets.Add(this); }

void TWardenBullet::Die() { world.lstWardenBullets.Remove(this); }

void TWardenBullet::Update() {
  x += xvel;
  y += yvel;
  if (x > 325.0f || x < -5.0f || y > 245.0f || y < -5.0f) Die();
}

TWarden* SpawnWarden(World& world) {
  TWarden* warden = TWarden::New(world);
  warden->x = float(world.random.Rand(10, 310));
  warden->y = float(world.random.Rand(30, 150));
  warden->xdelta += world.random.Rnd(-0.05f, 0.05f);
  warden->xvelmax += world.random.Rnd(-1.0f, 1.0f);
  warden->ysin += world.random.Rnd(-5.0f, 5.0f);
  return warden;
}

// --- the game loop's hooks -------------------------------------------------

void UpdateWardens(World& world) {
  world.lstEnemies.ForEachOf<TWarden>([](TWarden* warden) { warden->Update(); });
}

void UpdateWardenBullets(World& world) {
  world.lstWardenBullets.ForEach([](TWardenBullet* shot) { shot->Update(); });
}

void RegisterWardenCollisions(World& world) {
  CollisionLayer& layer = world.wardenFootprints;
  layer.Clear();
  world.lstWardenBullets.ForEach(
      [&](TWardenBullet* shot) { layer.Add(Masks().warden_bullet, shot->x, shot->y, shot->ang); });
  world.lstEnemies.ForEachOf<TWarden>([&](TWarden* warden) { layer.Add(Masks().warden, warden->x, warden->sy, 0); });
}

void RemoveAllWardens(World& world) {
  world.lstEnemies.ForEachOf<TWarden>([](TWarden* warden) { warden->Die(); });
}
