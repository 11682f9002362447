#include "game/enemy.h"

#include "core/game_state.h"
#include "game/world.h"

void TEnemy::Die() { lstEnemies.Remove(this); }
