#include "show/particle.h"

#include <algorithm>

#include "core/common.h"
#include "core/fader.h"
#include "core/helpers.h"
#include "core/images.h"
#include "core/menu_screens.h"
#include "core/rainbow_phaser.h"
#include "core/screen_size.h"
#include "core/sine_table.h"
#include "persist/config.h"
#include "persist/records.h"
#include "platform/graphics.h"
#include "platform/random.h"
#include "show/show.h"

namespace {

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  return -1;
}

// Thousands of particles set their colour every frame, so the common case of
// six clean hex digits is read in place; anything else takes the general path.
void SetParticleColour(const std::string& hex) {
  if (hex.size() == 6) {
    int v[6];
    bool clean = true;
    for (int i = 0; i < 6; ++i) clean = clean && (v[i] = HexDigit(hex[i])) >= 0;
    if (clean) {
      SetColor(v[0] * 16 + v[1], v[2] * 16 + v[3], v[4] * 16 + v[5]);
      return;
    }
  }
  SetColorHex(hex);
}

std::string HexByte(uint8_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[value >> 4], kDigits[value & 15]};
}

// life / divisor times the fade, where a divisor of 0 (a particle whose
// lifetime was never set, such as the saucer's lights) means fully opaque.
float Fading(float fade, int32_t life, int32_t divisor) {
  if (divisor == 0) return 1.0f;
  return fade * float(life) / float(divisor);
}

struct Look {
  const Image* image = nullptr;
  int frame = 0;
  float alpha = 0;
  float scale = 1;
  float rotation = 0;
  bool rainbow = false;  // colour from the rainbow instead of c
};

// Image, frame and fading rule of each type; false for types that draw nothing
// (and for the streak, which is a line).
bool LookOf(const TParticle& p, Look& look) {
  const float text = fadeText.value, scene = fadeScene.value;
  const int32_t quarter = p.lifetime / 4;
  switch (p.t) {
    case 1:
      look.image = gfx.kersplode;
      look.alpha = float(p.life) / 100.0f * text;
      look.scale = 2;
      return true;
    case 2:
      look.image = gfx.splat;
      look.alpha = text * float(p.life) / 100.0f;
      return true;
    case 3:
      look.image = gfx.particle[2];
      break;
    case 4:
      look.image = gfx.particle[1];
      break;
    case 5:
      look.image = gfx.particle[3];
      look.alpha = Fading(scene, p.life, quarter);
      return true;
    case 6:
      look.image = gfx.particle[4];
      break;
    case 7:
      look.image = gfx.particle[5];
      break;
    case 12:
      look.image = gfx.shroom;
      look.alpha = text * float(p.life) / 100.0f;
      return true;
    case 13:
    case 14:
    case 17:
      look.image = p.t == 13 ? gfx.particle[2] : p.t == 14 ? gfx.particle[7] : gfx.scattermine_appear;
      look.alpha = Fading(text, p.life, p.lifetime);
      return true;
    case 15:
    case 16:
      look.image = p.t == 15 ? gfx.particle[8] : gfx.particle[9];
      look.alpha = Fading(text, p.life, p.lifetime) * 2.0f;
      look.rotation = float(p.ang);
      return true;
    case 18:
      look.image = gfx.particle[2];
      look.alpha = Fading(scene, p.life, p.lifetime);
      return true;
    case 50:
      look.image = gfx.shroom;
      look.frame = p.ang;
      look.alpha = Fading(1.0f, p.life, p.lifetime);
      return true;
    case 250:
    case 251:
    case 252:
      look.image = p.t == 250 ? gfx.screenshot_icon : p.t == 251 ? gfx.cfire_icon_on : gfx.cfire_icon_off;
      look.alpha = text * float(p.life) / 100.0f;
      return true;
    default:
      if (p.t >= 100 && p.t <= 107) {
        look.image = gfx.bonus_scores;
        look.frame = p.t - 100;
        look.alpha = Fading(text, p.life, quarter);
        look.rainbow = true;
        look.scale = p.t >= 105 ? 2 : 1;
        return true;
      }
      return false;
  }
  // The sparks 3, 4, 6 and 7 fade over the last quarter of their life.
  look.alpha = Fading(text, p.life, quarter);
  return true;
}

