// The mixer, rendered offline: channels by index, pause and resume, the end
// of a one-shot, looping modules, exact lengths and unreadable files.
#include "audio/mixer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

#include "audio/audio_fixtures.h"

namespace audio_test {
namespace {

class MixerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir.path().empty());
    ASSERT_EQ(system.InitOffline(), 0);
  }

  // A mono Ogg effect of the given sine, with its reference decode.
  Sound* MakeEffect(const std::string& name, int frames, float hz, int mode = SOUND_LOOP_OFF) {
    const std::string path = dir / name;
    EXPECT_TRUE(WriteOgg(path, Sine(frames, hz, 0.3f)));
    return system.CreateSound(path, mode);
  }

  // Expects out[from..] to equal ref[ref_from..] for frames stereo frames.
  static void ExpectSame(const std::vector<float>& out, size_t from, const std::vector<float>& ref, size_t ref_from,
                         size_t frames) {
    ASSERT_GE(out.size(), (from + frames) * 2);
    ASSERT_GE(ref.size(), (ref_from + frames) * 2);
    for (size_t i = 0; i < frames * 2; ++i) ASSERT_FLOAT_EQ(out[from * 2 + i], ref[ref_from * 2 + i]) << "at " << i;
  }

  TempDir dir;
  AudioSystem system;
};

TEST_F(MixerTest, StartingOnAnIndexReplacesWhatPlayedThere) {
  Sound* low = MakeEffect("low.ogg", 44100, 220);
  Sound* high = MakeEffect("high.ogg", 44100, 1000);
  ASSERT_NE(low, nullptr);
  ASSERT_NE(high, nullptr);
  const std::vector<float> ref_high = DecodeOggStereo(dir / "high.ogg");

  Channel first = system.PlaySound(7, low, false);
  Render(system, 2000);
  Channel second = system.PlaySound(7, high, false);
  EXPECT_FALSE(first.IsPlaying());
  EXPECT_TRUE(second.IsPlaying());
  // Only the new sound is heard, from its start.
  ExpectSame(Render(system, 4000), 0, ref_high, 0, 4000);

  // The old handle no longer reaches the index.
  first.Stop();
  first.SetPaused(true);
  EXPECT_TRUE(second.IsPlaying());
  ExpectSame(Render(system, 1000), 0, ref_high, 4000, 1000);
}

TEST_F(MixerTest, SixteenBitEffectsMixExactlyMonoOnBothSides) {
  struct Case {
    int channels;
    std::vector<int16_t> samples;
    std::vector<float> expected;  // stereo out
  };
  const float q = kPcm16Scale;
  const Case cases[] = {
      {1, {1000, -2000}, {1000 * q, 1000 * q, -2000 * q, -2000 * q}},
      {2, {1000, -2000, 24000, -24000}, {1000 * q, -2000 * q, 24000 * q, -24000 * q}},  // below the soft knee
  };
  for (const Case& c : cases) {
    system.PlaySound(5, system.AddSound(Sound::FromPcm(c.samples, c.channels, false)), false);
    const std::vector<float> out = Render(system, 2);
    for (size_t i = 0; i < c.expected.size(); ++i) EXPECT_EQ(out[i], c.expected[i]) << c.channels << " at " << i;
  }
}

TEST_F(MixerTest, DifferentIndicesMixTogether) {
  Sound* a = MakeEffect("a.ogg", 8000, 300);
  Sound* b = MakeEffect("b.ogg", 8000, 700);
  const std::vector<float> ra = DecodeOggStereo(dir / "a.ogg");
  const std::vector<float> rb = DecodeOggStereo(dir / "b.ogg");
  system.PlaySound(7, a, false);
  system.PlaySound(8, b, false);
  const std::vector<float> out = Render(system, 4000);
  for (size_t i = 0; i < 8000; ++i) ASSERT_NEAR(out[i], ra[i] + rb[i], 1e-6);
}

