// The music playlist over an offline mixer and the headless clock: the
// folder scan, the two-minute rule, spacers and the shuffle.
#include "audio/music.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "audio/audio.h"
#include "audio/audio_fixtures.h"
#include "audio/audio_startup.h"
#include "core/common.h"
#include "platform/clock.h"
#include "platform/headless/headless_backend.h"
#include "platform/paths.h"
#include "platform/random.h"

namespace audio_test {
namespace {

class MusicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clock = &UseHeadlessBackend();
    SetDataDir(dir.path());
    MakeDirs(dir / "sound");
    MakeDirs(dir / "music");
    // Spacers of 0.1 s.
    for (const char* name : {"musicspacer", "musicspacer2", "musicspacer3"})
      ASSERT_TRUE(WriteOgg(dir / ("sound/" + std::string(name) + ".ogg"), Sine(4410, 600, 0.2f)));
    fmodSystem.Create();
    ASSERT_EQ(fmodSystem.InitOffline(), 0);
    fmodState = TFMod{};
    fmodState.initialised = 1;
    music = TMusic{};
    Tick(0);
  }
  void TearDown() override {
    music.ReleaseAll();
    fmodSystem.Create();
  }

  void AddTrack(const std::string& name, const std::vector<uint8_t>& bytes) {
    MakeDirs(dir / "music/ingame");
    ASSERT_TRUE(WriteFile(dir / ("music/ingame/" + name), bytes));
  }
  // Moves the game clock on and runs one in-play music frame.
  void Tick(int64_t ms) {
    clock->AdvanceMillis(ms);
    timeNow = MilliSecs();
    music.Update();
  }
  // Lets the mixer play long enough for a spacer to end.
  void PlaySpacerOut() { Render(fmodSystem, 8192); }

  // A row lasts 120 ms: 50-row patterns make 6 s per order.
  static std::vector<uint8_t> Seconds(int seconds) { return MakeMod(seconds / 6, 6, 125, 50); }

  TempDir dir;
  HeadlessBackend* clock = nullptr;
};

TEST_F(MusicTest, FolderScanTakesModulesInAnyLetterCase) {
  AddTrack("one.XM", Seconds(30));  // the format comes from the bytes, the choice from the name
  AddTrack("two.Mod", Seconds(30));
  AddTrack("three.mOd", Seconds(30));
  AddTrack("readme.txt", Seconds(30));
  AddTrack("noext", Seconds(30));
  music.Initialise();
  EXPECT_EQ(music.CountIngame(), 3);
  EXPECT_EQ(music.mus_ingame.size(), 3u);
  EXPECT_EQ(music.pl.size(), 3u);
  for (Sound* s : music.mus_ingame) EXPECT_NE(s, nullptr);
  EXPECT_EQ(music.musicloaded, 1);
}

TEST_F(MusicTest, DamagedTrackIsLeftOutOfThePlaylist) {
  AddTrack("good.mod", Seconds(30));
  AddTrack("bad.xm", std::vector<uint8_t>(100, 7));
  music.Initialise();
  EXPECT_EQ(music.CountIngame(), 2);
  ASSERT_EQ(music.pl.size(), 1u);
  music.Play(MUSIC_INGAME);
  EXPECT_TRUE(music.chnMusic.IsPlaying());
}

TEST_F(MusicTest, ThirtySecondTrackLoopsForTwoMinutesThenTheSpacerPlays) {
  AddTrack("short.mod", Seconds(30));
  music.Initialise();
  music.Play(MUSIC_INGAME);
  EXPECT_EQ(music.length, 30000);
  Tick(119999);
  EXPECT_EQ(music.ingap, 0);
  EXPECT_TRUE(music.chnMusic.IsPlaying());
  Tick(1);
  EXPECT_EQ(music.ingap, 1);
  EXPECT_FALSE(music.chnMusic.IsPlaying());
  EXPECT_TRUE(music.chnSpacer.IsPlaying());
  EXPECT_EQ(music.chnSpacer.index, CHANNEL_SPACER);
}

TEST_F(MusicTest, ThreeMinuteTrackPlaysOnceToItsEnd) {
  AddTrack("long.mod", Seconds(180));
  music.Initialise();
  music.Play(MUSIC_INGAME);
  EXPECT_EQ(music.length, 180000);
  Tick(120000);
  EXPECT_EQ(music.ingap, 0);
  Tick(59999);
  EXPECT_EQ(music.ingap, 0);
  Tick(1);
  EXPECT_EQ(music.ingap, 1);
}

