// The game loop's and the ship's ways into the special weapons: the per-frame
// passes over their lists and the item launches.
#include "game/explosion.h"
#include "game/missile.h"
#include "game/railblast.h"
#include "game/smart_bomb.h"
#include "game/world.h"

void UpdateWeapons(World& world) {
  world.lstExplosions.ForEach([](TExplosion* explosion) { explosion->Update(); });
  world.lstMissiles.ForEach([](TMissile* missile) { missile->Update(); });
  world.lstMissileVolleys.ForEach([](TMissileVolley* volley) { volley->Update(); });
  world.lstRailblasts.ForEach([](TRailblast* rail) { rail->Update(); });
}

// A game left from the pause screen may leave weapons in flight; the next
// game starts without them.
void RemoveAllWeapons(World& world) {
  world.lstExplosions.Clear();
  world.lstMissiles.Clear();
  world.lstMissileVolleys.Clear();
  world.lstRailblasts.Clear();
}

void StartMissileVolley(World& world, int32_t life) { TMissileVolley::Create(world, uint8_t(life)); }
void ActivateSmartBomb(World& world) { world.smartbomb.Activate(); }
void CreateRailblast(World& world, int32_t x) { TRailblast::Create(world, x); }
void UpdateSmartBomb(World& world) { world.smartbomb.Update(); }
