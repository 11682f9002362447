#include "game/player.h"

#include <algorithm>

#include "core/play_states.h"
#include "game/game_events.h"
#include "game/game_statistics.h"
#include "game/playfield.h"
#include "game/radar.h"
#include "game/world.h"

namespace {
constexpr uint16_t kRespawnAt = 120;     // ticks dead before the ship comes back
constexpr uint16_t kVulnerableAt = 300;  // ticks after death until enemies can hit again
}  // namespace

void TPlayer::Init() {
  CentraliseInPlayfield();
  cfire = 0;
  lives = 3;
  score = 0;
  elife = kExtraLifeStep;
  state = SHIP_ALIVE;
  death_timer = 0;
  stage = 0;
  wave_parts = 6;
  bpwr = 1;
  scorex = 1;
  c = "FFFFFF";
  ClearPowers();
  std::fill(std::begin(item), std::end(item), ITEM_EMPTY);
}

void TPlayer::CentraliseInPlayfield() {
  x = tx = kShipStartX;
  y = ty = kShipStartY;
  world.Report(game_event::PointerOnShip{});
}

void TPlayer::LoseLife() {
  lives = uint8_t(lives - 1);
  state = SHIP_DEAD;
  world.ReportSound(GameSound::kPlayerDie);
  ClearPowers();
  world.Report(game_event::ShipExploded{x, y});
  CentraliseInPlayfield();
}

void TPlayer::ClearPowers() { std::fill(std::begin(power), std::end(power), uint16_t(0)); }

void TPlayer::Respawn() {
  if (lives > 0) {
    state = SHIP_RESPAWNING;
    world.playfield.ClearPoison();
  } else {
    world.gameState = STATE_GAMEOVER;
  }
}

bool TPlayer::Tick() {
  if (state == SHIP_DEAD) {
    if (++death_timer == kRespawnAt) Respawn();
    return false;
  }
  if (state == SHIP_RESPAWNING && ++death_timer == kVulnerableAt) {
    state = SHIP_ALIVE;
    death_timer = 0;
  }
  return true;
}

void TPlayer::UpdatePowers() {
  scorex = 1;
  bpwr = 1;
  for (int i = 0; i < kTimedPowers; ++i) {
    if (power[i] == 0) continue;
    switch (i) {
      case POWER_LASER2:
        bpwr = 2;
        break;
      case POWER_LASER3:
        bpwr = 3;
        break;
      case POWER_LASER4:
        bpwr = 4;
        break;
      case POWER_SHIELD:
        world.Report(game_event::ShieldHum{true});
        if (power[i] == 1) world.ReportSound(GameSound::kShieldFade);
        break;
      case POWER_SCORE2:
        scorex = 2;
        break;
      case POWER_SCORE3:
        scorex = 3;
        break;
      case POWER_SCORE5:
        scorex = 5;
        break;
      default:
        break;
    }
    --power[i];
  }
  if (power[POWER_RADAR] != 0) world.radar.Update();
  if (power[POWER_SHIELD] == 0) world.Report(game_event::ShieldHum{false});
}

bool TPlayer::MayUse() const { return state > SHIP_DEAD && world.gameState != STATE_CLEARED; }

void TPlayer::AddItem(uint8_t kind) {
  for (uint8_t& slot : item) {
    if (slot == ITEM_EMPTY) {
      slot = kind;
      return;
    }
  }
}

void TPlayer::AddScore(uint16_t points) {
  score += int32_t(points) * int32_t(scorex);
  // One life per award: a big award past two thresholds gives the second
  // life with the next award of any size.
  if (score >= elife) {
    world.ReportSound(GameSound::kExtraLife);
    lives = uint8_t(lives + 1);
    elife += kExtraLifeStep;
  }
}

bool TPlayer::Touched(uint8_t& deaths) {
  if (state != SHIP_ALIVE) return false;
  if (power[POWER_SHIELD] > 0) return true;
  LoseLife();
  deaths = uint8_t(deaths + 1);
  return false;
}