TEST_F(MixerTest, PauseKeepsThePositionAndResumeContinues) {
  Sound* tone = MakeEffect("tone.ogg", 22050, 440);
  const std::vector<float> ref = DecodeOggStereo(dir / "tone.ogg");
  Channel ch = system.PlaySound(9, tone, false);
  ExpectSame(Render(system, 3000), 0, ref, 0, 3000);

  ch.SetPaused(true);
  EXPECT_TRUE(ch.IsPlaying());  // a paused channel still counts as playing
  EXPECT_EQ(Energy(Render(system, 5000)), 0.0);

  ch.SetPaused(false);
  ExpectSame(Render(system, 3000), 0, ref, 3000, 3000);

  // Started paused, a sound waits at its first frame.
  Channel waiting = system.PlaySound(9, tone, true);
  EXPECT_EQ(Energy(Render(system, 2000)), 0.0);
  waiting.SetPaused(false);
  ExpectSame(Render(system, 2000), 0, ref, 0, 2000);
}

TEST_F(MixerTest, OneShotStopsPlayingAtItsEndAndStopSilences) {
  Sound* blip = MakeEffect("blip.ogg", 4410, 880);
  Channel ch = system.PlaySound(10, blip, false);
  Render(system, 4000);
  EXPECT_TRUE(ch.IsPlaying());
  const std::vector<float> tail = Render(system, 2000);
  EXPECT_FALSE(ch.IsPlaying());
  EXPECT_EQ(Energy(tail, 410 * 2), 0.0);  // nothing after the last frame

  Channel again = system.PlaySound(10, blip, false);
  EXPECT_TRUE(again.IsPlaying());
  again.Stop();
  EXPECT_FALSE(again.IsPlaying());
  EXPECT_EQ(Energy(Render(system, 1000)), 0.0);
}

TEST_F(MixerTest, LoopingEffectWrapsAround) {
  Sound* hum = MakeEffect("hum.ogg", 1000, 441, SOUND_LOOP_NORMAL);
  const std::vector<float> ref = DecodeOggStereo(dir / "hum.ogg");
  ASSERT_EQ(ref.size(), 2000u);
  Channel ch = system.PlaySound(4, hum, false);
  const std::vector<float> out = Render(system, 3500);
  EXPECT_TRUE(ch.IsPlaying());
  ExpectSame(out, 2000, ref, 0, 1000);
  ExpectSame(out, 3000, ref, 0, 500);
}

TEST_F(MixerTest, LengthsInMillisecondsAreExact) {
  EXPECT_EQ(system.GetLength(MakeEffect("half.ogg", 22050, 440)), 500);
  // A 22.05 kHz effect is resampled to the mix rate and keeps its duration.
  ASSERT_TRUE(WriteOgg(dir / "low-rate.ogg", Sine(5512, 440, 0.3f, 22050), 22050));
  EXPECT_EQ(system.GetLength(system.CreateSound(dir / "low-rate.ogg", SOUND_LOOP_OFF)), 249);

  // A row at speed 6 and 125 bpm lasts 120 ms: 64 rows 7.68 s, five orders
  // of 50 rows 30 s.
  ASSERT_TRUE(WriteFile(dir / "one.mod", MakeMod(1, 6, 125)));
  ASSERT_TRUE(WriteFile(dir / "five.mod", MakeMod(5, 6, 125, 50)));
  EXPECT_EQ(system.GetLength(system.CreateSound(dir / "one.mod", SOUND_LOOP_NORMAL | SOUND_ACCURATE_TIME)), 7680);
  EXPECT_EQ(system.GetLength(system.CreateSound(dir / "five.mod", SOUND_LOOP_OFF)), 30000);
  EXPECT_EQ(system.GetLength(nullptr), 0);
}

