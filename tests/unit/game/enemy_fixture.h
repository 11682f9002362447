#pragma once
// A fresh battlefield on the headless backend for the spider, snail, saucer,
// spawner and warden tests: sound off, normal particles, an empty field, the
// ship alive at its start in stage A wave 1, no hurry-up.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "core/common.h"
#include "core/fader.h"
#include "game/autopilot.h"
#include "game/bullet.h"
#include "game/game_test_world.h"
#include "game/hurry_up.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/skitterworm.h"
#include "game/warden.h"
#include "game/world.h"
#include "persist/config.h"
#include "persist/records.h"
#include "persist/statistics.h"
#include "platform/clock.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "platform/random.h"

using game_test::Reported;

namespace enemy_test {

class Battlefield : public ::testing::Test {
 protected:
  void SetUp() override {
    backend_ = &UseHeadlessBackend();
    Graphics(320, 240, 0);
    SetDrawScale(1);
    world.random.Seed(4242);
    common.Reset();
    records.Reset();
    autopilotOn = false;
    config.SetDefaults();
    config.sound = 0;
    config.music = 0;
    config.particles = 1;
    world.player.Init();
    world.player.stage = 1;
    world.player.wave = 1;
    timeNow = MilliSecs();
    fadeScene.Set(0, 1, 1, 0, 0, 0);
    fadeText.Set(0, 1, 1, 0, 0, 0);
  }
  template <typename T>
  int Count() {
    int n = 0;
    world.lstEnemies.ForEachOf<T>([&](T*) { ++n; });
    return n;
  }

  template <typename T>
  T* First() {
    T* found = nullptr;
    world.lstEnemies.ForEachOf<T>([&](T* e) {
      if (!found) found = e;
    });
    return found;
  }

  void Put(int32_t cell, uint8_t code) {
    world.playfield.data[cell] = code;
    world.playfield.strength[cell] = code == CELL_SCATTERMINE ? 0 : kFreshStrength;
  }

  World world;  // the game each test plays in
  HeadlessBackend* backend_ = nullptr;
};

// Binomial bounds: the observed share of n trials must lie within 4.5
// standard deviations of p (a false alarm about once in 150,000 runs, and the
// seeds are fixed anyway).
inline void ExpectShare(int hits, int n, double p) {
  const double share = double(hits) / n;
  const double sigma = std::sqrt(p * (1 - p) / n);
  EXPECT_NEAR(share, p, 4.5 * sigma) << hits << " of " << n;
}

}  // namespace enemy_test
