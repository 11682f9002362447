#include "game/autopilot.h"

#include <cstdlib>

#include "game/bullet.h"
#include "game/skitterworm.h"
#include "game/world.h"

bool autopilotOn = false;

namespace {

// The part closest to the ship's band: the lowest one, and of equals the one
// nearest the ship.
const TSkitterworm* LowestPart(const World& world) {
  const TSkitterworm* lowest = nullptr;
  world.lstEnemies.ForEachOf<TSkitterworm>([&](const TSkitterworm* part) {
    if (!lowest || part->y > lowest->y ||
        (part->y == lowest->y && std::abs(part->x - world.player.x) < std::abs(lowest->x - world.player.x)))
      lowest = part;
  });
  return lowest;
}

}  // namespace

ShipSticks AutopilotSticks(const World& world) {
  ShipSticks sticks;
  sticks.down = true;  // stay at the bottom, where a shot has the longest way up
  // Fire whenever the bullet is free; after the tally, let go once so that the
  // next press continues.
  sticks.fire = !world.fireHeldOver;
  const TSkitterworm* target = LowestPart(world);
  if (!target) return sticks;
  // The bullet leaves at ship x + 2 and is 3 wide; a part is 8 wide. Aim the
  // bullet's middle at the part's middle, a step ahead of where it runs.
  int32_t aim = target->x + 1;
  if (target->dir == TSkitterworm::DIR_RIGHT) aim += 3;
  if (target->dir == TSkitterworm::DIR_LEFT) aim -= 3;
  if (aim < world.player.x - 1) sticks.left = true;
  if (aim > world.player.x + 1) sticks.right = true;
  return sticks;
}
