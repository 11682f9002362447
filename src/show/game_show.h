#pragma once
// The show of a game: what the player hears and sees of what the rules did.
// The game screen hands it every frame's events as soon as the frame has run.
#include <vector>

#include "game/game_events.h"

// A game starts: no effect of the last one is left, and the scene fades in.
void StartGameShow();
void ShowEvents(const std::vector<GameEvent>& events);
