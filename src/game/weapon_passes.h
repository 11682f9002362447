#pragma once
#include <cstdint>

// Special weapons: explosions, missiles, missile volleys, railblasts, the
// smart bomb and the radar, as the game loop and the ship use them.

void UpdateWeapons();     // explosions, missiles, volleys, railblasts, every frame
void RemoveAllWeapons();  // new game: nothing left in flight from the last one
void StartMissileVolley(int32_t life);
void ActivateSmartBomb();
void CreateRailblast(int32_t x);
void UpdateSmartBomb();  // the background flash fades
