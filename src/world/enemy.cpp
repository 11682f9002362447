#include "world/enemy.h"

#include "core/game_state.h"

void TEnemy::Die() { lstEnemies.Remove(this); }
