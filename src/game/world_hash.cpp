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

void AddPlayer(Fnv& h) {
  h.Add(player.x), h.Add(player.y), h.Add(player.tx), h.Add(player.ty), h.Add(player.c);
  h.Bytes(player.power, sizeof player.power);
  h.Bytes(player.item, sizeof player.item);
  h.Add(player.cfire), h.Add(player.bpwr), h.Add(player.score), h.Add(player.scorex), h.Add(player.lives);
  h.Add(player.elife), h.Add(player.stage), h.Add(player.wave), h.Add(player.wave_parts), h.Add(player.state);
  h.Add(player.death_timer);
}

void AddEnemies(Fnv& h) {
  h.Add(uint64_t(lstEnemies.Count()));
  lstEnemies.ForEachOf<TSkitterworm>([&](TSkitterworm* p) {
    h.Add(p->x), h.Add(p->y), h.Add(p->f), h.Add(p->c), h.Add(p->clr), h.Add(p->nrg), h.Add(p->nrg_xtra);
    h.Add(p->dir), h.Add(p->dir_last), h.Add(p->mode);
  });
  h.Add(chainSpeed), h.Add(chainBottomReached), h.Add(chainReinforceTimer);
  lstEnemies.ForEachOf<TSnail>(
      [&](TSnail* s) { h.Add(s->x), h.Add(s->y), h.Add(s->row), h.Add(s->dir), h.Add(s->c), h.Add(s->my_sec); });
  lstEnemies.ForEachOf<TSpider>([&](TSpider* s) { h.Add(s->x), h.Add(s->y), h.Add(s->vdir), h.Add(s->hdir); });
  lstEnemies.ForEachOf<TSaucer>([&](TSaucer* s) {
    h.Add(s->x), h.Add(s->y), h.Add(s->f), h.Add(s->blinkcount), h.Add(s->dir), h.Add(s->my_sec);
  });
  lstEnemies.ForEachOf<TWarden>([&](TWarden* w) { h.Add(w->x), h.Add(w->sy), h.Add(w->xvel), h.Add(w->sinr); });
  lstWardenBullets.ForEach([&](TWardenBullet* b) { h.Add(b->x), h.Add(b->y); });
  h.Add(snailTimer), h.Add(spiderTimer), h.Add(saucerTimer);
  h.Add(hurryup.state), h.Add(hurryup.phase), h.Add(hurryup.loops);
}

void AddWeapons(Fnv& h) {
  h.Add(uint64_t(lstPowerups.Count()));
  lstPowerups.ForEach([&](TPowerup* p) { h.Add(p->t), h.Add(p->x), h.Add(p->y), h.Add(p->r); });
  h.Add(uint64_t(lstExplosions.Count()));
  lstExplosions.ForEach([&](TExplosion* e) { h.Add(e->x), h.Add(e->y), h.Add(e->life), h.Add(e->pos); });
  h.Add(uint64_t(lstMissiles.Count()));
  lstMissiles.ForEach([&](TMissile* m) { h.Add(m->x), h.Add(m->y), h.Add(m->m_pos), h.Add(m->yvel); });
  h.Add(uint64_t(lstMissileVolleys.Count()));
  lstMissileVolleys.ForEach([&](TMissileVolley* v) { h.Add(v->life); });
  h.Add(uint64_t(lstRailblasts.Count()));
  lstRailblasts.ForEach([&](TRailblast* r) { h.Add(r->sourcex), h.Add(r->targy), h.Add(r->frame); });
  h.Add(smartbomb.life), h.Add(radar.blink), h.Add(radar.detect);
  h.Bytes(statsGame.powerups, sizeof statsGame.powerups);
  h.Add(statsGame.killed_pshrooms);
}

}  // namespace

uint64_t WorldHash() {
  Fnv h;
  h.Bytes(playfield.data, sizeof playfield.data);
  h.Bytes(playfield.strength, sizeof playfield.strength);
  h.Bytes(playfield.c, sizeof playfield.c);
  h.Add(playfield.style);
  AddEnemies(h);
  AddPlayer(h);
  AddWeapons(h);
  h.Add(bullet.x), h.Add(bullet.y), h.Add(bullet.pwr), h.Add(bullet.hit);
  h.Add(gameState), h.Add(stateTimer), h.Add(mushroomMultiplier);
  h.Add(statsGame.killed_worms), h.Add(statsGame.killed_shrooms), h.Add(statsGame.bullets_fired);
  h.Add(statsGame.bullets_hit), h.Add(statsStage.mushrooms);
  h.Add(gameFrames), h.Add(waveFrames);
  h.Add(RndSeed());
  return h.value();
}
