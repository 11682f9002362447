// The sound effects over an offline mixer: loading once in table order, the
// one-shot rotation and the hums.
#include "audio/sfx.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "audio/audio.h"
#include "audio/audio_fixtures.h"
#include "audio/audio_startup.h"
#include "persist/config.h"
#include "persist/records.h"
#include "platform/headless/headless_backend.h"
#include "platform/paths.h"

namespace audio_test {
namespace {

// The effect files in the order the game loads them.
const char* const kEffectFiles[TSfx::kSoundCount] = {"waveappear",
                                                     "gameover",
                                                     "blaster",
                                                     "blaster2",
                                                     "blaster3",
                                                     "blaster4",
                                                     "spider",
                                                     "snail-spawn",
                                                     "snail-mushroom",
                                                     "snail-die",
                                                     "saucer-poison",
                                                     "saucer-die",
                                                     "player-die",
                                                     "crawl-dive",
                                                     "crawl-die",
                                                     "extralife",
                                                     "shield-fade",
                                                     "smartbomb-explode",
                                                     "missile-launch",
                                                     "missile-explode",
                                                     "mine-appear",
                                                     "mine-explode",
                                                     "railblast-launch",
                                                     "railblast-start",
                                                     "railblast-bleep",
                                                     "railblast",
                                                     "radar-blip",
                                                     "radar-detect",
                                                     "hurryup",
                                                     "warden-appear",
                                                     "warden-shoot",
                                                     "stageclear1",
                                                     "stageclear2",
                                                     "powerup-laser",
                                                     "powerup-x2",
                                                     "powerup-x3",
                                                     "powerup-x5",
                                                     "powerup-shield",
                                                     "powerup-freeaction",
                                                     "powerup-radar",
                                                     "powerup-bomb",
                                                     "powerup-mines",
                                                     "powerup-railblast",
                                                     "powerup-missile",
                                                     "saucer",
                                                     "shield-hum"};

class SfxTest : public ::testing::Test {
 protected:
  // Effect number i lasts (i + 1) * 10 ms, so every field shows which file it got.
  static void SetUpTestSuite() {
    data = new TempDir();
    MakeDirs(*data / "sound");
    for (int i = 0; i < TSfx::kSoundCount; ++i)
      WriteOgg(*data / ("sound/" + std::string(kEffectFiles[i]) + ".ogg"), Sine(441 * (i + 1), 500, 0.2f));
  }
  static void TearDownTestSuite() {
    delete data;
    data = nullptr;
  }

  void SetUp() override {
    UseHeadlessBackend();
    SetDataDir(data->path());
    fmodSystem.Create();
    ASSERT_EQ(fmodSystem.InitOffline(), 0);
    fmodState = TFMod{};
    fmodState.initialised = 1;
    sfx = TSfx{};
    config.sound = 1;
    sfx.Initialise();
  }
  void TearDown() override {
    sfx.ReleaseAll();
    fmodSystem.Create();
  }

  static inline TempDir* data = nullptr;
};

TEST_F(SfxTest, LoadsEveryEffectOnceInTableOrder) {
  EXPECT_EQ(sfx.soundloaded, 1);
  EXPECT_EQ(fmodSystem.sound_count(), 46u);
  EXPECT_EQ(fmodSystem.GetLength(sfx.sndWaveAppear), 10);
  EXPECT_EQ(fmodSystem.GetLength(sfx.sndBlaster4), 60);
  EXPECT_EQ(fmodSystem.GetLength(sfx.sndCrawlDie), 150);
  EXPECT_EQ(fmodSystem.GetLength(sfx.sndPwrLaser), 340);
  EXPECT_EQ(fmodSystem.GetLength(sfx.sndSaucer), 450);
  EXPECT_EQ(fmodSystem.GetLength(sfx.sndShieldHum), 460);
  EXPECT_TRUE(sfx.sndSaucer->loops());
  EXPECT_TRUE(sfx.sndShieldHum->loops());
  EXPECT_FALSE(sfx.sndPwrMissiles->loops());

  Sound* const before = sfx.sndCrawlDie;
  sfx.Load();
  sfx.Initialise();
  EXPECT_EQ(fmodSystem.sound_count(), 46u);
  EXPECT_EQ(sfx.sndCrawlDie, before);

  sfx.ReleaseAll();
  EXPECT_EQ(fmodSystem.sound_count(), 0u);
  EXPECT_EQ(sfx.sndCrawlDie, nullptr);
}

TEST_F(SfxTest, TwentySeventhEffectInOneFrameCutsOffTheFirst) {
  std::vector<Channel> started;
  for (int i = 0; i < 27; ++i) {
    sfx.Play(sfx.sndPwrShield);  // 380 ms: all still sounding at the end of the frame
    started.push_back(sfx.chnSfx);
  }
  EXPECT_EQ(started[0].index, 7);
  EXPECT_EQ(started[24].index, 31);
  EXPECT_EQ(started[25].index, 6);
  EXPECT_EQ(started[26].index, 7);
  Render(fmodSystem, 1024);
  EXPECT_FALSE(started[0].IsPlaying());
  for (int i = 1; i < 27; ++i) EXPECT_TRUE(started[i].IsPlaying()) << i;

  // Initialise starts the rotation over.
  sfx.Initialise();
  sfx.Play(sfx.sndSpider);
  EXPECT_EQ(sfx.chnSfx.index, 7);
}

TEST_F(SfxTest, SoundOffAtGameStartLeavesNoHumChannels) {
  config.sound = 0;
  sfx.StartHums();
  EXPECT_FALSE(sfx.chnSaucer.Exists());
  EXPECT_FALSE(sfx.chnShield.Exists());
  sfx.SetSaucerHum(true);  // a saucer arriving later finds nothing to unpause
  sfx.SetShieldHum(true);
  EXPECT_EQ(Energy(Render(fmodSystem, 4096)), 0.0);
}

TEST_F(SfxTest, HumsStartPausedAndFollowTheGame) {
  sfx.StartHums();
  ASSERT_TRUE(sfx.chnSaucer.Exists());
  EXPECT_EQ(sfx.chnSaucer.index, 4);
  EXPECT_EQ(sfx.chnShield.index, 5);
  EXPECT_EQ(Energy(Render(fmodSystem, 4096)), 0.0);

  sfx.SetSaucerHum(true);
  // The hum loops: far past its 450 ms it still sounds.
  const std::vector<float> saucer = Render(fmodSystem, 44100);
  EXPECT_GT(Energy(saucer, 2 * 40000), 1.0);
  sfx.SetSaucerHum(false);
  sfx.SetShieldHum(true);
  EXPECT_GT(Energy(Render(fmodSystem, 4096)), 1.0);
  sfx.PauseHums();
  EXPECT_EQ(Energy(Render(fmodSystem, 4096)), 0.0);
  EXPECT_TRUE(sfx.chnShield.IsPlaying());
}

}  // namespace
}  // namespace audio_test
