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

void FireIfAsked(World& world, bool fire) {
  if ((world.player.cfire || fire) && ShipMayFire(world))
    world.bullet.Fire(world.player.x, world.player.y, world.player.bpwr);
}
}  // namespace

void StepShip(World& world) {
  if (!world.player.Tick()) return;
  if (world.player.state == SHIP_ALIVE) {
    CollideShipWithEnemies(world.player);
    CollideShipWithWardens(world.player);
  }
  if (world.player.state == SHIP_RESPAWNING || world.player.state == SHIP_ALIVE) {
    CollideShipWithPowerups(world.player);
    ReadShipControls(world);
    // Powers stand still during the tally and the game-over banner.
    if (world.gameState == STATE_PLAYING || world.gameState == STATE_NEXTWAVE) world.player.UpdatePowers();
  }
}

void StepBullet(World& world) {
  world.bullet.Move(world.player.bpwr);
  if (world.bullet.InFlight()) {
    // All of this tick's hits happen where the shot is now; a mushroom can
    // take several damage steps from one strong shot.
    const uint8_t n = world.bullet.pwr;
    for (uint8_t i = 0; i < n; ++i) CollideBullet(world.bullet);
  }
  world.bullet.CountHits();
}

void ReadShipControls(World& world) {
  const FrameInput& input = world.input;
  if (world.controls == CONTROLS_MOUSE) return SteerShipByPointer(world, input);
  ShipSticks sticks;
  sticks.left = input.buttons & kInputLeft;
  sticks.right = input.buttons & kInputRight;
  sticks.up = input.buttons & kInputUp;
  sticks.down = input.buttons & kInputDown;
  sticks.fire = input.buttons & kInputFire;
  sticks.use_item = input.buttons & kInputUseItem;
  SteerShip(world, sticks);
}

void SteerShip(World& world, const ShipSticks& sticks) {
  TPlayer& ship = world.player;
  if (sticks.left) ship.x = std::max(ship.x - kStepX, kShipMinX);
  if (sticks.right) ship.x = std::min(ship.x + kStepX, kShipMaxX);
  // Only a step up applies the band's top, so a ship left above it when free
  // movement ends snaps back on its next step up.
  if (sticks.up) ship.y = std::max(ship.y - kStepY, ship.MinY());
  if (sticks.down) ship.y = std::min(ship.y + kStepY, kShipMaxY);
  FireIfAsked(world, sticks.fire);
  if (sticks.use_item && ship.MayUse()) UseItem(world);
}

void SteerShipByPointer(World& world, const FrameInput& input) {
  TPlayer& ship = world.player;
  // The pointer is read as logical pixels and put back at the clamped place
  // every tick, so it never leaves the band's rectangle.
  ship.tx = std::clamp<int32_t>(input.x, kShipMinX, kShipMaxX);
  ship.ty = std::clamp<int32_t>(input.y, ship.MinY(), kShipMaxY);
  world.Report(game_event::PointerOnShip{});
  ship.x = ship.tx;
  ship.y = ship.ty;
  FireIfAsked(world, input.buttons & kInputFire);
  if ((input.buttons & kInputUseItem) && ship.MayUse()) UseItem(world);
}

void UseItem(World& world) {
  uint8_t(&item)[kItemSlots] = world.player.item;
  switch (item[0]) {
    case ITEM_MISSILES:
      StartMissileVolley(world, 75);
      break;
    case ITEM_SMARTBOMB:
      ActivateSmartBomb(world);
      break;
    case ITEM_RAILBLAST:
      CreateRailblast(world, world.player.x + 3);
      break;
    case ITEM_SCATTERMINES:
      world.playfield.DropScattermines(15);
      break;
    default:
      break;
  }
  item[0] = item[1];
  item[1] = item[2];
  item[2] = ITEM_EMPTY;
}

bool ShipMayFire(const World& world) { return !world.bullet.InFlight() && world.player.MayUse(); }
