#include "game/ship.h"

#include <algorithm>

#include "core/play_states.h"
#include "game/bullet.h"
#include "game/collisions.h"
#include "game/game_events.h"
#include "game/playfield.h"
#include "game/weapon_passes.h"
#include "game/world.h"

namespace {
constexpr int32_t kStepX = 3, kStepY = 2;

void FireIfAsked(bool fire) {
  if ((player.cfire || fire) && ShipMayFire()) bullet.Fire(player.x, player.y, player.bpwr);
}
}  // namespace

void StepShip() {
  if (!player.Tick()) return;
  if (player.state == SHIP_ALIVE) {
    CollideShipWithEnemies(player);
    CollideShipWithWardens(player);
  }
  if (player.state == SHIP_RESPAWNING || player.state == SHIP_ALIVE) {
    CollideShipWithPowerups(player);
    ReadShipControls();
    // Powers stand still during the tally and the game-over banner.
    if (gameState == STATE_PLAYING || gameState == STATE_NEXTWAVE) player.UpdatePowers();
  }
}

void StepBullet() {
  bullet.Move(player.bpwr);
  if (bullet.InFlight()) {
    // All of this tick's hits happen where the shot is now; a mushroom can
    // take several damage steps from one strong shot.
    const uint8_t n = bullet.pwr;
    for (uint8_t i = 0; i < n; ++i) CollideBullet(bullet);
  }
  bullet.CountHits();
}

void ReadShipControls() {
  const FrameInput& input = world.input;
  if (world.controls == CONTROLS_MOUSE) return SteerShipByPointer(input);
  ShipSticks sticks;
  sticks.left = input.buttons & kInputLeft;
  sticks.right = input.buttons & kInputRight;
  sticks.up = input.buttons & kInputUp;
  sticks.down = input.buttons & kInputDown;
  sticks.fire = input.buttons & kInputFire;
  sticks.use_item = input.buttons & kInputUseItem;
  SteerShip(sticks);
}

void SteerShip(const ShipSticks& sticks) {
  TPlayer& ship = player;
  if (sticks.left) ship.x = std::max(ship.x - kStepX, kShipMinX);
  if (sticks.right) ship.x = std::min(ship.x + kStepX, kShipMaxX);
  // Only a step up applies the band's top, so a ship left above it when free
  // movement ends snaps back on its next step up.
  if (sticks.up) ship.y = std::max(ship.y - kStepY, ship.MinY());
  if (sticks.down) ship.y = std::min(ship.y + kStepY, kShipMaxY);
  FireIfAsked(sticks.fire);
  if (sticks.use_item && ship.MayUse()) UseItem();
}

void SteerShipByPointer(const FrameInput& input) {
  TPlayer& ship = player;
  // The pointer is read as logical pixels and put back at the clamped place
  // every tick, so it never leaves the band's rectangle.
  ship.tx = std::clamp<int32_t>(input.x, kShipMinX, kShipMaxX);
  ship.ty = std::clamp<int32_t>(input.y, ship.MinY(), kShipMaxY);
  world.warpPointer = true;
  ship.x = ship.tx;
  ship.y = ship.ty;
  FireIfAsked(input.buttons & kInputFire);
  if ((input.buttons & kInputUseItem) && ship.MayUse()) UseItem();
}

void UseItem() {
  uint8_t(&item)[kItemSlots] = player.item;
  switch (item[0]) {
    case ITEM_MISSILES:
      StartMissileVolley(75);
      break;
    case ITEM_SMARTBOMB:
      ActivateSmartBomb();
      break;
    case ITEM_RAILBLAST:
      CreateRailblast(player.x + 3);
      break;
    case ITEM_SCATTERMINES:
      playfield.DropScattermines(15);
      break;
    default:
      break;
  }
  item[0] = item[1];
  item[1] = item[2];
  item[2] = ITEM_EMPTY;
}

bool ShipMayFire() { return !bullet.InFlight() && player.MayUse(); }
