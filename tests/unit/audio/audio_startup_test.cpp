// Audio start-up against real SDL audio drivers: a driver that cannot open
// switches sound and music off with one message; switching sound on later
// tries again.
#include "audio/audio_startup.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "audio/audio.h"
#include "audio/mixer.h"
#include "audio/music.h"
#include "audio/sfx.h"
#include "persist/config.h"
#include "persist/records.h"
#include "platform/headless/headless_backend.h"
#include "platform/paths.h"

namespace audio_test {
namespace {

class AudioStartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    backend = &UseHeadlessBackend();
    SetDataDir("/nonexistent-skitterworm-data");  // every sound missing: start-up must not mind
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    saved_driver = driver ? driver : "";
  }
  void TearDown() override {
    ReleaseAudio();
    if (saved_driver.empty())
      unsetenv("SDL_AUDIODRIVER");
    else
      setenv("SDL_AUDIODRIVER", saved_driver.c_str(), 1);
  }

  HeadlessBackend* backend = nullptr;
  std::string saved_driver;
};

TEST_F(AudioStartupTest, NoDeviceSwitchesAudioOffWithOneMessageAndLaterTriesAgain) {
  setenv("SDL_AUDIODRIVER", "nonexistent", 1);
  config.sound = 1;
  config.music = 1;
  StartAudio();
  EXPECT_EQ(backend->notifications(), 1);
  EXPECT_EQ(backend->last_notification(),
            "The sound device could not be opened. Music and sound are off\nfor this run.");
  EXPECT_EQ(config.sound, 0);
  EXPECT_EQ(config.music, 0);
  EXPECT_EQ(fmodState.forbidden, 1);
  EXPECT_EQ(fmodState.initialised, 0);
  EXPECT_FALSE(fmodSystem.initialised());

  // The game goes on silently: a stray call changes nothing.
  sfx.Play(sfx.sndCrawlDie);
  music.Play(MUSIC_MENU);
  EXPECT_FALSE(sfx.chnSfx.Exists());

  // The player switches sound back on in the options, and now a device opens.
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  config.sound = 1;
  sfx.Initialise();
  EXPECT_EQ(fmodState.initialised, 1);
  EXPECT_EQ(fmodState.forbidden, 0);
  EXPECT_TRUE(fmodSystem.has_device());
  EXPECT_EQ(backend->notifications(), 1);
  EXPECT_EQ(sfx.soundloaded, 1);
}

TEST_F(AudioStartupTest, AFailedStartIsNotSavedAsThePlayersChoice) {
  setenv("SDL_AUDIODRIVER", "nonexistent", 1);
  config.sound = 1;
  config.music = 0;
  StartAudio();
  EXPECT_EQ(config.sound, 0) << "off for this run, as the options show";
  EXPECT_EQ(SettingsToSave().sound, 1);
  EXPECT_EQ(SettingsToSave().music, 0);
  // Music chosen on in the options (and failing again) is the player's new choice.
  config.music = 1;
  AudioSettingChosen(false);
  music.Initialise();
  EXPECT_EQ(SettingsToSave().music, 1);
  EXPECT_EQ(SettingsToSave().sound, 1);
}

TEST_F(AudioStartupTest, StartsOnlyWhatTheSettingsEnable) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  config.sound = 0;
  config.music = 0;
  StartAudio();
  EXPECT_FALSE(fmodSystem.initialised());  // nothing asked for: no device at all
  EXPECT_EQ(sfx.soundloaded, 0);
  EXPECT_EQ(music.musicloaded, 0);

  config.music = 1;
  StartAudio();
  EXPECT_TRUE(fmodSystem.has_device());
  EXPECT_EQ(music.musicloaded, 1);
  EXPECT_EQ(sfx.soundloaded, 0);
  EXPECT_EQ(backend->notifications(), 0);

  ReleaseAudio();
  EXPECT_FALSE(fmodSystem.initialised());
  EXPECT_EQ(music.musicloaded, 0);
}

TEST_F(AudioStartupTest, DeviceThreadMixesWhileTheGameChangesChannels) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  AudioSystem system;
  ASSERT_EQ(system.Init(32, 0), 0);
  ASSERT_TRUE(system.has_device());
  Sound* blip = system.AddSound(Sound::FromPcm(std::vector<int16_t>(2205, 3277), 1, false));
  Sound* hum = system.AddSound(Sound::FromPcm(std::vector<int16_t>(441, 1638), 1, true));
  const Channel shot = system.PlaySound(7, blip, false);
  // The game thread keeps starting, pausing and stopping other channels while
  // the device thread mixes; the one-shot on 7 must still run to its end.
  bool ended = false;
  for (int frame = 0; frame < 500 && !ended; ++frame) {
    const Channel c = system.PlaySound(8 + frame % 20, frame % 3 ? blip : hum, frame % 2 == 0);
    c.SetPaused(false);
    if (frame % 5 == 0) c.Stop();
    SDL_Delay(10);
    ended = !shot.IsPlaying();
  }
  EXPECT_TRUE(ended);
  system.Release(hum);  // freed while the device may be mixing it
  system.SystemRelease();
  EXPECT_FALSE(system.has_device());
}

}  // namespace
}  // namespace audio_test
