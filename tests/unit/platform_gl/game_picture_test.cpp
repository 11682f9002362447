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
#include "core/images.h"
#include "core/play_states.h"
#include "game/autopilot.h"
#include "game/bullet.h"
#include "game/collision_mask.h"
#include "game/hurry_up.h"
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
#include "show/particle.h"
#include "show/show.h"

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
  config.controls = CONTROLS_KEYBOARD;
  config.vmode = 4;
  config.vscale = uint8_t(scale);
  ASSERT_TRUE(OpenDisplay());
  ReleaseAllImages();
  SetDataDir(SKITTERWORM_TEST_DATA_DIR);
  LoadAssets();
  LoadCollisionMasks();
  ASSERT_TRUE(OpenDisplay());  // uploads the atlas the assets filled
  autopilotOn = false;
  quitProgram = false;
  NewLiveGame();
}

void Frames(int n) {
  for (int i = 0; i < n; ++i) GameFrame();
}

void Tap(int code) {
  Input().PressKey(code);
  Input().ReleaseKey(code);
}

void ToPlaying() {
  World& world = ShownGame();
  while (world.gameState == STATE_ENTERING) GameFrame();
}

struct Scene {
  const char* name;
  std::function<void()> play;  // leaves the frame to hash on the screen
  uint64_t hashes[4];          // at scales 1..4
};

const Scene kScenes[] = {
    {"stage banner",
     [] { Frames(60); },
     {0x43550c044ce14522ull, 0x5715425d4a523b23ull, 0xad1acd70556421a2ull, 0xea899aa47e48931bull}},
    {"banner fading into the field",
     [] { Frames(170); },
     {0x942a19c816da555eull, 0xb37fd7be7350b7dbull, 0xb72e3b4f33da2acdull, 0x6fc8306f4aa704bfull}},
    {"playfield with chain and HUD",
     [] {
       ToPlaying();
       Frames(90);
     },
     {0xe23e468c26d76869ull, 0x739d3bbea489e225ull, 0x77e82975c7011738ull, 0x9471ea25bbd231d3ull}},
    {"particles of every kind and the hurry-up",
     [] {
       ToPlaying();
       for (uint8_t type : {1, 2, 3, 4, 5, 6, 7, 8, 12, 13, 14, 15, 16, 17, 18, 100, 103, 106})
         CreateParticles(uint16_t(40 + 13 * (type % 20)), 120, 6, uint8_t(type % 7), 60, 90, 0.5f, 2.0f, type, 0, 999,
                         0.98f);
       CreateFlash(200, 60);
       CreateCFireIcon(ShownGame().player.cfire);
       ActivateHurryUp(ShownGame());
       Frames(12);
     },
     {0x7f86ea183e6e09f1ull, 0xab655ea2bd3315d4ull, 0xe717509c83793c25ull, 0x18cdc776421f8107ull}},
    {"pause",
     [] {
       ToPlaying();
       Frames(30);
       Tap(vk::kP);
       Frames(3);
     },
     {0x049ed2864194860bull, 0x45d994fc78b4f263ull, 0xe5e8b75139ebee57ull, 0x5d17ef11bddafb07ull}},
    {"tally with bonus and prompt",
     [] {
       ToPlaying();
       ShownGame().player.wave = 6;
       ShownGame().player.wave_parts = 0;
       Frames(1 + 320);
     },
     {0xadf650c1f10daa0cull, 0x815f8de8f41fe4c3ull, 0xb2c3fb928d8a2499ull, 0x8d08e8b0239d6547ull}},
    {"game over",
     [] {
       ToPlaying();
       ShownGame().gameState = STATE_GAMEOVER;
       Frames(40);
     },
     {0x0199578152ff80d7ull, 0x4fcba3cad3b58813ull, 0xf7a3bb349f162fa9ull, 0xd409f5058efb473full}},
    {"autopilot play after half a minute",
     [] {
       autopilotOn = true;
       Frames(1800);
     },
     {0x660adf4a830368b6ull, 0x5c0657dea8ff8f8full, 0x49ff08413e48d599ull, 0x83ddfe0c68477885ull}},
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
