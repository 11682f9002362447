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
#include "gl_test_support.h"
#include "persist/config.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "platform/input_state.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "platform/sdl/sdl_backend.h"
#include "player/autopilot.h"
#include "player/bullet.h"
#include "player/particle.h"
#include "player/player.h"
#include "player/statistics.h"
#include "world/hurry_up.h"
#include "world/playfield.h"
#include "world/skitterworm.h"

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
  config = TConfig{};
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
  CreateGlobals();
  gameTimer = Timer(60);
  KillParticles();
  lstEnemies.Clear();
  playfield = TPlayfield{};
  player = TPlayer{};
  bullet = TBullet{};
  statsStage.Reset();
  statsGame.Reset();
  ResetChains();
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
     {0xed7ed8c120391d03ull, 0x34bb3ac349073097ull, 0x85b9391dc4b1fdb6ull, 0x670894fb08c2a463ull}},
    {"playfield with chain and HUD",
     [] {
       ToPlaying();
       Frames(90);
     },
     {0x06c5fb4089ddd433ull, 0xb45ae178a7910b4dull, 0xa3c25bbd39dad8ffull, 0x41fed900600fb293ull}},
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
     {0x468d48092d715cdcull, 0xbccd05dd1ce25250ull, 0xe3d2dc5f34c62c41ull, 0x76fe8a89cd3cc863ull}},
    {"pause",
     [] {
       ToPlaying();
       Frames(30);
       Tap(vk::kP);
       Frames(3);
     },
     {0xd1b1a148140c2bb5ull, 0xcbdb2c910e4d7057ull, 0x1626623170fca53full, 0x9fbed1202ffce073ull}},
    {"tally with bonus and prompt",
     [] {
       ToPlaying();
       player.wave = 6;
       player.wave_parts = 0;
       Frames(1 + 320);
     },
     {0x12d3bb45d283fb98ull, 0x937e0bd3b89abad7ull, 0x1de759074c08899aull, 0xd743516eabec1b33ull}},
    {"game over",
     [] {
       ToPlaying();
       gameState = STATE_GAMEOVER;
       Frames(40);
     },
     {0x33d4306ecce9e4f3ull, 0xb8a0d893f90ce849ull, 0x57556ed4dfc2e246ull, 0x2b6f571116a2a0e3ull}},
    {"autopilot play after half a minute",
     [] {
       autopilotOn = true;
       Frames(1800);
     },
     {0x2c37b7a0abf10321ull, 0xd072cf4382d8fc2full, 0x14b654bccfe41fbfull, 0x854cb4c5289a9b83ull}},
};

class GamePicture : public GlPictureTest {
 protected:
  void TearDown() override {
    if (HaveDisplay()) {
      EndGraphics();
      ReleaseAllImages();
    }
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
