#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/object_list.h"

// Every spark, splat, flash, score pop-up and on-screen notice: it moves with
// a velocity that decays by `f` each frame and dies when its life runs out or
// it leaves the screen. Its type `t` picks the image and the fading rule.
//
// Particles are high-churn: they come from particlePool and go back to it when
// lstParticles frees them, so steady play allocates nothing. Both are the
// show's (show/show.h): nothing of the rules reads a particle.
//
// The menus' "screen particles" (the sparks of highlighted widgets and score
// tables) are ordinary particles with `screen` set: they live in lstParticles
// like every other one, and the menu walks pick them by that flag. Dying takes
// a particle out of both at once.
class TParticle : public Listed {
 public:
  float x = 0;
  float xvel = 0;
  float y = 0;
  float yvel = 0;
  float vel = 0;     // speed that SetVelocities turns into xvel/yvel along ang
  float f = 0;       // velocity factor per frame: below 1 slows, above 1 speeds up
  uint16_t ang = 0;  // degrees, 0 down the screen, 90 right; frame or rotation for some types
  int32_t life = 0;
  int32_t lifetime = 0;  // life at creation; 0 where the creator leaves it unset
  uint8_t t = 0;
  std::string c;       // RRGGBB
  uint8_t screen = 0;  // one of the menus' screen particles

  // A fresh particle (every number 0, no colour) from the pool, in lstParticles.
  static TParticle* New();
  void Die();
  void Update();
  void SetVelocities();
  void Draw() const;
};

// Types with a meaning of their own beyond their image.
constexpr uint8_t PARTICLE_KERSPLODE = 1, PARTICLE_SPLAT = 2, PARTICLE_STREAK = 8, PARTICLE_ANY_SPARK = 10,
                  PARTICLE_ANY_FIREWORK = 11, PARTICLE_FIREWORK = 12, PARTICLE_MINE_APPEAR = 17,
                  PARTICLE_SHROOM_FLASH = 50, PARTICLE_BONUS = 100, PARTICLE_SCREENSHOT = 250, PARTICLE_CFIRE_ON = 251,
                  PARTICLE_CFIRE_OFF = 252;

// The function lstParticles hands freed particles to (back to particlePool).
void ReleaseParticle(TParticle* particle);

// The general emitter used by enemies and weapons. The count follows the
// particles setting (half, normal, double, triple, or none). An angle max of
// 999 or more spreads the particles evenly from angle min. Type 10 picks a
// spark type 3..8 per particle, type 11 a firework or a spark.
void CreateParticles(uint16_t x, uint16_t y, uint8_t count, uint8_t clr, uint16_t life_min, uint16_t life_max,
                     float speed_min, float speed_max, uint8_t type, uint16_t ang_min, uint16_t ang_max, float factor);

// One particle with the given look and no velocity: splats, pop-ups, mushroom
// flashes, mine appearances. Life and lifetime are set as given.
TParticle* CreateParticle(float x, float y, uint8_t type, std::string_view colour, int32_t life, int32_t lifetime = 0);

// The white double-size burst drawn where something big dies.
TParticle* CreateFlash(uint16_t x, uint16_t y);
// The notices in the top-left corner.
TParticle* CreateCFireIcon(bool on);  // continuous fire switched on or off
TParticle* CreateScreenshotIcon();
// Mushroom-shaped fireworks across the field; each one relights itself on
// death until a game starts.
void CreateFireworks(uint16_t n);
// Two sparks flying apart from (x, y) +/- half width; styles 1..5 set the
// colour and spread (1 rainbow, 2 fire, 3 grey, 4 ember, 5 one leftward spark).
void CreateMenuSparks(uint16_t x, uint16_t y, int32_t half_width, uint8_t style, float speed);

// List walks used by the game and menu passes.
void UpdateParticles();
void DrawParticles();
void UpdateScreenParticles();
void DrawScreenParticles();
void KillParticles();        // every particle
void KillScreenParticles();  // the menus' screen particles only
