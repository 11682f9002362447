#include "app/world_seams.h"

#include "app/game_state.h"
#include "world/enemy.h"

// Star field: filled by the front end's star classes.
void CreateGameStars(int) {}
void UpdateStars() {}
void DrawStars() {}
void KillStars() {}

// Snails, spiders, saucers, the spawner and the stage-end clean-ups live in
// world/ (enemy_passes.cpp, spawner.cpp).

// Powerups live in player/powerup.cpp, the special weapons in
// player/weapon_passes.cpp.

// The hurry-up and the wardens live in world/ (hurry_up.cpp, warden.cpp).

// Highscores and lifetime statistics.
int32_t TopLocalScore() { return 0; }
void AddGameToLifetimeStatistics() {}
void RunHighscoreEntryIfDue() {}

// Menu.
void RemoveMenuParticles() {}
void PrepareMenuBackground() {}
