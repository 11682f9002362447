#include "game/saucer.h"

#include <algorithm>

#include "game/game_events.h"
#include "game/game_statistics.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/powerup.h"
#include "game/world.h"
#include "platform/random.h"

namespace {

constexpr float kSpeed = 0.75f;

// A position light: a white dot that drifts along with the saucer for 3 frames.
void Light(World& world, float x, float y, float xvel) { world.Report(game_event::SaucerLight{x, y, xvel}); }

}  // namespace

TSaucer::TSaucer(World& world) : TEnemy(world) { world.lstEnemies.Add(this); }

void TSaucer::Die() { world.lstEnemies.Remove(this); }

void TSaucer::Suicide() {
  Burst(0);
  Die();
}

void TSaucer::Update() {
  const bool right = dir == DIR_RIGHT;
  if (++ftime >= kSpinFrames) {
    if (right)
      f = f >= kFrames - 1 ? 0 : uint8_t(f + 1);
    else
      f = f == 0 ? kFrames - 1 : uint8_t(f - 1);
    ftime = 0;
  }

  if (blinkcount > 0)
    blinkcount -= 1;
  else
    blinkcount = blinkfreq;
  const float lvel = right ? kSpeed : -kSpeed;
  if (blinkcount == blink[0])
    Light(world, x - 2.0f, float(y + 3), lvel);
  else if (blinkcount == blink[1])
    Light(world, x + 6.0f, float(y + 3), lvel);
  else if (blinkcount == blink[2])
    Light(world, x + 4.0f, float(y - 1), lvel);

  if (right) {
    x += kSpeed;
    if (x > 304.0f) return Die();
  } else {
    x -= kSpeed;
    if (x < 9.0f) return Die();
  }
  my_sec = int32_t((x - (right ? 17.0f : 8.0f)) / 9.0f + float(row * kFieldCols));
  if (world.random.Rand(1, 100) >= 96) PoisonMushroom();
  my_sec = std::clamp<int32_t>(my_sec, 0, kFieldCells - 1);
}

void TSaucer::PoisonMushroom() {
  if (my_sec < 0 || my_sec >= kFieldCells) return;
  uint8_t& code = world.playfield.data[my_sec];
  if (code > 3) return;  // poison already, a mine, or nothing
  code = uint8_t(code + CELL_POISON);
  world.ReportSound(GameSound::kSaucerPoison);
}

void TSaucer::Burst(uint8_t showPopup) {
  // The burst's angle is the rules' draw, so it stays where the game draws it.
  const int32_t angle = world.random.Rand(90, 180);
  world.Report(game_event::SaucerBurst{x, y, clr, angle, uint16_t(showPopup ? 200 : 0)});
}

uint8_t TSaucer::PowerupChance() const { return uint8_t(world.player.stage + 70 - 3 * row); }

void TSaucer::Death() {
  // Saucers pay even during warden alert.
  world.player.AddScore(200);
  Burst(1);
  if (world.random.Rand(1, 100) <= PowerupChance()) CreatePowerup(world, uint16_t(int32_t(x)), y);
  world.statsStage.saucers_killed += 1;
  world.statsGame.killed_saucers += 1;
  world.ReportSound(GameSound::kSaucerDie);
  // Last: outside a walk the list frees the object at once.
  Die();
}
