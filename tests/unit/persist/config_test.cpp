#include "persist/config.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "persist/temp_dir.h"
#include "platform/headless/headless_backend.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The version line the current layout starts with.
Bytes Header(const char* version = "1.2.0") {
  Bytes bytes(version, version + std::char_traits<char>::length(version));
  bytes.push_back(13);
  bytes.push_back(10);
  return bytes;
}

Bytes CurrentFile(const Bytes& fields) {
  Bytes bytes = Header();
  bytes.insert(bytes.end(), fields.begin(), fields.end());
  return bytes;
}

void ExpectDefaultKeys(const TConfig& c) {
  const uint8_t expected[7] = {37, 39, 38, 40, 163, 32, 13};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(c.key[i], expected[i]) << "key " << i;
}

TEST(Config, NewConfigIsAllZeroAndDefaultsAreAWindowAtScaleTwo) {
  TConfig c;
  EXPECT_EQ(c.vmode, 0);
  EXPECT_EQ(c.key[4], 0);
  c.vallow[4] = 1;
  c.SetDefaults();
  EXPECT_EQ(c.sound, 1);
  EXPECT_EQ(c.music, 1);
  EXPECT_EQ(c.vmode, 4);
  EXPECT_EQ(c.vres, 2);
  EXPECT_EQ(c.vscale, 2);
  EXPECT_EQ(c.controls, 2);
  EXPECT_EQ(c.particles, 1);
  EXPECT_EQ(c.online, 1);
  ExpectDefaultKeys(c);
  EXPECT_EQ(c.vallow[4], 1) << "the probe result is not a setting";
}

TEST(Config, FiveByteFileTakesDefaultsForEverythingNewer) {
  TempDir dir;
  dir.Write("s.cfg", {0x01, 0x00, 0x02, 0x01, 0x03});
  TConfig c;
  c.Load(dir.File("s.cfg"));
  EXPECT_EQ(c.sound, 1);
  EXPECT_EQ(c.music, 0);
  EXPECT_EQ(c.vmode, 2);
  EXPECT_EQ(c.vscale, 1);
  EXPECT_EQ(c.controls, 3);
  EXPECT_EQ(c.vres, 2) << "a full-screen mode gets 640x480";
  EXPECT_EQ(c.particles, 1);
  EXPECT_EQ(c.online, 1);
  ExpectDefaultKeys(c);
}

TEST(Config, FiveByteWindowFileKeepsTheCurrentResolution) {
  TempDir dir;
  dir.Write("s.cfg", {0x01, 0x01, 0x04, 0x03, 0x01});
  TConfig fresh;
  fresh.Load(dir.File("s.cfg"));
  EXPECT_EQ(fresh.vmode, 4);
  EXPECT_EQ(fresh.vscale, 3);
  EXPECT_EQ(fresh.vres, 0) << "left for the first switch to full screen to set";

  TConfig used;
  used.vres = 1;
  used.Load(dir.File("s.cfg"));
  EXPECT_EQ(used.vres, 1);
}

TEST(Config, TwelveByteFileKeepsItsSixKeysAndGetsEnterForItems) {
  TempDir dir;
  dir.Write("s.cfg", {0, 1, 3, 1, 4, 1, 65, 68, 87, 83, 17, 70});
  TConfig c;
  c.Load(dir.File("s.cfg"));
  EXPECT_EQ(c.sound, 0);
  EXPECT_EQ(c.music, 1);
  EXPECT_EQ(c.vmode, 3);
  EXPECT_EQ(c.vres, 1);
  EXPECT_EQ(c.vscale, 4);
  EXPECT_EQ(c.controls, 1);
  const uint8_t keys[7] = {65, 68, 87, 83, 17, 70, 13};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(c.key[i], keys[i]) << "key " << i;
  EXPECT_EQ(c.particles, 1);
  EXPECT_EQ(c.online, 1);
}

