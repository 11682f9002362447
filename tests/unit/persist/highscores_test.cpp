#include "persist/highscores.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "persist/records.h"

namespace {

namespace fs = std::filesystem;

class Highscores : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("skitterworm-hi-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    path = (dir / "skitterworm.hi").string();
  }
  void TearDown() override { fs::remove_all(dir); }

  fs::path dir;
  std::string path;
};

TEST_F(Highscores, EqualScoresGoBelowAndOnlyBetterThanTheLastQualifies) {
  THighscores table;
  EXPECT_EQ(table.Check(0), 0);
  EXPECT_EQ(table.Check(1), 1);
  table.Add(500, "ann", 2, 3);
  table.Add(900, "bob", 4, 1);
  table.Add(500, "cy", 1, 6);
  EXPECT_EQ(table.player[0], "bob");
  EXPECT_EQ(table.player[1], "ann");
  EXPECT_EQ(table.player[2], "cy");  // below the equal score already there
  EXPECT_EQ(highscoreHighlight, 2);
  EXPECT_EQ(table.stage[2], 1);
  EXPECT_EQ(table.wave[2], 6);
  for (int i = 0; i < 15; ++i) table.Add(100 + i, "x", 1, 1);
  EXPECT_EQ(table.score[14], 103);  // 100, 101 and 102 fell off
  EXPECT_EQ(table.Check(103), 0);
  EXPECT_EQ(table.Check(104), 1);
  table.Add(5000, "top", 9, 9);
  EXPECT_EQ(highscoreHighlight, 0);
  EXPECT_EQ(table.score[0], 5000);
}

TEST_F(Highscores, TheFileRoundTripsAndHasItsRecordLayout) {
  THighscores table;
  table.Add(1234, "Zed", 3, 258);
  ASSERT_TRUE(table.Save(path));
  // Version line, then per entry: score, name line, stage, wave.
  EXPECT_EQ(fs::file_size(path), 7u + 4 + 3 + 2 + 1 + 2 + 14u * (4 + 2 + 1 + 2));
  std::ifstream raw(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(raw)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes.substr(0, 7), "1.2.0\r\n");
  EXPECT_EQ(bytes.substr(7, 4), std::string("\xD2\x04\0\0", 4));
  EXPECT_EQ(bytes.substr(11, 5), "Zed\r\n");
  EXPECT_EQ(bytes.substr(16, 3), std::string("\x03\x02\x01", 3));

  THighscores back;
  ASSERT_TRUE(back.Load(path));
  EXPECT_EQ(back.score[0], 1234);
  EXPECT_EQ(back.player[0], "Zed");
  EXPECT_EQ(back.stage[0], 3);
  EXPECT_EQ(back.wave[0], 258);
  EXPECT_EQ(back.player[1], "");
  EXPECT_EQ(back.stage[14], 1);
}

TEST_F(Highscores, AnotherVersionIsDeletedAndTheTableKept) {
  std::ofstream(path, std::ios::binary) << "1.1.0\r\n" << std::string(50, 'x');
  THighscores table;
  table.Add(77, "kept", 1, 1);
  EXPECT_FALSE(table.Load(path));
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ(table.score[0], 77);
}

TEST_F(Highscores, NamesStopAtZeroBytesAndLoseCarriageReturnsAndCutFilesKeepDefaults) {
  std::string file = "1.2.0\r\n";
  file += std::string("\x05\0\0\0", 4) + std::string("a\rb\0", 4) + std::string("\x02\x07\0", 3);
  file += std::string("\x03\0", 2);  // the second score is cut off
  std::ofstream(path, std::ios::binary) << file;
  THighscores table;
  ASSERT_TRUE(table.Load(path));
  EXPECT_EQ(table.score[0], 5);
  EXPECT_EQ(table.player[0], "ab");
  EXPECT_EQ(table.stage[0], 2);
  EXPECT_EQ(table.wave[0], 7);
  EXPECT_EQ(table.score[1], 0);
  EXPECT_EQ(table.score[14], 0);
  EXPECT_EQ(table.stage[1], 1) << "the entries a cut file lacks keep stage A, wave 1";
  EXPECT_EQ(table.wave[14], 1);
}

TEST_F(Highscores, AnOverlongNameIsCutAndALineWithoutEndEndsTheReading) {
  std::string file = "1.2.0\r\n";
  file += std::string("\x09\0\0\0", 4) + std::string(100, 'n') + "\r\n" + std::string("\x02\x03\0", 3);
  file += std::string("\x08\0\0\0", 4) + "bo\r\n" + std::string("\x01\x01\0", 3);
  // No name is this long: the file is damaged from here on.
  file += std::string("\x07\0\0\0", 4) + std::string(1 << 20, 'n') + "\r\n" + std::string("\x01\x01\0", 3);
  file += std::string("\x06\0\0\0", 4) + "cy\r\n" + std::string("\x01\x01\0", 3);
  std::ofstream(path, std::ios::binary) << file;
  THighscores table;
  ASSERT_TRUE(table.Load(path));
  EXPECT_EQ(table.player[0], std::string(64, 'n'));
  EXPECT_EQ(table.wave[0], 3);
  EXPECT_EQ(table.score[1], 8);
  EXPECT_EQ(table.player[1], "bo");
  EXPECT_EQ(table.score[2], 0);
  EXPECT_EQ(table.player[3], "");
}

}  // namespace
