#include "game/game_events.h"

game_event::Colour game_event::ColourOf(const std::string& hex) {
  Colour colour;
  hex.copy(colour.hex, sizeof colour.hex - 1);
  return colour;
}
