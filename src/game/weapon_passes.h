#pragma once
#include <cstdint>

struct World;

// Special weapons: explosions, missiles, missile volleys, railblasts, the
// smart bomb and the radar, as the game loop and the ship use them.

void UpdateWeapons(World& world);     // explosions, missiles, volleys, railblasts, every frame
void RemoveAllWeapons(World& world);  // new game: nothing left in flight from the last one
void StartMissileVolley(World& world, int32_t life);
void ActivateSmartBomb(World& world);
void CreateRailblast(World& world, int32_t x);
void UpdateSmartBomb(World& world);  // the background flash fades
