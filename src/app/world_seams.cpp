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

// Powerups.
void UpdatePowerups() {}
void DrawPowerups() {}
void RemoveAllPowerups() {}
void CollideShipWithPowerups(TPlayer&) {}
void CreatePowerup(uint16_t, uint16_t) {}

// Special weapons.
void UpdateWeapons() {}
void DrawMissilesAndRailblasts() {}
void StartMissileVolley(int32_t) {}
void ActivateSmartBomb() {}
void CreateRailblast(int32_t) {}
void LaunchMissile(int32_t, int32_t, uint8_t) {}
void UpdateSmartBomb() {}
void UpdateRadar() {}
void DrawRadar() {}

// The hurry-up and the wardens live in world/ (hurry_up.cpp, warden.cpp).

// Highscores and lifetime statistics.
int32_t TopLocalScore() { return 0; }
void AddGameToLifetimeStatistics() {}
void RunHighscoreEntryIfDue() {}

// Menu.
void RemoveMenuParticles() {}
void PrepareMenuBackground() {}
