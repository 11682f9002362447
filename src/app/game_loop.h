#pragma once
#include <cstdint>

// One game, from the stage banner of stage A until the game is over or
// abandoned: the play states, the frame loop and the world's update and draw
// passes in their fixed order.

// The on/off switches of UpdateWorld and DrawWorld. The two passes switch
// different things, so each has its own names; a pass's set is a bit mask.
enum UpdatePass : uint16_t {
  kUpdateParticles = 1u << 1,
  kUpdateStars = 1u << 2,
  kUpdatePowerups = 1u << 3,
  kUpdateChains = 1u << 4,
  kUpdateSnails = 1u << 5,
  kUpdateSpiders = 1u << 6,
  kUpdateSaucers = 1u << 7,
  kUpdateShip = 1u << 8,
  kUpdateBullet = 1u << 9,
  kUpdateSpawner = 1u << 10,
  kUpdateKeys = 1u << 11,
  kUpdateAll = 0xffe,
};
enum DrawPass : uint16_t {
  kDrawParticles = 1u << 1,
  kDrawStars = 1u << 2,
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

// Process-wide: set when the window was closed during a game: the whole program ends, not
// only the game.
extern bool quitProgram;

class Screen;

// The whole game as the menu starts it: a switch to the game screen, whose
// frames run until the game ends; then on to the name entry or the menu.
void StartGame();
Screen* TheGameScreen();
// Resets the game state, the ship, the enemies and the per-game statistics.
void NewGame();
// One frame of the game through the frame driver (waits for the frame timer
// first, unless unpaced). Returns false once the game has ended or the
// window was closed; what follows is the caller's (FinishGame).
bool GameFrame();
// What follows the frame loop: fades back, statistics, highscore entry.
void FinishGame();

void UpdateWorld(uint16_t passes);  // UpdatePass bits
void DrawWorld(uint16_t passes);    // DrawPass bits
void SetupStage();
void SetupWave();
void GameKeys();

// The tally's multiplier text: "x" and the first four characters of the value.
const char* MultiplierText(float multiplier);
