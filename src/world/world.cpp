#include "world/world.h"

#include <memory>

#include "player/explosion.h"
#include "player/missile.h"
#include "player/powerup.h"
#include "player/railblast.h"
#include "world/enemy.h"
#include "world/warden.h"

World world;

void AddGameToLifetimeStatistics() { statsGame.AddToLifetime(); }

World::World() = default;
World::~World() = default;

// Made anew in place: every list is emptied and every value is as at start-up,
// and the names that refer into the world stay valid.
void World::Reset() {
  std::destroy_at(this);
  std::construct_at(this);
}