TEST(Config, SaveWritesExactlyTheCurrentLayoutAndLoadReadsItBack) {
  TempDir dir;
  TConfig c;
  c.SetDefaults();
  c.sound = 0;
  c.vmode = 1;
  c.vres = 1;
  c.vscale = 3;
  c.controls = CONTROLS_JOYPAD;
  c.particles = 3;
  c.online = 0;
  c.key[6] = 90;
  ASSERT_TRUE(c.Save(dir.File("s.cfg")));
  const Bytes expected = CurrentFile({0, 1, 1, 1, 3, 3, 3, 0, 37, 39, 38, 40, 163, 32, 90});
  EXPECT_EQ(dir.Read("s.cfg"), expected);
  EXPECT_EQ(expected.size(), 22u);
  EXPECT_FALSE(std::filesystem::exists(dir.File("s.cfg.tmp")));

  TConfig back;
  back.Load(dir.File("s.cfg"));
  EXPECT_EQ(back.sound, 0);
  EXPECT_EQ(back.vmode, 1);
  EXPECT_EQ(back.vres, 1);
  EXPECT_EQ(back.vscale, 3);
  EXPECT_EQ(back.particles, 3);
  EXPECT_EQ(back.online, 0);
  EXPECT_EQ(back.key[6], 90);
}

TEST(Config, FileOfAnotherVersionIsDeletedAndDefaultsAreUsed) {
  TempDir dir;
  Bytes bytes = Header("1.1.0");
  const Bytes fields = {0, 0, 1, 1, 1, 1, 0, 0, 65, 66, 67, 68, 69, 70, 71};
  bytes.insert(bytes.end(), fields.begin(), fields.end());
  ASSERT_EQ(bytes.size(), 22u);
  dir.Write("s.cfg", bytes);
  TConfig c;
  c.Load(dir.File("s.cfg"));
  EXPECT_FALSE(std::filesystem::exists(dir.File("s.cfg")));
  EXPECT_EQ(c.vmode, 4);
  EXPECT_EQ(c.sound, 1);
  ExpectDefaultKeys(c);
}

TEST(Config, TruncatedFileKeepsDefaultsForTheMissingFields) {
  TempDir dir;
  // Cut after vres: sound off, music off, 16-bit full screen at 320x240.
  dir.Write("s.cfg", CurrentFile({0, 0, 1, 1}));
  TConfig c;
  c.Load(dir.File("s.cfg"));
  EXPECT_EQ(c.sound, 0);
  EXPECT_EQ(c.music, 0);
  EXPECT_EQ(c.vmode, 1);
  EXPECT_EQ(c.vres, 1);
  EXPECT_EQ(c.vscale, 2);
  EXPECT_EQ(c.controls, 2);
  EXPECT_EQ(c.particles, 1);
  ExpectDefaultKeys(c);
  EXPECT_TRUE(std::filesystem::exists(dir.File("s.cfg"))) << "a short file of this version is not thrown away";

  // Cut in the middle of the keys.
  dir.Write("t.cfg", CurrentFile({1, 1, 4, 2, 1, 1, 2, 1, 65, 66, 67}));
  TConfig k;
  k.Load(dir.File("t.cfg"));
  EXPECT_EQ(k.vscale, 1);
  EXPECT_EQ(k.particles, 2);
  EXPECT_EQ(k.key[2], 67);
  EXPECT_EQ(k.key[3], 40);
  EXPECT_EQ(k.key[6], 13);

  // Nothing but the version line.
  dir.Write("u.cfg", Header());
  TConfig e;
  e.Load(dir.File("u.cfg"));
  EXPECT_EQ(e.vmode, 4);
  ExpectDefaultKeys(e);
}

