// The table's replays against failed saves, kills, games alike, damaged or foreign files.
#include "persist/replay_store.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/version.h"
#include "persist/highscores.h"
#include "persist/temp_dir.h"
#include "platform/paths.h"
#include "platform/stream.h"

namespace {

namespace fs = std::filesystem;

Replay Game(int32_t seed, int32_t score) {
  return {{"1.2.0", kRulesVersion, seed, "", score, 2, 3, 60, CONTROLS_KEYBOARD, true, ""}, std::vector<FrameInput>(60)};
}

class ReplayStore : public ::testing::Test {
 protected:
  void SetUp() override { SettleFilesDir(dir.path()); }
  void TearDown() override { SettleFilesDir("."), ClearFailedSaves(); }
  // As the name entry does it.
  bool Enter(const Replay& game, const std::string& name) {
    KeepLastGame(game);
    table.Add(game.header.score, name, game.header.stage, game.header.wave);
    SignLastGame(name, game.header.score);
    return SaveTableWithReplays(table, DataFilePath(kHighscoreFile));
  }
  TempDir dir;
  THighscores table;
};

// Games alike in all the table shows, two even in seed and score, keep a replay
// each; the last game's file is no entry's, and a damaged one is never removed.
TEST_F(ReplayStore, EachEntryKeepsItsOwnGame) {
  fs::create_directory(ReplaysDir());
  std::ofstream(ReplaysDir() + "/damaged.replay") << "no replay";
  for (auto [seed, name] : {std::pair{5, "Ann"}, {5, "Bo"}, {6, "Ann"}}) ASSERT_TRUE(Enter(Game(seed, 100), name));
  table.Add(100, "", 2, 3);  // alike to the last game before it is signed
  KeepLastGame(Game(7, 100));
  std::string games;
  for (const EntryGame& game : GamesOfEntries(table)) {
    Replay stored;
    if (std::string error; LoadReplay(game.path, stored, error))
      games += stored.header.name + std::to_string(stored.header.seed);
  }
  EXPECT_TRUE(games == "Ann5Bo5Ann6" || games == "Ann6Bo5Ann5") << games;
  EXPECT_TRUE(fs::exists(ReplaysDir() + "/damaged.replay"));
}

// A table that cannot be saved (its file could not be read) removes no replay,
// not even the one it pushed out, and keeps the new game's; a replay that
// cannot be saved is shown.
TEST_F(ReplayStore, AFailedSaveLosesNoReplay) {
  for (int i = 1; i <= THighscores::kEntries; ++i) ASSERT_TRUE(Enter(Game(i, 10 * i), "P"));
  const std::string pushed_out = GamesOfEntries(table).back().path;
  KeepFileUntouched(DataFilePath(kHighscoreFile));
  EXPECT_FALSE(Enter(Game(99, 500), "Q"));
  EXPECT_TRUE(fs::exists(pushed_out));
  EXPECT_TRUE(GamesOfEntries(table)[0].Watchable());
  FullDisk full(16);
  KeepLastGame(Game(1, 100));
  EXPECT_EQ(LastFailedSave().what, "replay");
}

// Killed at the name entry, a game is owed its place at the next start; killed
// once the table was saved but not its replay, the entry gets it back.
TEST_F(ReplayStore, AGameCutShortAtItsNameEntryIsNotLost) {
  KeepLastGame(Game(2, 300));
  ReadLastGame();
  EXPECT_TRUE(LastGameAwaitsTable(table));
  table.Add(300, "Bo", 2, 3);
  SignLastGame("Bo", 300);
  EXPECT_FALSE(LastGameAwaitsTable(table));
  MendTableReplays(table);
  EXPECT_TRUE(GamesOfEntries(table)[0].Watchable());
}

// Run as root, the game neither writes nor removes behind a "replays" link of another user.
TEST_F(ReplayStore, AReplaysLinkOfAnotherUserIsNotFollowed) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as two users (the CI runs as root)";
  TempDir theirs;
  theirs.Write("1-100.replay", {1});
  ASSERT_EQ(::symlink(theirs.path().c_str(), ReplaysDir().c_str()), 0);
  ASSERT_EQ(::lchown(ReplaysDir().c_str(), 65534, 65534), 0);
  ASSERT_TRUE(Enter(Game(1, 100), "Ann"));
  EXPECT_EQ(std::distance(fs::directory_iterator(theirs.path()), {}), 1);
}

}  // namespace
