#include "game/enemy.h"

#include "game/world.h"

void TEnemy::Die() { lstEnemies.Remove(this); }
