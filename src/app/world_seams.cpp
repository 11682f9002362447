#include "app/world_seams.h"

#include "app/game_state.h"
#include "persist/highscores.h"
#include "player/statistics.h"
#include "world/enemy.h"

// The star field lives in frontend/star.cpp.

// Snails, spiders, saucers, the spawner and the stage-end clean-ups live in
// world/ (enemy_passes.cpp, spawner.cpp).

// Powerups live in player/powerup.cpp, the special weapons in
// player/weapon_passes.cpp.

// The hurry-up and the wardens live in world/ (hurry_up.cpp, warden.cpp).

// Highscores and lifetime statistics.
int32_t TopLocalScore() { return highscores.score[0]; }
void AddGameToLifetimeStatistics() { statsGame.AddToLifetime(); }
void RunHighscoreEntryIfDue() {}

// Menu.
void RemoveMenuParticles() {}
void PrepareMenuBackground() {}