TEST_F(MusicTest, SingleTrackRestartsAfterEverySpacer) {
  AddTrack("only.mod", Seconds(30));
  music.Initialise();
  ASSERT_EQ(music.pl, std::vector<uint16_t>{0});
  music.Play(MUSIC_INGAME);
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    Tick(120000);
    ASSERT_EQ(music.ingap, 1);
    Tick(16);
    EXPECT_EQ(music.ingap, 1);  // the spacer has not been mixed yet
    PlaySpacerOut();
    Tick(16);
    EXPECT_EQ(music.ingap, 0);
    EXPECT_EQ(music.pl_current, 0);
    EXPECT_TRUE(music.chnMusic.IsPlaying());
    EXPECT_EQ(music.timestart, static_cast<int32_t>(timeNow));
  }
}

TEST_F(MusicTest, NextTrackWalksThePlaylistAndWraps) {
  AddTrack("a.mod", Seconds(6));
  AddTrack("b.mod", Seconds(12));
  AddTrack("c.mod", Seconds(18));
  music.Initialise();
  music.Play(MUSIC_INGAME);
  std::vector<int32_t> lengths{music.length};
  for (int i = 0; i < 3; ++i) {
    music.NextTrack();
    lengths.push_back(music.length);
  }
  EXPECT_EQ(music.pl_current, 0);
  EXPECT_EQ(lengths[3], lengths[0]);
  std::vector<int32_t> seen(lengths.begin(), lengths.begin() + 3);
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(seen, (std::vector<int32_t>{6000, 12000, 18000}));
}

TEST_F(MusicTest, ShuffleIsAPermutationForAnyNumberOfTracks) {
  for (size_t n : {0u, 1u, 2u, 7u, 300u}) {
    SCOPED_TRACE(n);
    music.pl.assign(n, 9);
    bool moved = false;
    for (int attempt = 0; attempt < 5; ++attempt) {
      music.Shuffle();
      std::vector<uint16_t> sorted = music.pl;
      std::sort(sorted.begin(), sorted.end());
      std::vector<uint16_t> identity(n);
      std::iota(identity.begin(), identity.end(), uint16_t{0});
      ASSERT_EQ(sorted, identity);
      moved = moved || music.pl != identity;
    }
    // Two tracks swap an even number of times as often as not; more always mix.
    if (n != 2) EXPECT_EQ(moved, n > 1);
  }
  music.pl.assign(4, 0);
  music.pl_current = 3;
  music.Shuffle();
  EXPECT_EQ(music.pl_current, 3);  // a new game goes on from the same place
}

TEST_F(MusicTest, EmptyOrMissingInGameFolderPlaysNothing) {
  for (bool make_folder : {false, true}) {
    SCOPED_TRACE(make_folder);
    if (make_folder) MakeDirs(dir / "music/ingame");
    music.ReleaseAll();
    music = TMusic{};
    music.Initialise();
    EXPECT_EQ(music.CountIngame(), 0);
    EXPECT_TRUE(music.pl.empty());
    music.Play(MUSIC_INGAME);
    music.NextTrack();
    EXPECT_FALSE(music.chnMusic.Exists());
    EXPECT_EQ(music.pl_current, 0);
    Tick(300000);
    EXPECT_EQ(music.ingap, 0);
    EXPECT_FALSE(music.chnSpacer.Exists());
    EXPECT_EQ(Energy(Render(fmodSystem, 4096)), 0.0);
  }
}

TEST_F(MusicTest, MenuTuneLoopsOnTheMusicChannelAndStopEndsIt) {
  ASSERT_TRUE(WriteFile(dir / "music/lumen_fishland08.xm", MakeMod(1, 2, 250)));
  music.Initialise();
  ASSERT_NE(music.mus_menu, nullptr);
  EXPECT_EQ(music.mus_highscore, nullptr);  // missing: plays as silence
  music.Play(MUSIC_MENU);
  EXPECT_EQ(music.chnMusic.index, CHANNEL_MUSIC);
  EXPECT_GT(Energy(Render(fmodSystem, 44100 * 2), 2 * 60000), 1.0);  // past its 1.28 s
  music.Play(MUSIC_HIGHSCORE);
  EXPECT_FALSE(music.chnMusic.IsPlaying());
  music.Play(MUSIC_MENU);
  music.Stop();
  EXPECT_FALSE(music.chnMusic.IsPlaying());
  EXPECT_EQ(Energy(Render(fmodSystem, 4096)), 0.0);
}

}  // namespace
}  // namespace audio_test
