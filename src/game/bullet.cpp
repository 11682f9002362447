#include "game/bullet.h"

#include "game/game_events.h"
#include "game/game_statistics.h"
#include "game/world.h"

void TBullet::Fire(int32_t ship_x, int32_t ship_y, uint8_t level) {
  x = ship_x + 2;
  y = ship_y - 1;
  pwr = level;
  if (pwr > 2) world.Report(game_event::MuzzleFlash{ship_x + 3, ship_y});
  world.Report(game_event::Blaster{level});
  ++world.statsGame.bullets_fired;
}

void TBullet::Move(uint8_t level) {
  y -= kBulletSpeed;
  if (InFlight()) world.Report(game_event::BulletTrail{x, y, level});
}

void TBullet::CountHits() {
  if (!hit) return;
  ++world.statsGame.bullets_hit;
  hit = 0;
}

void TBullet::SpendHit() {
  pwr = uint8_t(pwr - 1);
  if (pwr == 0) y = kBulletIdleY;
  hit = 1;
}
