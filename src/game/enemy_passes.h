#pragma once
#include <cstdint>

// Snails, spiders and saucers: one pass each over lstEnemies for their kind.
// The ship's contact tests (TPlayer::Touched decides between shield and
// death) and the bullet's passes (each overlap calls the enemy's Death, then
// TBullet::SpendHit).

class TPlayer;
class TBullet;

void UpdateSnails();
void UpdateSpiders();
int32_t UpdateSaucers();  // returns how many saucers were updated (the saucer hum follows it)
void CollideShipWithSnails(TPlayer& ship);
void CollideShipWithSpiders(TPlayer& ship);
void CollideShipWithSaucers(TPlayer& ship);  // only asked while free movement runs
void BulletPassSnails(TBullet& shot);
void BulletPassSpiders(TBullet& shot);
void BulletPassSaucers(TBullet& shot);
