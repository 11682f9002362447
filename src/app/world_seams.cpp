#include "app/world_seams.h"

#include "app/game_state.h"
#include "world/enemy.h"

// Star field: filled by the front end's star classes.
void CreateGameStars(int) {}
void UpdateStars() {}
void DrawStars() {}
void KillStars() {}

// Snails, spiders and saucers: filled when those enemies exist.
void UpdateSnails() {}
void DrawSnails() {}
void UpdateSpiders() {}
void DrawSpiders() {}
int32_t UpdateSaucers() { return 0; }
void DrawSaucers() {}
void CollideShipWithSnails(TPlayer&) {}
void CollideShipWithSpiders(TPlayer&) {}
void CollideShipWithSaucers(TPlayer&) {}
void BulletPassSnails(TBullet&) {}
void BulletPassSpiders(TBullet&) {}
void BulletPassSaucers(TBullet&) {}

// Until the spawner exists nothing spawns; a new game and a cleared stage
// still need an empty enemy list.
void UpdateSpawner() {}

void RemoveAllEnemies() {
  lstEnemies.ForEach([](TEnemy* enemy) { enemy->Die(); });
}

void RemoveEnemiesAtStageEnd() { RemoveAllEnemies(); }

// Powerups.
void UpdatePowerups() {}
void DrawPowerups() {}
void RemoveAllPowerups() {}
void CollideShipWithPowerups(TPlayer&) {}

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

// Hurry-up and wardens.
void UpdateHurryUp() {}
void DrawHurryUp() {}
void ActivateHurryUp() {}
void DeactivateHurryUp() {}
uint8_t HurryUpState() { return 0; }
void UpdateWardens() {}
void UpdateWardenBullets() {}
void DrawWardens() {}
void DrawWardenBullets() {}
void RemoveAllWardens() {}

// Highscores and lifetime statistics.
int32_t TopLocalScore() { return 0; }
void AddGameToLifetimeStatistics() {}
void RunHighscoreEntryIfDue() {}

// Menu.
void RemoveMenuParticles() {}
void PrepareMenuBackground() {}
