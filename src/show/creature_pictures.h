#pragma once

struct World;
// The creatures of the field as the player sees them: chain parts, snails,
// spiders, saucers, wardens and the wardens' shots. Each reads its creature
// and changes nothing of it.
class TSkitterworm;
class TSnail;
class TSpider;
class TSaucer;
class TWarden;
class TWardenBullet;

void DrawChainPart(const TSkitterworm& part);
void DrawSnail(const TSnail& snail);
void DrawSpider(const TSpider& spider);
void DrawSaucer(const TSaucer& saucer);
void DrawWarden(const TWarden& warden);
void DrawWardenBullet(const TWardenBullet& shot);

// Every creature of a kind, in the order of the world's list.
void DrawChainParts(const World& world);
void DrawSnails(const World& world);
void DrawSpiders(const World& world);
void DrawSaucers(const World& world);
void DrawWardens(const World& world);
void DrawWardenBullets(const World& world);
