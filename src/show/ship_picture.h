#pragma once
// The ship as the player sees it: the ship itself (blinking while it
// respawns), its shield, the warning that free movement runs out, the radar's
// lamps, and its bullet.
class TPlayer;
class TBullet;
class TRadar;

void DrawShip(const TPlayer& ship);
void DrawBullet(const TBullet& shot, const TPlayer& ship);
void DrawRadar(const TRadar& radar);
