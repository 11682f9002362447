// Compiled against the core layer's include folder, this must fail: the world
// is a layer above the core.
#include "game/world.h"
