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
     {0x76c3ca0647c5923aull, 0x5c74a20178ac584bull, 0xaffd44e8268469cdull, 0xe73bc21906e804bfull}},
    {"playfield with chain and HUD",
     [] {
       ToPlaying();
       Frames(90);
     },
     {0xd824672e104d973aull, 0x730860c5dc7a369dull, 0x77e82975c7011738ull, 0x9471ea25bbd231d3ull}},
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
     {0xfe25a9786cd4557cull, 0x052248f771b293e4ull, 0x31095d92f607a7ebull, 0x7419a32e77e6ffe7ull}},
    {"pause",
     [] {
       ToPlaying();
       Frames(30);
       Tap(vk::kP);
       Frames(3);
     },
     {0x8dc04399e4ae9331ull, 0x76cc6cf8f540dce3ull, 0x6deeebeca6db6292ull, 0x5d17ef11bddafb07ull}},
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
     {0xeccd66d7302953caull, 0x354885374b6ada6bull, 0xe697876684c40acdull, 0x6429b67495194edfull}},
    {"autopilot play after half a minute",
     [] {
       autopilotOn = true;
       Frames(1800);
     },
     {0x675db398402de5eaull, 0x68cc0a74a0cbc4ffull, 0x64bda728a1e247e3ull, 0x135ad31fc3c37895ull}},
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
