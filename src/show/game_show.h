#pragma once
// The show of a game: what the player hears and sees of what the rules did.
// The game screen hands it every frame's events as soon as the frame has run.
#include <vector>

#include "game/game_events.h"

void ShowEvents(const std::vector<GameEvent>& events);
