#pragma once
#include <cstdint>
#include <initializer_list>

// One game, from the stage banner of stage A until the game is over or
// abandoned: the play states, the frame loop and the world's update and draw
// passes in their fixed order.

// The eleven on/off switches of UpdateWorld and DrawWorld (numbered 1..11 as
// the game's tables number them; the same number means different objects in
// the two passes).
class WorldFlags {
 public:
  constexpr WorldFlags() = default;
  constexpr WorldFlags(std::initializer_list<int> on) {
    for (int n : on) bits_ |= uint16_t(1u << n);
  }
  static constexpr WorldFlags All() { return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}; }
  constexpr bool On(int n) const { return (bits_ >> n) & 1u; }
  constexpr WorldFlags Without(int n) const {
    WorldFlags f = *this;
    f.bits_ &= uint16_t(~(1u << n));
    return f;
  }
  constexpr WorldFlags With(int n) const {
    WorldFlags f = *this;
    f.bits_ |= uint16_t(1u << n);
    return f;
  }

 private:
  uint16_t bits_ = 0;
};

// Set when the window was closed during a game: the whole program ends, not
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

void UpdateWorld(WorldFlags flags);
void DrawWorld(WorldFlags flags);
void SetupStage();
void SetupWave();
void GameKeys();

// The tally's multiplier text: "x" and the first four characters of the value.
const char* MultiplierText(float multiplier);