TEST_F(MixerTest, LoopingModuleKeepsPlayingPastItsLengthAndOneShotEnds) {
  // 64 rows at speed 2 and 250 bpm: 1.28 s.
  ASSERT_TRUE(WriteFile(dir / "short.mod", MakeMod(1, 2, 250)));
  Sound* looping = system.CreateSound(dir / "short.mod", SOUND_LOOP_NORMAL | SOUND_ACCURATE_TIME);
  ASSERT_NE(looping, nullptr);
  ASSERT_EQ(system.GetLength(looping), 1280);
  Channel ch = system.PlaySound(1, looping, false);
  std::vector<float> out = Render(system, 44100 * 3);
  EXPECT_TRUE(ch.IsPlaying());
  // Every half second, well past 1.28 s, still carries sound.
  for (int half = 0; half < 6; ++half) EXPECT_GT(Energy(out, half * 44100, (half + 1) * 44100), 1.0) << half;

  Sound* once = system.CreateSound(dir / "short.mod", SOUND_LOOP_OFF);
  Channel single = system.PlaySound(2, once, false);
  ch.Stop();
  out = Render(system, 44100 * 2);
  EXPECT_FALSE(single.IsPlaying());
  EXPECT_GT(Energy(out, 0, 44100), 1.0);
  EXPECT_EQ(Energy(out, 2 * 70000), 0.0);  // silent from 1.6 s on
}

TEST_F(MixerTest, RestartingAModuleBeginsAtItsStart) {
  ASSERT_TRUE(WriteFile(dir / "short.mod", MakeMod(1, 2, 250)));
  Sound* tune = system.CreateSound(dir / "short.mod", SOUND_LOOP_NORMAL);
  system.PlaySound(1, tune, false);
  const std::vector<float> start = Render(system, 4096);
  Render(system, 30000);
  system.PlaySound(1, tune, false);
  const std::vector<float> again = Render(system, 4096);
  for (size_t i = 0; i < start.size(); ++i) ASSERT_NEAR(again[i], start[i], 1e-5) << i;
}

// A module's player (the whole song unpacked) exists only while a channel
// wants the module, paused or not; made again, it starts as the first time.
TEST_F(MixerTest, OnlyWantedModulesHoldAPlayer) {
  ASSERT_TRUE(WriteFile(dir / "short.mod", MakeMod(1, 2, 250)));
  Sound* tune = system.CreateSound(dir / "short.mod", SOUND_LOOP_NORMAL);
  Sound* other = system.CreateSound(dir / "short.mod", SOUND_LOOP_NORMAL);
  ASSERT_NE(tune, nullptr);
  EXPECT_EQ(tune->module(), nullptr) << "loaded, not yet played";
  system.PlaySound(1, tune, false);
  const std::vector<float> start = Render(system, 4096);
  EXPECT_NE(tune->module(), nullptr);
  system.PlaySound(1, other, false);
  EXPECT_EQ(tune->module(), nullptr) << "replaced";
  Channel paused = system.PlaySound(2, tune, true);
  EXPECT_NE(tune->module(), nullptr) << "paused";
  paused.Stop();
  EXPECT_EQ(tune->module(), nullptr) << "stopped";
  system.PlaySound(1, tune, false);
  const std::vector<float> again = Render(system, 4096);
  for (size_t i = 0; i < start.size(); ++i) ASSERT_NEAR(again[i], start[i], 1e-5) << i;
}

TEST_F(MixerTest, MissingOrDamagedFilesGiveSilentNullSounds) {
  EXPECT_EQ(system.CreateSound(dir / "absent.ogg", SOUND_LOOP_OFF), nullptr);
  ASSERT_EQ(::mkfifo((dir / "pipe.ogg").c_str(), 0600), 0);  // no one writes to it: refused, never waited on
  EXPECT_EQ(system.CreateSound(dir / "pipe.ogg", SOUND_LOOP_OFF), nullptr);
  ASSERT_TRUE(WriteFile(dir / "notes.txt", std::string("not a sound at all")));
  EXPECT_EQ(system.CreateSound(dir / "notes.txt", SOUND_LOOP_OFF), nullptr);
  ASSERT_TRUE(WriteOgg(dir / "whole.ogg", Sine(22050, 440, 0.3f)));
  std::vector<uint8_t> cut(40, 0);
  std::memcpy(cut.data(), "OggS", 4);
  ASSERT_TRUE(WriteFile(dir / "cut.ogg", cut));
  EXPECT_EQ(system.CreateSound(dir / "cut.ogg", SOUND_LOOP_OFF), nullptr);

  // Playing nothing silences the index and is never "playing".
  Sound* tone = MakeEffect("tone.ogg", 22050, 440);
  system.PlaySound(12, tone, false);
  Channel none = system.PlaySound(12, nullptr, false);
  EXPECT_FALSE(none.IsPlaying());
  EXPECT_EQ(Energy(Render(system, 1000)), 0.0);
}