// A computed alpha above 1 is fully opaque; one that is not a number (0 / 0
// never happens above, but a fade can be anything) draws nothing.
float ClampAlpha(float alpha) {
  if (!(alpha > 0.0f)) return 0.0f;
  return std::min(alpha, 1.0f);
}

// What every particle leaves behind, so the next drawing starts from the
// game's usual state whatever the particle changed.
void RestoreDrawState() {
  SetAlpha(fadeText.value);
  SetScale(1, 1);
  SetRotation(0);
}

}  // namespace

void ReleaseParticle(TParticle* particle) { particlePool.Release(particle); }

TParticle* TParticle::New() {
  TParticle* p = particlePool.Create();
  lstParticles.Add(p);
  return p;
}

void TParticle::Die() { lstParticles.Remove(this); }

void TParticle::Update() {
  x += xvel;
  y += yvel;
  xvel *= f;
  yvel *= f;
  life -= 1;
  // A particle that drifts off the screen is gone, at every window scale alike.
  if (x < -16.0f || x > float(kScreenWidth)) Die();
  if (y < -16.0f || y > float(kScreenHeight)) Die();
  if (life < 0) {
    Die();
    // The front end's fireworks keep themselves going until a game starts.
    if (t == PARTICLE_FIREWORK && menuScreen != MENU_INGAME) CreateFireworks(1);
  }
}

void TParticle::SetVelocities() {
  xvel = sine.GetVal(ang) * vel;
  yvel = cosine.GetVal(ang) * vel;
}

void TParticle::Draw() const {
  if (t == PARTICLE_STREAK) {
    SetParticleColour(c);
    SetAlpha(ClampAlpha(Fading(fadeText.value, life, lifetime / 4)));
    // The streak's tail is longer at 320x240, where every pixel is coarser.
    const float k = DrawScale() == 1 ? 6.0f : 2.0f;
    DrawLine(x, y, x - xvel * k, y - yvel * k, true);
    RestoreDrawState();
    return;
  }
  Look look;
  if (!LookOf(*this, look)) return;
  if (look.rainbow)
    rainbow.Set();
  else
    SetParticleColour(c);
  SetAlpha(ClampAlpha(look.alpha));
  SetScale(look.scale, look.scale);
  SetRotation(look.rotation);
  DrawImage(look.image, x, y, look.frame);
  RestoreDrawState();
}

void CreateParticles(uint16_t x, uint16_t y, uint8_t count, uint8_t clr, uint16_t life_min, uint16_t life_max,
                     float speed_min, float speed_max, uint8_t type, uint16_t ang_min, uint16_t ang_max, float factor) {
  uint16_t n = 0;
  switch (config.particles) {
    case 0:
      n = count / 2;
      break;
    case 1:
      n = count;
      break;
    case 2:
      n = uint16_t(count * 2);
      break;
    case 3:
      n = uint16_t(count * 3);
      break;
    default:
      n = 0;
      break;
  }
  const bool spread = ang_max >= 999;
  const uint16_t step = spread && n > 0 ? uint16_t(360 / n) : 0;
  for (uint16_t i = 1; i <= n; ++i) {
    TParticle* p = TParticle::New();
    if (type == PARTICLE_ANY_SPARK)
      p->t = uint8_t(ShowRand(3, 8));
    else if (type == PARTICLE_ANY_FIREWORK)
      p->t = ShowRand(1, 8) == 8 ? PARTICLE_FIREWORK : uint8_t(ShowRand(2, 8));
    else
      p->t = type;
    p->x = x;
    p->y = y;
    p->f = factor;
    p->c = RandomColour(clr, ShowRandom());
    p->vel = ShowRnd(speed_min, speed_max);
    p->life = p->lifetime = ShowRand(life_min, life_max);
    uint16_t ang = spread ? uint16_t(ang_min + step * (i - 1)) : uint16_t(ShowRand(ang_min, ang_max));
    if (ang > 359) ang = uint16_t(ang - 360);
    p->ang = ang;
    p->SetVelocities();
    // A streak starts a little way out, so its tail does not sit on the source.
    if (p->t == PARTICLE_STREAK) {
      p->x += p->xvel * 2.0f;
      p->y += p->yvel * 2.0f;
    }
  }
}

