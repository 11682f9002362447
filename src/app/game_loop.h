#pragma once
#include <cstdint>
#include <string>

// The game screen: one game as the program shows it, from the menu's
// hand-over until the game is over or abandoned. It reads the player's input
// (or a replay's) for the rules of play in game/play.h, records every game
// into a replay, and shows the star field, the world and the pause.

// Process-wide: set when the window was closed during a game: the whole program ends, not
// only the game.
extern bool quitProgram;

class Screen;
struct World;

// The one game on screen, played or watched.
World& ShownGame();

// The seed of the run's first game (--seed N, or the clock's). Each later game
// draws its seed from the one before, so a run started with --seed N plays the
// same games in the same order.
void SetFirstGameSeed(int32_t seed);

// The whole game as the menu starts it: a switch to the game screen, whose
// frames run until the game ends; then on to the name entry or the menu.
void StartGame();
// A recorded game shown as it was played; then back to the screen it came
// from (the program ends when it was the first). False when the file cannot
// be played (the reason went to stderr and the debug log).
bool WatchReplay(const std::string& path);
Screen* TheGameScreen();
// Starts a game the player plays (or the pilot), with the next game's seed.
void NewLiveGame();
// One frame of the game through the frame driver (waits for the frame timer
// first, unless unpaced). Returns false once the game has ended or the
// window was closed; what follows is the caller's (FinishGame).
bool GameFrame();
// What follows the frame loop: fades back, statistics, the replay.
void FinishGame();
