#include "game/player.h"

#include <algorithm>

#include "core/play_states.h"
#include "core/rects.h"
#include "game/autopilot.h"
#include "game/bullet.h"
#include "game/collision_mask.h"
#include "game/enemy_passes.h"
#include "game/game_events.h"
#include "game/game_statistics.h"
#include "game/playfield.h"
#include "game/powerup.h"
#include "game/skitterworm.h"
#include "game/warden.h"
#include "game/weapon_passes.h"
#include "game/world.h"
#include "platform/random.h"

namespace {
constexpr uint16_t kRespawnAt = 120;     // ticks dead before the ship comes back
constexpr uint16_t kVulnerableAt = 300;  // ticks after death until enemies can hit again
constexpr int32_t kStepX = 3, kStepY = 2;
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
  world.warpPointer = true;
}

void TPlayer::LoseLife() {
  lives = uint8_t(lives - 1);
  state = SHIP_DEAD;
  ReportSound(GameSound::kPlayerDie);
  ClearPowers();
  Report(game_event::ShipExploded{x, y});
  CentraliseInPlayfield();
}

void TPlayer::ClearPowers() { std::fill(std::begin(power), std::end(power), uint16_t(0)); }

void TPlayer::Respawn() {
  if (lives > 0) {
    state = SHIP_RESPAWNING;
    playfield.ClearPoison();
  } else {
    gameState = STATE_GAMEOVER;
  }
}

void TPlayer::Update() {
  if (state == SHIP_DEAD) {
    if (++death_timer == kRespawnAt) Respawn();
    return;
  }
  if (state == SHIP_RESPAWNING && ++death_timer == kVulnerableAt) {
    state = SHIP_ALIVE;
    death_timer = 0;
  }
  if (state == SHIP_ALIVE) {
    CollideEnemies();
    CollideOther();
  }
  if (state == SHIP_RESPAWNING || state == SHIP_ALIVE) {
    CollidePowerups();
    UpdateControls();
    // Powers stand still during the tally and the game-over banner.
    if (gameState == STATE_PLAYING || gameState == STATE_NEXTWAVE) UpdatePowers();
  }
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
        Report(game_event::ShieldHum{true});
        if (power[i] == 1) ReportSound(GameSound::kShieldFade);
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
  if (power[POWER_RADAR] != 0) UpdateRadar();
  if (power[POWER_SHIELD] == 0) Report(game_event::ShieldHum{false});
}

bool TPlayer::MayUse() const { return state > SHIP_DEAD && gameState != STATE_CLEARED; }

bool TPlayer::MayFire() const { return !bullet.InFlight() && MayUse(); }

void TPlayer::UpdateControls() {
  const FrameInput& input = world.input;
  if (world.controls == CONTROLS_MOUSE) {
    SteerMouse(input);
    return;
  }
  ShipSticks sticks;
  sticks.left = input.buttons & kInputLeft;
  sticks.right = input.buttons & kInputRight;
  sticks.up = input.buttons & kInputUp;
  sticks.down = input.buttons & kInputDown;
  sticks.fire = input.buttons & kInputFire;
  sticks.use_item = input.buttons & kInputUseItem;
  Steer(sticks);
}

void TPlayer::Steer(const ShipSticks& sticks) {
  if (sticks.left) x = std::max(x - kStepX, kShipMinX);
  if (sticks.right) x = std::min(x + kStepX, kShipMaxX);
  // Only a step up applies the band's top, so a ship left above it when free
  // movement ends snaps back on its next step up.
  if (sticks.up) y = std::max(y - kStepY, MinY());
  if (sticks.down) y = std::min(y + kStepY, kShipMaxY);
  if ((cfire || sticks.fire) && MayFire()) bullet.Fire();
  if (sticks.use_item && MayUse()) UseItem();
}

void TPlayer::SteerMouse(const FrameInput& input) {
  // The pointer is read as logical pixels and put back at the clamped place
  // every tick, so it never leaves the band's rectangle.
  tx = std::clamp<int32_t>(input.x, kShipMinX, kShipMaxX);
  ty = std::clamp<int32_t>(input.y, MinY(), kShipMaxY);
  world.warpPointer = true;
  x = tx;
  y = ty;
  if ((cfire || (input.buttons & kInputFire)) && MayFire()) bullet.Fire();
  if ((input.buttons & kInputUseItem) && MayUse()) UseItem();
}

void TPlayer::UseItem() {
  switch (item[0]) {
    case ITEM_MISSILES:
      StartMissileVolley(75);
      break;
    case ITEM_SMARTBOMB:
      ActivateSmartBomb();
      break;
    case ITEM_RAILBLAST:
      CreateRailblast(x + 3);
      break;
    case ITEM_SCATTERMINES:
      playfield.DropScattermines(15);
      break;
    default:
      break;
  }
  // The slots move up even when the first one was empty.
  item[0] = item[1];
  item[1] = item[2];
  item[2] = ITEM_EMPTY;
}

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
    ReportSound(GameSound::kExtraLife);
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

void TPlayer::CollideEnemies() {
  lstEnemies.ForEachOf<TSkitterworm>([&](TSkitterworm* part) {
    if (RectsOverlap(x, y, 7, 8, part->x, part->y + 2, 8, 5) && Touched(statsGame.player_wormdeaths)) part->Death(1);
  });
  CollideShipWithSnails(*this);
  CollideShipWithSpiders(*this);
  if (power[POWER_FREEMOVE] > 0) CollideShipWithSaucers(*this);
}

void TPlayer::CollideOther() {
  if (state != SHIP_ALIVE) return;
  const bool hit = world.wardenFootprints.Hits(Masks().ship, float(x), float(y), 0);
  if (hit && power[POWER_SHIELD] == 0) {
    LoseLife();
    statsGame.player_wardendeaths = uint8_t(statsGame.player_wardendeaths + 1);
  }
}

void TPlayer::CollidePowerups() { CollideShipWithPowerups(*this); }

void TPlayer::FireMissile() {
  LaunchMissile(x + 3, y, uint8_t((x + 3 - 16) / 9));
  ReportSound(GameSound::kMissileLaunch);
}
