#include "game/weapon_hits.h"

#include "game/game_statistics.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/world.h"

void BlastCell(int32_t cell) {
  const uint8_t code = playfield.data[cell];
  if (IsShroom(code)) {
    statsStage.mushrooms = uint16_t(statsStage.mushrooms + 1);
    if (IsPoison(code)) {
      statsGame.killed_pshrooms += 1;
      player.AddScore(15);
    } else {
      statsGame.killed_shrooms += 1;
      player.AddScore(1);
    }
  }
  playfield.data[cell] = CELL_EMPTY;
  playfield.strength[cell] = 0;
}
