#pragma once
#include "core/object_list.h"

// The common base of everything in lstEnemies: chain parts, spiders, snails,
// saucers and wardens. Walks pick a kind with ObjectList::ForEachOf<T>.
class TEnemy : public Listed {
 public:
  virtual void Update() = 0;
  // Leaves the list (and the game) without any score or effect.
  virtual void Die();
};
