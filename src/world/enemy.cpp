#include "world/enemy.h"

#include "core/game_state.h"
#include "world/world.h"

void TEnemy::Die() { lstEnemies.Remove(this); }