TParticle* CreateParticle(float x, float y, uint8_t type, std::string_view colour, int32_t life, int32_t lifetime) {
  TParticle* p = TParticle::New();
  p->t = type;
  p->x = x;
  p->y = y;
  p->c = colour;
  p->life = life;
  p->lifetime = lifetime;
  return p;
}

TParticle* CreateFlash(uint16_t x, uint16_t y) { return CreateParticle(x, y, PARTICLE_KERSPLODE, "FFFFFF", 100); }

TParticle* CreateCFireIcon(bool on) {
  return CreateParticle(5, 5, on ? PARTICLE_CFIRE_ON : PARTICLE_CFIRE_OFF, "FFFFFF", 100);
}

TParticle* CreateScreenshotIcon() { return CreateParticle(5, 5, PARTICLE_SCREENSHOT, "FFFFFF", 100); }

void CreateFireworks(uint16_t n) {
  for (uint16_t i = 1; i <= n; ++i) {
    TParticle* p = TParticle::New();
    p->t = PARTICLE_FIREWORK;
    p->x = float(8 + 9 * ShowRand(0, 33));
    p->y = float(50 + 9 * ShowRand(2, 18));
    p->c = RandomColour(uint8_t(ShowRand(1, 11)), ShowRandom());
    p->life = ShowRand(1, 150);
  }
}

void CreateMenuSparks(uint16_t x, uint16_t y, int32_t half_width, uint8_t style, float speed) {
  const bool jitter = style >= 2 && style <= 4;
  for (int i = 0; i <= 1; ++i) {
    TParticle* p = TParticle::New();
    p->t = uint8_t(ShowRand(3, 4));
    p->screen = 1;
    // Positions stay 16-bit, as the widgets pass them.
    p->x = float(uint16_t(i == 0 ? x - half_width : x + half_width));
    p->y = y;
    if (jitter) p->y += float(ShowRand(-2, 2));
    int32_t ang = i == 0 ? 270 : 90;
    if (jitter) ang += ShowRand(-10, 10);
    if (style == 1) ang = ShowRand(1, 2) == 1 ? 90 : 270;
    if (style == 5) {
      p->x = x;
      ang = 270;
    }
    p->ang = uint16_t(ang);
    switch (style) {
      case 1:
      case 5:
        p->c = HexByte(rainbow.r) + HexByte(rainbow.g) + HexByte(rainbow.b);
        break;
      case 2:
        p->c = "FF" + RandomHexByte(uint8_t(63 + ShowRand(0, 192)), 255, ShowRandom()) + "00";
        break;
      case 3: {
        const std::string grey = RandomHexByte(127, 191, ShowRandom());
        p->c = grey + grey + grey;
        break;
      }
      case 4: {
        const uint8_t h = uint8_t(ShowRand(63, 127));
        p->c = HexByte(h) + HexByte(h / 2) + "00";
        break;
      }
      default:
        break;
    }
    p->f = 1.0f;
    p->vel = ShowRnd(1.0f, 1.5f) * speed;
    p->life = p->lifetime = ShowRand(12, 25);
    p->SetVelocities();
  }
}

void UpdateParticles() {
  lstParticles.ForEach([](TParticle* p) { p->Update(); });
}

void DrawParticles() {
  lstParticles.ForEach([](TParticle* p) { p->Draw(); });
}

void UpdateScreenParticles() {
  lstParticles.ForEach([](TParticle* p) {
    if (p->screen) p->Update();
  });
}

void DrawScreenParticles() {
  lstParticles.ForEach([](TParticle* p) {
    if (p->screen) p->Draw();
  });
}

void KillParticles() {
  lstParticles.ForEach([](TParticle* p) { p->Die(); });
}

void KillScreenParticles() {
  lstParticles.ForEach([](TParticle* p) {
    if (p->screen) p->Die();
  });
}
