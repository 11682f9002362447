#include "game/world.h"

#include <memory>

#include "game/enemy.h"
#include "game/explosion.h"
#include "game/missile.h"
#include "game/powerup.h"
#include "game/railblast.h"
#include "game/warden.h"

World::World() = default;
World::~World() = default;

// Made anew in place: every list is emptied and every value is as new, and
// the references the world's parts and the program hold to it stay valid.
void World::Reset() {
  std::destroy_at(this);
  std::construct_at(this);
}
