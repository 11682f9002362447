#include "game/spider.h"

#include "core/helpers.h"
#include "game/game_events.h"
#include "game/hurry_up.h"
#include "game/particle.h"
#include "game/player.h"
#include "game/score_popup.h"
#include "game/world.h"
#include "persist/statistics.h"
#include "platform/random.h"

namespace {

// A fresh sideways course at each bounce: left, right or straight up and down.
uint8_t RandomCourse() {
  static constexpr uint8_t kCourses[3] = {TSpider::HDIR_LEFT, TSpider::HDIR_RIGHT, TSpider::HDIR_NONE};
  return kCourses[Rand(0, 2)];
}

void Bounce() { ReportSound(GameSound::kSpider); }

}  // namespace

TSpider::TSpider() { lstEnemies.Add(this); }

void TSpider::Die() { lstEnemies.Remove(this); }

void TSpider::Suicide() {
  Particles(0, 0);
  Die();
}

void TSpider::Update() {
  if (vdir == VDIR_UP) {
    y -= 1;
    if (y <= kTopY) {
      vdir = VDIR_DOWN;
      Bounce();
      hdir = RandomCourse();
    }
  } else {
    y += 1;
    if (y >= kBottomY) {
      vdir = VDIR_UP;
      Bounce();
      hdir = RandomCourse();
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

void TSpider::Particles(uint8_t popupType, uint8_t showPopup) {
  const float px = float(x - 4), py = float(y - 4);
  CreateParticle(px, py, PARTICLE_SPLAT, c, 100);
  CreateParticles(uint16_t(x - 4), uint16_t(y - 4), 8, clr, 50, 100, 3, 5, PARTICLE_SPLAT, 0, 359, 0.5f);
  // During warden alert spiders are worth nothing, so no pop-up either.
  if (showPopup && hurryup.state < THurryUp::STATE_ALERT) CreateScorePopup(float(x - 4), float(y - 12), popupType);
}

void TSpider::Death() {
  // The nearer the spider was to the ship's level, the braver the shot.
  const int32_t d = player.y - (y + 8);
  uint8_t popup = POPUP_75;
  uint16_t points = 75;
  if (d > 16) {
    popup = POPUP_25;
    points = 25;
  } else if (d > 8) {
    popup = POPUP_50;
    points = 50;
  }
  Particles(popup, 1);
  if (hurryup.state < THurryUp::STATE_ALERT) player.AddScore(points);
  Die();
  statsStage.spiders_killed += 1;
  statsGame.killed_spiders += 1;
  // The spider has no death sound of its own.
  ReportSound(GameSound::kSnailDie);
}