// The Ogg page checksum (CRC-32, polynomial 0x04C11DB7, no reflection).
uint32_t OggCrc(const uint8_t* data, size_t n) {
  uint32_t crc = 0;
  for (size_t i = 0; i < n; ++i) {
    crc ^= uint32_t(data[i]) << 24;
    for (int b = 0; b < 8; ++b) crc = crc & 0x80000000u ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
  }
  return crc;
}

// Rewrites the sample rate in the first page's identification header, with a
// valid checksum, so only the claim is wrong.
void ClaimRate(std::vector<uint8_t>& ogg, uint32_t rate) {
  const size_t segments = ogg[26];
  size_t length = 27 + segments;
  for (size_t i = 0; i < segments; ++i) length += ogg[27 + i];
  const size_t packet = 27 + segments;
  for (int i = 0; i < 4; ++i) ogg[packet + 12 + i] = uint8_t(rate >> (8 * i));
  for (int i = 0; i < 4; ++i) ogg[22 + i] = 0;
  const uint32_t crc = OggCrc(ogg.data(), length);
  for (int i = 0; i < 4; ++i) ogg[22 + i] = uint8_t(crc >> (8 * i));
}

TEST_F(MixerTest, AssetsClaimingTooMuchOrUnreadableGiveNullSounds) {
  ASSERT_TRUE(WriteOgg(dir / "tone.ogg", Sine(4410, 440, 0.3f)));
  std::ifstream in(dir / "tone.ogg", std::ios::binary);
  std::vector<uint8_t> ogg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (uint32_t rate : {1u, 7u, 4000000u}) {
    ClaimRate(ogg, rate);
    ASSERT_TRUE(WriteFile(dir / "claims.ogg", ogg));
    EXPECT_EQ(system.CreateSound(dir / "claims.ogg", SOUND_LOOP_OFF), nullptr) << rate << " Hz";
  }
  MakeDirs(dir / "music/track.xm");  // a folder in a module's place
  EXPECT_EQ(system.CreateSound(dir / "music/track.xm", SOUND_LOOP_NORMAL), nullptr);
}

TEST_F(MixerTest, CrowdedMixStaysWithinFullScale) {
  ASSERT_TRUE(WriteOgg(dir / "loud.ogg", Sine(8000, 200, 0.9f)));
  Sound* loud = system.CreateSound(dir / "loud.ogg", SOUND_LOOP_OFF);
  for (int i = 6; i < 32; ++i) system.PlaySound(i, loud, false);
  const std::vector<float> out = Render(system, 4000);
  float peak = 0;
  for (float s : out) peak = std::max(peak, std::fabs(s));
  EXPECT_LE(peak, 1.0f);
  EXPECT_GT(peak, 0.9f);
}

TEST_F(MixerTest, ReleaseStopsItsChannelsAndUninitialisedPlaysNothing) {
  Sound* tone = MakeEffect("tone.ogg", 22050, 440);
  Channel ch = system.PlaySound(3, tone, false);
  Render(system, 100);
  system.Release(tone);
  EXPECT_FALSE(ch.IsPlaying());
  EXPECT_EQ(Energy(Render(system, 1000)), 0.0);

  AudioSystem idle;
  Sound* quiet = idle.CreateSound(dir / "tone.ogg", SOUND_LOOP_OFF);
  ASSERT_NE(quiet, nullptr);  // sounds load before the device is up
  Channel nothing = idle.PlaySound(3, quiet, false);
  EXPECT_FALSE(nothing.Exists());
  EXPECT_FALSE(nothing.IsPlaying());
  EXPECT_FALSE(system.PlaySound(32, nullptr, false).Exists());
}

}  // namespace
}  // namespace audio_test
