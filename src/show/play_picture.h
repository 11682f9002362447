#pragma once
#include <cstdint>

struct World;

// The picture of a game as it stands: the world, the HUD and the banners of
// the play state (the star field behind it is the game screen's). It reads
// the rules' world and changes nothing of it.

// The on/off switches of DrawWorld; a pass's set is a bit mask.
enum DrawPass : uint16_t {
  kDrawParticles = 1u << 1,
  kDrawPowerups = 1u << 3,
  kDrawChains = 1u << 4,
  kDrawSnails = 1u << 5,
  kDrawSpiders = 1u << 6,
  kDrawSaucers = 1u << 7,
  kDrawPlayfield = 1u << 8,
  kDrawShip = 1u << 9,
  kDrawBullet = 1u << 10,
  kDrawHud = 1u << 11,
  kDrawAll = 0xffe,
};

void DrawGame(const World& world);
void DrawWorld(const World& world, uint16_t passes);  // DrawPass bits

// The tally's multiplier text: "x" and the first four characters of the value.
const char* MultiplierText(float multiplier);
