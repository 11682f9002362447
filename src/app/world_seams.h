#pragma once
#include <cstdint>

// What the game loop, the ship and the bullet ask of the rest of the world:
// the star field, snails, spiders, saucers, the spawner, powerups, special
// weapons, the hurry-up and its wardens, the highscore entry, the lifetime
// statistics and the menu. Each is one small function, defined by the
// subsystem that owns it (world/enemy_passes.cpp, world/spawner.cpp,
// player/powerup.cpp, player/weapon_passes.cpp, frontend/star.cpp...), so the
// callers never depend on those classes. The few whose subsystem does not exist
// yet are defined in world_seams.cpp and do the least the game needs.

class TPlayer;
class TBullet;

// The collision layer the warden and its bullets write themselves into while
// drawn; the ship tests its image against it.
constexpr uint32_t kWardenCollisionLayer = 1;

// Star field behind the game.
void CreateGameStars(int count);  // new game: count stars at random places and speeds
void UpdateStars();
void DrawStars();
void KillStars();

// Snails, spiders and saucers: one pass each over lstEnemies for their kind.
void UpdateSnails();
void DrawSnails();
void UpdateSpiders();
void DrawSpiders();
int32_t UpdateSaucers();  // returns how many saucers were updated (the saucer hum follows it)
void DrawSaucers();
// The ship's contact tests (TPlayer::Touched decides between shield and death).
void CollideShipWithSnails(TPlayer& ship);
void CollideShipWithSpiders(TPlayer& ship);
void CollideShipWithSaucers(TPlayer& ship);  // only asked while free movement runs
// The bullet's passes (each overlap calls the enemy's Death, then TBullet::SpendHit).
void BulletPassSnails(TBullet& shot);
void BulletPassSpiders(TBullet& shot);
void BulletPassSaucers(TBullet& shot);

// The enemy spawner, once per frame while spawning is on (it also brings the
// chain reinforcements once a part has reached the bottom).
void UpdateSpawner();
// Every enemy leaves without score or effect (new game).
void RemoveAllEnemies();
// A cleared stage: chain parts, wardens and warden shots left die without
// score; snails, spiders and saucers leave with the stage-end effects and are
// no longer counted as seen.
void RemoveEnemiesAtStageEnd();

// Powerups falling from destroyed saucers.
void UpdatePowerups();
void DrawPowerups();
void RemoveAllPowerups();
void CollideShipWithPowerups(TPlayer& ship);
// A destroyed saucer leaves a powerup at its place (the saucer rolls the chance).
void CreatePowerup(uint16_t x, uint16_t y);

// Special weapons: explosions, missiles, missile volleys, railblasts, smart bomb, radar.
void UpdateWeapons();     // explosions, missiles, volleys, railblasts, every frame
void RemoveAllWeapons();  // new game: nothing left in flight from the last one
void DrawMissilesAndRailblasts();
void StartMissileVolley(int32_t life);
void ActivateSmartBomb();
void CreateRailblast(int32_t x);
void LaunchMissile(int32_t x, int32_t y, uint8_t col);
void UpdateSmartBomb();  // also sets the clear colour while the bomb flashes
void UpdateRadar();
void DrawRadar();

// Hurry-up and wardens.
void UpdateHurryUp();
void DrawHurryUp();
void ActivateHurryUp();
void DeactivateHurryUp();  // also makes every warden die
uint8_t HurryUpState();    // 0 off, 1 warning, 2 wardens out (the HUD turns red)
void UpdateWardens();      // wardens and their bullets, every frame
void UpdateWardenBullets();
void DrawWardens();
void DrawWardenBullets();
void RemoveAllWardens();

// Highscores and lifetime statistics.
int32_t TopLocalScore();             // entry 0 of the local table, for the HUD
void AddGameToLifetimeStatistics();  // the game's statistics join the lifetime totals
void RunHighscoreEntryIfDue();       // name entry when the score qualifies or online scores are on

// Menu.
void RemoveMenuParticles();
void PrepareMenuBackground();
