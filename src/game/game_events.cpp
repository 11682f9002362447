#include "game/game_events.h"

#include "game/world.h"

const std::vector<GameEvent>& FrameEvents() { return world.events; }

void ClearFrameEvents() { world.events.clear(); }

void Report(const GameEvent& event) { world.events.push_back(event); }

game_event::Colour game_event::ColourOf(const std::string& hex) {
  Colour colour;
  hex.copy(colour.hex, sizeof colour.hex - 1);
  return colour;
}
