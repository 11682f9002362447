#include "game/world.h"

#include <memory>

#include "game/enemy.h"
#include "game/explosion.h"
#include "game/missile.h"
#include "game/powerup.h"
#include "game/railblast.h"
#include "game/warden.h"

World world;

World::World() = default;
World::~World() = default;

// Made anew in place: every list is emptied and every value is as at start-up,
// and the names that refer into the world stay valid.
void World::Reset() {
  std::destroy_at(this);
  std::construct_at(this);
}
