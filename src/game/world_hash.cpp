#include "game/world_hash.h"

#include <cstring>
#include <string>

#include "game/bullet.h"
#include "game/explosion.h"
#include "game/game_statistics.h"
#include "game/hurry_up.h"
#include "game/missile.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/powerup.h"
#include "game/radar.h"
#include "game/railblast.h"
#include "game/saucer.h"
#include "game/skitterworm.h"
#include "game/smart_bomb.h"
#include "game/snail.h"
#include "game/spider.h"
#include "game/warden.h"
#include "game/world.h"
#include "platform/random.h"

namespace {

// 64-bit FNV-1a.
class Fnv {
 public:
  void Bytes(const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i) {
      value_ ^= p[i];
      value_ *= 0x100000001b3ull;
    }
  }
  template <typename T>
  void Add(const T& v) {
    Bytes(&v, sizeof v);
  }
  void Add(const std::string& s) {
    Add(uint32_t(s.size()));
    Bytes(s.data(), s.size());
  }
  uint64_t value() const { return value_; }

 private:
  uint64_t value_ = 0xcbf29ce484222325ull;
};

void AddPlayer(Fnv& h, const World& world) {
  h.Add(world.player.x), h.Add(world.player.y), h.Add(world.player.tx), h.Add(world.player.ty), h.Add(world.player.c);
  h.Bytes(world.player.power, sizeof world.player.power);
  h.Bytes(world.player.item, sizeof world.player.item);
  h.Add(world.player.cfire), h.Add(world.player.bpwr), h.Add(world.player.score), h.Add(world.player.scorex),
      h.Add(world.player.lives);
  h.Add(world.player.elife), h.Add(world.player.stage), h.Add(world.player.wave), h.Add(world.player.wave_parts),
      h.Add(world.player.state);
  h.Add(world.player.death_timer);
}

void AddEnemies(Fnv& h, const World& world) {
  h.Add(uint64_t(world.lstEnemies.Count()));
  world.lstEnemies.ForEachOf<TSkitterworm>([&](const TSkitterworm* p) {
    h.Add(p->x), h.Add(p->y), h.Add(p->f), h.Add(p->c), h.Add(p->clr), h.Add(p->nrg), h.Add(p->nrg_xtra);
    h.Add(p->dir), h.Add(p->dir_last), h.Add(p->mode);
  });
  h.Add(world.chainSpeed), h.Add(world.chainBottomReached), h.Add(world.chainReinforceTimer);
  world.lstEnemies.ForEachOf<TSnail>(
      [&](const TSnail* s) { h.Add(s->x), h.Add(s->y), h.Add(s->row), h.Add(s->dir), h.Add(s->c), h.Add(s->my_sec); });
  world.lstEnemies.ForEachOf<TSpider>(
      [&](const TSpider* s) { h.Add(s->x), h.Add(s->y), h.Add(s->vdir), h.Add(s->hdir); });
  world.lstEnemies.ForEachOf<TSaucer>([&](const TSaucer* s) {
    h.Add(s->x), h.Add(s->y), h.Add(s->f), h.Add(s->blinkcount), h.Add(s->dir), h.Add(s->my_sec);
  });
  world.lstEnemies.ForEachOf<TWarden>(
      [&](const TWarden* w) { h.Add(w->x), h.Add(w->sy), h.Add(w->xvel), h.Add(w->sinr); });
  world.lstWardenBullets.ForEach([&](const TWardenBullet* b) { h.Add(b->x), h.Add(b->y); });
  h.Add(world.snailTimer), h.Add(world.spiderTimer), h.Add(world.saucerTimer);
  h.Add(world.hurryup.state), h.Add(world.hurryup.phase), h.Add(world.hurryup.loops);
}

void AddWeapons(Fnv& h, const World& world) {
  h.Add(uint64_t(world.lstPowerups.Count()));
  world.lstPowerups.ForEach([&](const TPowerup* p) { h.Add(p->t), h.Add(p->x), h.Add(p->y), h.Add(p->r); });
  h.Add(uint64_t(world.lstExplosions.Count()));
  world.lstExplosions.ForEach([&](const TExplosion* e) { h.Add(e->x), h.Add(e->y), h.Add(e->life), h.Add(e->pos); });
  h.Add(uint64_t(world.lstMissiles.Count()));
  world.lstMissiles.ForEach([&](const TMissile* m) { h.Add(m->x), h.Add(m->y), h.Add(m->m_pos), h.Add(m->yvel); });
  h.Add(uint64_t(world.lstMissileVolleys.Count()));
  world.lstMissileVolleys.ForEach([&](const TMissileVolley* v) { h.Add(v->life); });
  h.Add(uint64_t(world.lstRailblasts.Count()));
  world.lstRailblasts.ForEach([&](const TRailblast* r) { h.Add(r->sourcex), h.Add(r->targy), h.Add(r->frame); });
  h.Add(world.smartbomb.life), h.Add(world.radar.blink), h.Add(world.radar.detect);
  h.Bytes(world.statsGame.powerups, sizeof world.statsGame.powerups);
  h.Add(world.statsGame.killed_pshrooms);
}

}  // namespace

uint64_t WorldHash(const World& world) {
  Fnv h;
  h.Bytes(world.playfield.data, sizeof world.playfield.data);
  h.Bytes(world.playfield.strength, sizeof world.playfield.strength);
  h.Bytes(world.playfield.c, sizeof world.playfield.c);
  h.Add(world.playfield.style);
  AddEnemies(h, world);
  AddPlayer(h, world);
  AddWeapons(h, world);
  h.Add(world.bullet.x), h.Add(world.bullet.y), h.Add(world.bullet.pwr), h.Add(world.bullet.hit);
  h.Add(world.gameState), h.Add(world.stateTimer), h.Add(world.mushroomMultiplier);
  h.Add(world.statsGame.killed_worms), h.Add(world.statsGame.killed_shrooms), h.Add(world.statsGame.bullets_fired);
  h.Add(world.statsGame.bullets_hit), h.Add(world.statsStage.mushrooms);
  h.Add(world.gameFrames), h.Add(world.waveFrames), h.Add(world.fireHeldOver);
  h.Add(world.random.State());
  return h.value();
}
