// A rule that draws, sounds and rolls the show's dice: scripts/check_layers must refuse it.
#include "audio/sfx.h"
#include "platform/graphics.h"
int roll = ShowRand(1, 6);
