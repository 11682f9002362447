#pragma once
#include "platform/image.h"

// Every image of the game, loaded once at start-up in this order. A missing
// file leaves its handle null, which draws as nothing.
struct GameImages {
  Image* menu_fademask = nullptr;
  Image* logo_refmask = nullptr;
  Image* logo_letters = nullptr;
  Image* help_powerups = nullptr;
  Image* help_controls = nullptr;
  Image* bonus_scores = nullptr;
  Image* skitterworm = nullptr;
  Image* snail = nullptr;
  Image* shroom = nullptr;
  Image* shroom_poison = nullptr;
  Image* shroom_spots = nullptr;
  Image* saucer = nullptr;
  Image* saucer_glow = nullptr;
  Image* warden = nullptr;
  Image* warden_inner = nullptr;
  Image* warden_glow = nullptr;
  Image* warden_alarms = nullptr;
  Image* warden_bullet = nullptr;
  Image* bullet = nullptr;
  Image* freeaction_warn = nullptr;
  Image* powerup = nullptr;
  Image* powerup_spin = nullptr;
  Image* spider = nullptr;
  Image* splat = nullptr;
  Image* screenshot_icon = nullptr;
  Image* cfire_icon_on = nullptr;
  Image* cfire_icon_off = nullptr;
  Image* player = nullptr;
  Image* shield = nullptr;
  Image* gameinfo_bgd = nullptr;
  Image* hud_bgd = nullptr;
  Image* railblast = nullptr;
  Image* raildrone_flash = nullptr;
  Image* scattermine = nullptr;
  Image* scattermine_appear = nullptr;
  Image* scattermine_explode = nullptr;
  Image* missile = nullptr;
  Image* radar_post = nullptr;
  Image* radar_blink = nullptr;
  Image* radar_detect = nullptr;
  Image* kersplode = nullptr;
  Image* particle[10] = {};  // particle[1] .. particle[9]
  Image* pointer = nullptr;
};

extern GameImages gfx;

void LoadGameImages();
// Loads both fonts and every image: what start-up, the verifier and the tests
// that draw the game load.
void LoadAssets();
// The menu background centres these four; a game start puts them back to top-left.
void SetCreatureHandlesCentred(bool centred);
