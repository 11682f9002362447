#include "game/powerup.h"

#include "game/game_events.h"
#include "game/game_statistics.h"
#include "game/player.h"
#include "game/world.h"
#include "platform/random.h"

namespace {

// Starts one power of a group (laser levels, multipliers) and stops the other
// two, so the one just collected wins even over a higher level.
void StartOneOf(int first, int chosen) {
  for (int i = first; i < first + 3; ++i) player.power[i] = i == chosen ? kPowerupTicks : 0;
}

void CountPowerup(int stat) { statsGame.powerups[stat] = uint8_t(statsGame.powerups[stat] + 1); }

}  // namespace

TPowerup::TPowerup() { lstPowerups.Add(this); }

uint8_t RollPowerupKind() {
  const int32_t roll = Rand(1, 100);
  if (roll <= 2) return POWERUP_FREEMOVE;
  if (roll <= 5) return POWERUP_EXTRALIFE;
  if (roll <= 15) return POWERUP_SHIELD;
  if (roll <= 30) return POWERUP_RADAR;
  const int32_t second = Rand(1, 100);
  if (roll <= 60) {
    if (second >= 81) return POWERUP_SCATTERMINES;
    if (second >= 56) return POWERUP_MISSILES;
    if (second >= 31) return POWERUP_RAILBLAST;
    return POWERUP_SMARTBOMB;
  }
  if (roll <= 80) return second >= 91 ? POWERUP_SCORE5 : second >= 61 ? POWERUP_SCORE3 : POWERUP_SCORE2;
  return second >= 91 ? POWERUP_LASER4 : second >= 61 ? POWERUP_LASER3 : POWERUP_LASER2;
}

TPowerup* TPowerup::Create(uint16_t x, uint16_t y) {
  auto* powerup = new TPowerup();
  powerup->x = x;
  powerup->y = float(y);
  powerup->t = RollPowerupKind();
  return powerup;
}

void TPowerup::Die() { lstPowerups.Remove(this); }

void TPowerup::Update() {
  y += 0.5f;
  if (y > kPowerupGoneY) Die();
  r = uint16_t(r + 5);
  if (r >= 360) r = uint16_t(r - 360);
}

void TPowerup::Collect() {
  switch (t) {
    case POWERUP_LASER2:
    case POWERUP_LASER3:
    case POWERUP_LASER4:
      StartOneOf(POWER_LASER2, POWER_LASER2 + t - POWERUP_LASER2);
      ReportSound(GameSound::kPwrLaser);
      CountPowerup(STAT_LASER);
      break;
    case POWERUP_SHIELD:
      player.power[POWER_SHIELD] = kPowerupTicks;
      ReportSound(GameSound::kPwrShield);
      CountPowerup(STAT_SHIELD);
      break;
    case POWERUP_SCORE2:
    case POWERUP_SCORE3:
    case POWERUP_SCORE5:
      StartOneOf(POWER_SCORE2, POWER_SCORE2 + t - POWERUP_SCORE2);
      ReportSound(t == POWERUP_SCORE2   ? GameSound::kPwrX2
                  : t == POWERUP_SCORE3 ? GameSound::kPwrX3
                                        : GameSound::kPwrX5);
      CountPowerup(STAT_MULTIPLIER);
      break;
    case POWERUP_FREEMOVE:
      player.power[POWER_FREEMOVE] = kPowerupTicks;
      ReportSound(GameSound::kPwrFreeAction);
      CountPowerup(STAT_FREEMOVE);
      break;
    case POWERUP_RADAR:
      player.power[POWER_RADAR] = 1;  // a flag until the ship dies, not a timer
      ReportSound(GameSound::kPwrRadar);
      CountPowerup(STAT_RADAR);
      break;
    case POWERUP_MISSILES:
      player.AddItem(ITEM_MISSILES);
      ReportSound(GameSound::kPwrMissiles);
      CountPowerup(STAT_MISSILES);
      break;
    case POWERUP_SMARTBOMB:
      player.AddItem(ITEM_SMARTBOMB);
      ReportSound(GameSound::kPwrBomb);
      CountPowerup(STAT_SMARTBOMB);
      break;
    case POWERUP_RAILBLAST:
      player.AddItem(ITEM_RAILBLAST);
      ReportSound(GameSound::kPwrRailblast);
      CountPowerup(STAT_RAILBLAST);
      break;
    case POWERUP_SCATTERMINES:
      player.AddItem(ITEM_SCATTERMINES);
      ReportSound(GameSound::kPwrMines);
      CountPowerup(STAT_SCATTERMINES);
      break;
    case POWERUP_EXTRALIFE:
      player.lives = uint8_t(player.lives + 1);
      ReportSound(GameSound::kExtraLife);
      CountPowerup(STAT_EXTRALIFE);
      break;
    default:
      break;
  }
  Die();
}

// The game loop's and the ship's passes.

void UpdatePowerups() {
  lstPowerups.ForEach([](TPowerup* powerup) { powerup->Update(); });
}

void RemoveAllPowerups() {
  lstPowerups.ForEach([](TPowerup* powerup) { powerup->Die(); });
}

void CreatePowerup(uint16_t x, uint16_t y) { TPowerup::Create(x, y); }
