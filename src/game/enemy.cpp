#include "game/enemy.h"

#include "game/world.h"

void TEnemy::Die() { world.lstEnemies.Remove(this); }
