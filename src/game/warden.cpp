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

TWarden::TWarden() {
  xdelta = 0.125f;
  xvelmax = 3.0f;
  ysin = 10.0f;
  lighttimer = uint8_t(Rand(0, kLightFrames - 1));
  whichlight = uint8_t(Rand(0, 1));
  lstEnemies.Add(this);
}

void TWarden::Die() { lstEnemies.Remove(this); }

void TWarden::Update() {
  // Homing: it aims for the ship's middle, so it overshoots and swings back.
  if (x >= float(player.x + 3))
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

  Report(game_event::WardenTrail{x, sy});

  if (Rand(1, 60) == 60) ShootAtPlayer();
}

void TWarden::ShootAtPlayer() {
  // Aimed from the base height at the middle of the ship; 0 degrees is up.
  aim = ATan2Deg(float(player.y + 5) - y, float(player.x + 3) - x) + 90.0f;
  if (aim < 0) aim += 360.0f;
  TWardenBullet* shot = TWardenBullet::New();
  shot->x = x;
  shot->y = sy;
  shot->ang = aim;
  shot->vel = Rnd(2.5f, 3.0f);
  shot->xvel = SinDeg(aim) * shot->vel;
  shot->yvel = -CosDeg(aim) * shot->vel;
  ReportSound(GameSound::kWardenShoot);
}

TWardenBullet::TWardenBullet() { lstWardenBullets.Add(this); }

void TWardenBullet::Die() { lstWardenBullets.Remove(this); }

void TWardenBullet::Update() {
  x += xvel;
  y += yvel;
  if (x > 325.0f || x < -5.0f || y > 245.0f || y < -5.0f) Die();
}

TWarden* SpawnWarden() {
  TWarden* warden = TWarden::New();
  warden->x = float(Rand(10, 310));
  warden->y = float(Rand(30, 150));
  warden->xdelta += Rnd(-0.05f, 0.05f);
  warden->xvelmax += Rnd(-1.0f, 1.0f);
  warden->ysin += Rnd(-5.0f, 5.0f);
  return warden;
}

// --- the game loop's hooks -------------------------------------------------

void UpdateWardens() {
  lstEnemies.ForEachOf<TWarden>([](TWarden* warden) { warden->Update(); });
}

void UpdateWardenBullets() {
  lstWardenBullets.ForEach([](TWardenBullet* shot) { shot->Update(); });
}

void RegisterWardenCollisions() {
  CollisionLayer& layer = world.wardenFootprints;
  layer.Clear();
  lstWardenBullets.ForEach([&](TWardenBullet* shot) { layer.Add(Masks().warden_bullet, shot->x, shot->y, shot->ang); });
  lstEnemies.ForEachOf<TWarden>([&](TWarden* warden) { layer.Add(Masks().warden, warden->x, warden->sy, 0); });
}

void RemoveAllWardens() {
  lstEnemies.ForEachOf<TWarden>([](TWarden* warden) { warden->Die(); });
}
