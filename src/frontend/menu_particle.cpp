#include "frontend/menu_particle.h"

#include "core/common.h"
#include "core/fader.h"
#include "core/images.h"
#include "core/menu_screens.h"
#include "core/rainbow_phaser.h"
#include "core/readable_colour.h"
#include "frontend/frontend.h"
#include "frontend/menu_state.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "platform/random.h"

// Every particle that lives its time is replaced, so they come from a pool
// (the front end's menuParticlePool): the menu allocates nothing once it runs.
void ReleaseMenuParticle(TMenuParticle* p) { menuParticlePool.Release(p); }

TMenuParticle* TMenuParticle::Spawn(bool newborn) {
  TMenuParticle* p = menuParticlePool.Create();
  p->cr = rainbow.r;
  p->cg = rainbow.g;
  p->cb = rainbow.b;
  lstMenuParticles.Add(p);
  p->x = float(ShowRand(0, 320));
  p->xvel = ShowRnd(-0.25f, 0.25f);
  p->y = float(ShowRand(75, 240));
  p->yvel = ShowRnd(-0.25f, 0.25f);
  p->r = float(ShowRand(0, 359));
  p->rspeed = ShowRand(1, 2) == 1 ? ShowRnd(-1.5f, -0.5f) : ShowRnd(0.5f, 1.5f);
  p->s = ShowRnd(0.75f, 2.0f);
  p->t = uint8_t(ShowRand(0, 10));
  p->maxlife = uint16_t(ShowRand(180, 300));
  p->life = newborn ? 0 : uint16_t(ShowRand(0, p->maxlife));
  return p;
}

void TMenuParticle::Die(uint8_t respawn) {
  lstMenuParticles.Remove(this);
  if (respawn) Spawn(true);
}

void TMenuParticle::Update() {
  x += xvel;
  y += yvel;
  r += rspeed;
  if (r >= 360) r -= 360;
  ++life;
  if (life >= maxlife) Die(1);
}

void TMenuParticle::Draw() const {
  // Around the credits the particles follow the text fade, so they leave
  // with the menu's text and come back with it.
  const float fade = (menuTarget == MENU_CREDITS || creditsClosing) ? fadeText.value : fadeScene.value;
  const float tenth = 0.1f * float(maxlife);
  float alpha = fade;
  if (float(life) < tenth)
    alpha = float(life) / tenth * fade;
  else if (float(life) >= 0.9f * float(maxlife))
    alpha = float(maxlife - life) / tenth * fade;
  SetAlpha(alpha);
  SetScale(s, s);
  SetRotation(r);
  SetReadableColor(cr, cg, cb);
  if (t <= 7)
    DrawImage(gfx.shroom, x, y, 4 * t);
  else if (t == 8)
    DrawImage(gfx.spider, x, y);
  else if (t == 9)
    DrawImage(gfx.saucer, x, y);
  else
    DrawImage(gfx.snail, x, y);
  SetRotation(0);
  SetAlpha(fadeScene.value);
  SetScale(1, 1);
}

void SpawnMenuParticles(int n) {
  for (int i = 0; i < n; ++i) {
    TMenuParticle::Spawn(false);
    rainbow.Update(5);
  }
}

void UpdateAndDrawMenuParticles() {
  lstMenuParticles.ForEach([](TMenuParticle* p) {
    p->Update();
    // A particle that died in its update is walked no further; its
    // replacement, appended during the walk, is updated and drawn this frame.
    if (!p->removed()) p->Draw();
  });
}

void RemoveMenuParticles() { lstMenuParticles.Clear(); }
