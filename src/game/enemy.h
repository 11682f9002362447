#pragma once
#include "core/object_list.h"

struct World;

// The common base of everything in lstEnemies: chain parts, spiders, snails,
// saucers and wardens. Walks pick a kind with ObjectList::ForEachOf<T>.
class TEnemy : public Listed {
 public:
  explicit TEnemy(World& world) : world(world) {}
  World& world;  // the game it is part of

  virtual void Update() = 0;
  // Leaves the list (and the game) without any score or effect.
  virtual void Die();
};
