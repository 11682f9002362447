#include "game/game_statistics.h"

void TStatsStage::Reset() { *this = TStatsStage(); }

void TStatsGame::Reset() { *this = TStatsGame(); }
