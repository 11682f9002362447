#include "game/powerup.h"

#include "game/game_events.h"
#include "game/game_statistics.h"
#include "game/player.h"
#include "game/world.h"
#include "platform/random.h"

namespace {

// Starts one power of a group (laser levels, multipliers) and stops the other
// two, so the one just collected wins even over a higher level.
void StartOneOf(World& world, int first, int chosen) {
  for (int i = first; i < first + 3; ++i) world.player.power[i] = i == chosen ? kPowerupTicks : 0;
}

void CountPowerup(World& world, int stat) {
  world.statsGame.powerups[stat] = uint8_t(world.statsGame.powerups[stat] + 1);
}

}  // namespace

TPowerup::TPowerup(World& world) : world(world) { world.lstPowerups.Add(this); }

uint8_t RollPowerupKind(World& world) {
  const int32_t roll = world.random.Rand(1, 100);
  if (roll <= 2) return POWERUP_FREEMOVE;
  if (roll <= 5) return POWERUP_EXTRALIFE;
  if (roll <= 15) return POWERUP_SHIELD;
  if (roll <= 30) return POWERUP_RADAR;
  const int32_t second = world.random.Rand(1, 100);
  if (roll <= 60) {
    if (second >= 81) return POWERUP_SCATTERMINES;
    if (second >= 56) return POWERUP_MISSILES;
    if (second >= 31) return POWERUP_RAILBLAST;
    return POWERUP_SMARTBOMB;
  }
  if (roll <= 80) return second >= 91 ? POWERUP_SCORE5 : second >= 61 ? POWERUP_SCORE3 : POWERUP_SCORE2;
  return second >= 91 ? POWERUP_LASER4 : second >= 61 ? POWERUP_LASER3 : POWERUP_LASER2;
}

TPowerup* TPowerup::Create(World& world, uint16_t x, uint16_t y) {
  auto* powerup = new TPowerup(world);
  powerup->x = x;
  powerup->y = float(y);
  powerup->t = RollPowerupKind(world);
  return powerup;
}

void TPowerup::Die() { world.lstPowerups.Remove(this); }

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
      StartOneOf(world, POWER_LASER2, POWER_LASER2 + t - POWERUP_LASER2);
      world.ReportSound(GameSound::kPwrLaser);
      CountPowerup(world, STAT_LASER);
      break;
    case POWERUP_SHIELD:
      world.player.power[POWER_SHIELD] = kPowerupTicks;
      world.ReportSound(GameSound::kPwrShield);
      CountPowerup(world, STAT_SHIELD);
      break;
    case POWERUP_SCORE2:
    case POWERUP_SCORE3:
    case POWERUP_SCORE5:
      StartOneOf(world, POWER_SCORE2, POWER_SCORE2 + t - POWERUP_SCORE2);
      world.ReportSound(t == POWERUP_SCORE2   ? GameSound::kPwrX2
                        : t == POWERUP_SCORE3 ? GameSound::kPwrX3
                                              : GameSound::kPwrX5);
      CountPowerup(world, STAT_MULTIPLIER);
      break;
    case POWERUP_FREEMOVE:
      world.player.power[POWER_FREEMOVE] = kPowerupTicks;
      world.ReportSound(GameSound::kPwrFreeAction);
      CountPowerup(world, STAT_FREEMOVE);
      break;
    case POWERUP_RADAR:
      world.player.power[POWER_RADAR] = 1;  // a flag until the ship dies, not a timer
      world.ReportSound(GameSound::kPwrRadar);
      CountPowerup(world, STAT_RADAR);
      break;
    case POWERUP_MISSILES:
      world.player.AddItem(ITEM_MISSILES);
      world.ReportSound(GameSound::kPwrMissiles);
      CountPowerup(world, STAT_MISSILES);
      break;
    case POWERUP_SMARTBOMB:
      world.player.AddItem(ITEM_SMARTBOMB);
      world.ReportSound(GameSound::kPwrBomb);
      CountPowerup(world, STAT_SMARTBOMB);
      break;
    case POWERUP_RAILBLAST:
      world.player.AddItem(ITEM_RAILBLAST);
      world.ReportSound(GameSound::kPwrRailblast);
      CountPowerup(world, STAT_RAILBLAST);
      break;
    case POWERUP_SCATTERMINES:
      world.player.AddItem(ITEM_SCATTERMINES);
      world.ReportSound(GameSound::kPwrMines);
      CountPowerup(world, STAT_SCATTERMINES);
      break;
    case POWERUP_EXTRALIFE:
      world.player.lives = uint8_t(world.player.lives + 1);
      world.ReportSound(GameSound::kExtraLife);
      CountPowerup(world, STAT_EXTRALIFE);
      break;
    default:
      break;
  }
  Die();
}

// The game loop's and the ship's passes.

void UpdatePowerups(World& world) {
  world.lstPowerups.ForEach([](TPowerup* powerup) { powerup->Update(); });
}

void RemoveAllPowerups(World& world) {
  world.lstPowerups.ForEach([](TPowerup* powerup) { powerup->Die(); });
}

void CreatePowerup(World& world, uint16_t x, uint16_t y) { TPowerup::Create(world, x, y); }