TEST(Config, UnusableValuesFallBackToDefaults) {
  TempDir dir;
  dir.Write("s.cfg", CurrentFile({1, 1, 9, 0, 7, 4, 200, 1, 37, 39, 38, 40, 163, 32, 13}));
  TConfig c;
  c.Load(dir.File("s.cfg"));
  EXPECT_EQ(c.vmode, 4);
  EXPECT_EQ(c.vres, 2);
  EXPECT_EQ(c.vscale, 2);
  EXPECT_EQ(c.controls, 2);
  EXPECT_EQ(c.particles, 1);

  dir.Write("old.cfg", {1, 1, 0, 5, 0});
  TConfig old;
  old.Load(dir.File("old.cfg"));
  EXPECT_EQ(old.vmode, 4);
  EXPECT_EQ(old.vscale, 2);
  EXPECT_EQ(old.controls, 2);

  // The edges of every range are kept.
  dir.Write("edge.cfg", CurrentFile({1, 1, 1, 2, 4, 3, 0, 1, 37, 39, 38, 40, 163, 32, 13}));
  TConfig edge;
  edge.Load(dir.File("edge.cfg"));
  EXPECT_EQ(edge.vmode, 1);
  EXPECT_EQ(edge.vres, 2);
  EXPECT_EQ(edge.vscale, 4);
  EXPECT_EQ(edge.controls, 3);
  EXPECT_EQ(edge.particles, 0);
}

// A key no action may have (none, Escape, pause, the display switches, the
// screenshot) or one key for two actions: the whole set falls back, since the
// defaults are known to work together. Keys of the oldest layout's twelve
// bytes are checked as well.
TEST(Config, UnplayableKeyBindingsFallBackToTheDefaultKeys) {
  const Bytes unplayable[] = {{0, 39, 38, 40, 163, 32, 13},  {37, 27, 38, 40, 163, 32, 13},
                              {37, 39, 80, 40, 163, 32, 13}, {37, 39, 38, 115, 163, 32, 13},
                              {37, 39, 38, 40, 116, 32, 13}, {37, 39, 38, 40, 163, 123, 13},
                              {37, 39, 38, 40, 163, 32, 37}};
  TempDir dir;
  for (const Bytes& keys : unplayable) {
    Bytes fields = {1, 1, 4, 2, 2, 1, 1, 1};
    fields.insert(fields.end(), keys.begin(), keys.end());
    dir.Write("s.cfg", CurrentFile(fields));
    TConfig c;
    c.Load(dir.File("s.cfg"));
    SCOPED_TRACE(::testing::PrintToString(keys));
    ExpectDefaultKeys(c);
  }
  dir.Write("old.cfg", {1, 1, 4, 2, 2, 1, 'A', 'A', 38, 40, 163, 32});
  TConfig old;
  old.Load(dir.File("old.cfg"));
  ExpectDefaultKeys(old);
}

TEST(Config, FailedSaveLeavesTheOldFileIntact) {
  TempDir dir;
  const std::string path = dir.File("s.cfg");
  TConfig c;
  c.SetDefaults();
  ASSERT_TRUE(c.Save(path));
  const Bytes before = dir.Read("s.cfg");

  c.sound = 0;
  c.vscale = 4;
  {
    FullDisk full(8);
    EXPECT_FALSE(c.Save(path));
  }
  EXPECT_EQ(dir.Read("s.cfg"), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "no temporary file is left";

  // A temporary file that cannot even be created.
  EXPECT_FALSE(c.Save(dir.File("gone/s.cfg")));
}

TEST(Config, ProbeAndBestModesPickTheDeepestDepth) {
  HeadlessBackend& backend = UseHeadlessBackend();
  backend.AddMode(640, 480, 16);
  backend.AddMode(640, 480, 32);
  TConfig c;
  c.SetDefaults();
  c.GetAllowedVideo();
  const uint8_t found[6] = {0, 0, 0, 1, 0, 1};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(c.vallow[i], found[i]) << "mode " << i;

  c.SetBest320();
  EXPECT_EQ(c.vmode, 4) << "no 320x240 mode: nothing changes";
  EXPECT_EQ(c.vres, 2);
  c.SetBest640();
  EXPECT_EQ(c.vmode, 3);
  EXPECT_EQ(c.vres, 2);

  backend.AddMode(320, 240, 24);
  c.GetAllowedVideo();
  c.SetBest320();
  EXPECT_EQ(c.vmode, 2);
  EXPECT_EQ(c.vres, 1);
}

}  // namespace
