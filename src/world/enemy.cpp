#include "world/enemy.h"

#include "app/game_state.h"

void TEnemy::Die() { lstEnemies.Remove(this); }
