// The built sound effects: every file the game loads must be there, decode
// as the game decodes it, be audible and stay clear of clipping.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "assets_audio/decoded_sound.h"
#include "audio/sfx.h"

namespace skitterworm_test {
namespace {

// Every effect by the name the game loads it under ("sound/NAME.ogg"), taken
// from the game's own table, then the spacers the music player plays between
// in-game tracks.
std::vector<std::string> GameEffects() {
  std::vector<std::string> names;
  for (int i = 0; i < TSfx::kSoundCount; ++i) {
    const std::string path = TSfx::EffectPath(i);
    names.push_back(path.substr(6, path.size() - 6 - 4));
  }
  return names;
}
const std::vector<std::string> kEffects = GameEffects();
const std::vector<std::string> kSpacers = {"musicspacer", "musicspacer2", "musicspacer3"};

DecodedSound load(const std::string& name) { return decode_ogg(data_path("sound/" + name + ".ogg")); }

TEST(SoundFiles, EveryEffectAndSpacerDecodesAtGameRate) {
  ASSERT_EQ(kEffects.size(), 46u);
  std::vector<std::string> all = kEffects;
  all.insert(all.end(), kSpacers.begin(), kSpacers.end());
  for (const std::string& name : all) {
    SCOPED_TRACE(name);
    DecodedSound sound = load(name);
    ASSERT_TRUE(sound.ok);
    EXPECT_EQ(sound.rate, 44100);
    EXPECT_EQ(sound.channels, 1);
    // Effects are short and punchy; nothing the game plays as an effect
    // should run on past a few seconds.
    EXPECT_GT(sound.seconds(), 0.05);
    EXPECT_LT(sound.seconds(), 3.0);
  }
}

TEST(SoundFiles, EverySoundIsAudibleAndUnclipped) {
  std::vector<std::string> all = kEffects;
  all.insert(all.end(), kSpacers.begin(), kSpacers.end());
  for (const std::string& name : all) {
    SCOPED_TRACE(name);
    DecodedSound sound = load(name);
    ASSERT_TRUE(sound.ok);
    EXPECT_GT(to_db(rms_of(sound.samples)), -35.0);
    EXPECT_LT(to_db(peak_of(sound.samples)), -1.0);
    EXPECT_LE(clipped_samples(sound.samples), 3);
    // Every sound fades in and out rather than starting or stopping on a click.
    EXPECT_LT(std::fabs(sound.samples.back()), 0.02);
    if (name != "saucer" && name != "shield-hum") EXPECT_LT(std::fabs(sound.samples.front()), 0.002);
  }
}

TEST(SoundFiles, SpacersLastOneToThreeSeconds) {
  for (const std::string& name : kSpacers) {
    SCOPED_TRACE(name);
    DecodedSound sound = load(name);
    ASSERT_TRUE(sound.ok);
    EXPECT_GE(sound.seconds(), 1.0);
    EXPECT_LE(sound.seconds(), 3.0);
  }
}

// The hums loop for as long as a saucer flies or the shield is up: the loop
// point must not click after Vorbis coding either.
TEST(SoundFiles, LoopingHumsJoinWithoutAClick) {
  for (const std::string name : {"saucer", "shield-hum"}) {
    SCOPED_TRACE(name);
    DecodedSound sound = load(name);
    ASSERT_TRUE(sound.ok);
    ASSERT_GT(sound.samples.size(), 1000u);
    const std::vector<float>& s = sound.samples;
    EXPECT_LT(std::fabs(s.front()), 0.03);
    EXPECT_LT(std::fabs(s.back()), 0.03);
    // The step from the last sample back to the first is no larger than the
    // steps inside the sound.
    double largest_step = 0.0;
    for (size_t i = 1; i < s.size(); ++i) largest_step = std::max(largest_step, std::fabs(double(s[i]) - s[i - 1]));
    EXPECT_LE(std::fabs(double(s.front()) - s.back()), largest_step);
  }
}

// The blaster grows with the laser level: each level carries more energy.
TEST(SoundFiles, BlasterGetsStrongerWithEachLaserLevel) {
  double previous = 0.0;
  for (const std::string name : {"blaster", "blaster2", "blaster3", "blaster4"}) {
    SCOPED_TRACE(name);
    DecodedSound sound = load(name);
    ASSERT_TRUE(sound.ok);
    double energy = 0.0;
    for (float x : sound.samples) energy += double(x) * x;
    EXPECT_GT(energy, previous * 1.1);
    previous = energy;
  }
}

}  // namespace
}  // namespace skitterworm_test
