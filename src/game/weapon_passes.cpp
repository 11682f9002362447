// The game loop's and the ship's ways into the special weapons: the per-frame
// passes over their lists and the item launches.
#include "game/explosion.h"
#include "game/missile.h"
#include "game/railblast.h"
#include "game/smart_bomb.h"
#include "game/world.h"

void UpdateWeapons() {
  lstExplosions.ForEach([](TExplosion* explosion) { explosion->Update(); });
  lstMissiles.ForEach([](TMissile* missile) { missile->Update(); });
  lstMissileVolleys.ForEach([](TMissileVolley* volley) { volley->Update(); });
  lstRailblasts.ForEach([](TRailblast* rail) { rail->Update(); });
}

// A game left from the pause screen may leave weapons in flight; the next
// game starts without them.
void RemoveAllWeapons() {
  lstExplosions.Clear();
  lstMissiles.Clear();
  lstMissileVolleys.Clear();
  lstRailblasts.Clear();
}

void StartMissileVolley(int32_t life) { TMissileVolley::Create(uint8_t(life)); }
void ActivateSmartBomb() { smartbomb.Activate(); }
void CreateRailblast(int32_t x) { TRailblast::Create(x); }
void UpdateSmartBomb() { smartbomb.Update(); }
