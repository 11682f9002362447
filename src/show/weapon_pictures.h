#pragma once

struct World;
// The powerups falling from saucers and the special weapons in flight:
// missiles, and railblasts (the rising drone, then the fading beam).
class TPowerup;
class TMissile;
class TRailblast;

void DrawPowerup(const TPowerup& powerup);
void DrawMissile(const TMissile& missile);
void DrawRailblast(const TRailblast& rail);

void DrawPowerups(const World& world);
void DrawMissilesAndRailblasts(const World& world);
