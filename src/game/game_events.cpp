#include "game/game_events.h"

#include "game/world.h"

const std::vector<GameEvent>& FrameEvents() { return world.events; }

void ClearFrameEvents() { world.events.clear(); }

void Report(const GameEvent& event) { world.events.push_back(event); }
