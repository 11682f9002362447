#pragma once
// A fresh game world on the headless backend for the ship, bullet and HUD
// tests: sound and music off, keyboard control with the default keys, a fixed
// seed, every list empty and every singleton as at start-up.
#include <cstdint>
#include <vector>

#include "core/common.h"
#include "core/fader.h"
#include "core/images.h"
#include "core/mouse.h"
#include "core/play_states.h"
#include "game/autopilot.h"
#include "game/bullet.h"
#include "game/collision_mask.h"
#include "game/game_events.h"
#include "game/play.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/skitterworm.h"
#include "game/world.h"
#include "persist/config.h"
#include "persist/records.h"
#include "persist/statistics.h"
#include "platform/clock.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/input.h"
#include "platform/input_state.h"
#include "platform/paths.h"
#include "platform/random.h"

namespace game_test {

// The built data folder's images and fonts, loaded once per test program;
// without them (assets not built) every image is null and draws nothing.
inline void LoadAssetsOnce() {
  static bool loaded = false;
  if (loaded) return;
  loaded = true;
  SetDataDir(SKITTERWORM_TEST_DATA_DIR);
  LoadAssets();
  LoadCollisionMasks();
}

// A new game world, its rules' numbers seeded, and what the show around it
// reads (the common state, the records, the settings) as at start-up; the
// front end is not the world's (see app/live_game.h).
inline HeadlessBackend& ResetWorld(World& world, int32_t seed = 1234, bool with_assets = false) {
  HeadlessBackend& backend = UseHeadlessBackend();
  // Each world's clock starts an hour after the last one's, so helpers that
  // remember when they last saw something (the key repeat of the pause
  // screen) see time move on, as in one long run of the program.
  static int64_t epoch_ms = 0;
  epoch_ms += 3600 * 1000;
  backend.AdvanceMillis(epoch_ms);
  Graphics(320, 240, 0);
  SetDrawScale(1);
  SetScale(1, 1);
  if (with_assets) LoadAssetsOnce();
  common.Reset();
  records.Reset();
  world.Reset();
  world.random.Seed(seed);
  config.SetDefaults();
  config.sound = 0;
  config.music = 0;
  config.controls = CONTROLS_KEYBOARD;
  autopilotOn = false;
  timeNow = MilliSecs();
  fadeScene.Set(0, 1, 1, 0, 0, 0);
  fadeText.Set(0, 1, 1, 0, 0, 0);
  return backend;
}

// The ship at the start of play, its bullet ready.
inline void ShipInPlay(World& world) {
  world.player.Init();
  world.gameState = STATE_PLAYING;
  world.bullet.y = kBulletIdleY;
}

// A chain part placed by hand, heading right in the given row.
inline TSkitterworm* PlacePart(World& world, int32_t x, int32_t y) {
  TSkitterworm* part = TSkitterworm::New(world);
  part->x = x;
  part->y = y;
  part->dir = TSkitterworm::DIR_RIGHT;
  part->mode = TSkitterworm::MODE_DESCENDING;
  part->clr = 1;
  part->c = "FF0000";
  return part;
}

// The events of a kind the rules reported since the last frame began.
template <typename Event>
std::vector<Event> Reported(const World& world) {
  std::vector<Event> found;
  for (const GameEvent& event : world.events)
    if (const Event* e = std::get_if<Event>(&event)) found.push_back(*e);
  return found;
}

inline int CountParts(World& world) {
  int n = 0;
  world.lstEnemies.ForEachOf<TSkitterworm>([&](TSkitterworm*) { ++n; });
  return n;
}

inline void Press(int code) { Input().PressKey(code); }
inline void Release(int code) { Input().ReleaseKey(code); }
inline void Tap(int code) {
  Input().PressKey(code);
  Input().ReleaseKey(code);
}

}  // namespace game_test
