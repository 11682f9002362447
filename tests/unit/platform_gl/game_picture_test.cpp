// The pictures of fixed seeded game frames at every window scale, rendered by
// the real GL backend and reduced to a hash. A change to how the game draws
// (the scale, the batch, the order of passes) shows here as a changed hash;
// the table is the picture as the game has always drawn it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "app/display_modes.h"
#include "app/game_loop.h"
#include "app/startup.h"
#include "core/fader.h"
#include "core/game_state.h"
#include "game/autopilot.h"
#include "game/bullet.h"
#include "game/hurry_up.h"
#include "game/particle.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/skitterworm.h"
#include "game/world.h"
#include "gl_test_support.h"
#include "persist/config.h"
#include "persist/records.h"
#include "persist/statistics.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "platform/input_state.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "platform/sdl/sdl_backend.h"

namespace {

// The real window and GL, with a clock that only the frames move: every
// run sees the same times, so the same pictures.
class SteppedClockBackend : public SdlBackend {
 public:
  int64_t MicroSecs() override { return now_us_; }
  void SleepMicros(int64_t us) override { now_us_ += us > 0 ? us : 0; }
  void PumpEvents(InputState&) override {}

 private:
  int64_t now_us_ = 1'000'000;
};

SteppedClockBackend& Backend() {
  static SteppedClockBackend backend;
  return backend;
}

uint64_t PictureHash() {
  const auto grab = GrabPixmap(0, 0, GraphicsWidth(), GraphicsHeight());
  uint64_t h = 1469598103934665603ull;
  for (uint32_t p : grab->pixels) {
    h ^= p;
    h *= 1099511628211ull;
  }
  return h;
}

void StartWorld(int scale) {
  SetBackend(&Backend());
  Input() = InputState{};
  ResetState();
  config.SetDefaults();
  config.sound = 0;
  config.music = 0;
  config.controls = 1;
  config.vmode = 4;
  config.vscale = uint8_t(scale);
  ASSERT_TRUE(OpenDisplay());
  ReleaseAllImages();
  SetDataDir(SKITTERWORM_TEST_DATA_DIR);
  LoadAssets();
  ASSERT_TRUE(OpenDisplay());  // uploads the atlas the assets filled
  SeedRnd(4321);
  autopilotOn = false;
  quitProgram = false;
  NewGame();
}

void Frames(int n) {
  for (int i = 0; i < n; ++i) GameFrame();
}

void Tap(int code) {
  Input().PressKey(code);
  Input().ReleaseKey(code);
}

void ToPlaying() {
  while (gameState == STATE_ENTERING) GameFrame();
}

struct Scene {
  const char* name;
  std::function<void()> play;  // leaves the frame to hash on the screen
  uint64_t hashes[4];          // at scales 1..4
};

const Scene kScenes[] = {
    {"stage banner",
     [] { Frames(60); },
     {0xbfc6f072b0da60bbull, 0x7f100a303ad79b75ull, 0x5d20655d95ddbcd4ull, 0xddf29574ad6230b7ull}},
    {"banner fading into the field",
     [] { Frames(170); },
     {0x73123dd65433ce7dull, 0x4a53aebc76cfe3d7ull, 0xf820938be2277fccull, 0xdf63df520a0c5b63ull}},
    {"playfield with chain and HUD",
     [] {
       ToPlaying();
       Frames(90);
     },
     {0xa13fce2a86b17dbfull, 0xf332066d5865bc15ull, 0x9e202428f2daf81bull, 0xb139c6f8949fcc93ull}},
    {"particles of every kind and the hurry-up",
     [] {
       ToPlaying();
       for (uint8_t type : {1, 2, 3, 4, 5, 6, 7, 8, 12, 13, 14, 15, 16, 17, 18, 100, 103, 106})
         CreateParticles(uint16_t(40 + 13 * (type % 20)), 120, 6, uint8_t(type % 7), 60, 90, 0.5f, 2.0f, type, 0, 999,
                         0.98f);
       CreateFlash(200, 60);
       CreateCFireIcon();
       ActivateHurryUp();
       Frames(12);
     },
     {0x56ecdfa5cbf318dbull, 0xbb9e2a663601ac67ull, 0x441cb6169ef9e84aull, 0x63ecb85bc4228da9ull}},
    {"pause",
     [] {
       ToPlaying();
       Frames(30);
       Tap(vk::kP);
       Frames(3);
     },
     {0x6c7c2eef67913b1bull, 0x6182994abbf78387ull, 0x8566a2e280d1c48dull, 0x3a1214c7fbda8913ull}},
    {"tally with bonus and prompt",
     [] {
       ToPlaying();
       player.wave = 6;
       player.wave_parts = 0;
       Frames(1 + 320);
     },
     {0x57f9beb35d74003aull, 0x68a135cffb8beb47ull, 0x49e810a46cce750cull, 0x5640f9cbb0eab153ull}},
    {"game over",
     [] {
       ToPlaying();
       gameState = STATE_GAMEOVER;
       Frames(40);
     },
     {0xa154b582be677781ull, 0x52a4135df05a9529ull, 0x74e16d3620de18f0ull, 0x707eb5a71c2e9033ull}},
    {"autopilot play after half a minute",
     [] {
       autopilotOn = true;
       Frames(1800);
     },
     {0x6cb1192078d151f7ull, 0xd408538d4ff630bfull, 0x05bc8c3ccf05fab1ull, 0xbc2fba6571bf8873ull}},
};

class GamePicture : public GlPictureTest {
 protected:
  void TearDown() override {
    if (HaveDisplay()) {
      EndGraphics();
      ReleaseAllImages();
    }
    SetDrawScale(1);  // the picture tests after these draw at scale 1
    SetBackend(nullptr);
  }
};

TEST_F(GamePicture, SeededFramesLookTheSameAtEveryScale) {
  for (const Scene& scene : kScenes) {
    for (int scale = 1; scale <= 4; ++scale) {
      StartWorld(scale);
      scene.play();
      const uint64_t hash = PictureHash();
      if (std::getenv("SKITTERWORM_PRINT_PICTURE_HASHES"))
        std::printf("%s, scale %d: 0x%016llxull\n", scene.name, scale, (unsigned long long)hash);
      EXPECT_EQ(hash, scene.hashes[scale - 1]) << scene.name << " at scale " << scale;
    }
  }
}

}  // namespace
