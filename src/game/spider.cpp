#include "game/spider.h"

#include "game/game_events.h"
#include "game/game_statistics.h"
#include "game/hurry_up.h"
#include "game/player.h"
#include "game/world.h"
#include "platform/random.h"

namespace {

// A fresh sideways course at each bounce: left, right or straight up and down.
uint8_t RandomCourse(World& world) {
  static constexpr uint8_t kCourses[3] = {TSpider::HDIR_LEFT, TSpider::HDIR_RIGHT, TSpider::HDIR_NONE};
  return kCourses[world.random.Rand(0, 2)];
}

void Bounce(World& world) { world.ReportSound(GameSound::kSpider); }

}  // namespace

TSpider::TSpider(World& world) : TEnemy(world) { world.lstEnemies.Add(this); }

void TSpider::Die() { world.lstEnemies.Remove(this); }

void TSpider::Suicide() {
  Splat(0);
  Die();
}

void TSpider::Update() {
  if (vdir == VDIR_UP) {
    y -= 1;
    if (y <= kTopY) {
      vdir = VDIR_DOWN;
      Bounce(world);
      hdir = RandomCourse(world);
    }
  } else {
    y += 1;
    if (y >= kBottomY) {
      vdir = VDIR_UP;
      Bounce(world);
      hdir = RandomCourse(world);
    }
  }
  if (hdir == HDIR_LEFT) {
    x -= 1;
    if (x < kLeftX) Die();
  } else if (hdir == HDIR_RIGHT) {
    x += 1;
    if (x > kRightX) Die();
  }
}

void TSpider::Splat(uint16_t points) {
  // During warden alert spiders are worth nothing, so no pop-up either.
  if (world.hurryup.state >= THurryUp::STATE_ALERT) points = 0;
  world.Report(game_event::SpiderSplat{x, y, game_event::ColourOf(c), clr, points});
}

void TSpider::Death() {
  // The nearer the spider was to the ship's level, the braver the shot.
  const int32_t d = world.player.y - (y + 8);
  uint16_t points = 75;
  if (d > 16)
    points = 25;
  else if (d > 8)
    points = 50;
  Splat(points);
  if (world.hurryup.state < THurryUp::STATE_ALERT) world.player.AddScore(points);
  world.statsStage.spiders_killed += 1;
  world.statsGame.killed_spiders += 1;
  // The spider has no death sound of its own.
  world.ReportSound(GameSound::kSnailDie);
  // Last: outside a walk the list frees the object at once.
  Die();
}
