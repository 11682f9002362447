// The replays of the local table against what ends a game badly: a failed or
// refused save, a kill at the name entry, games alike, damaged or foreign files.
#include "persist/replay_store.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>

#include "persist/highscores.h"
#include "persist/temp_dir.h"
#include "platform/paths.h"
#include "platform/stream.h"

namespace {

namespace fs = std::filesystem;

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

Replay Game(int32_t seed, int32_t score) {
  Replay game;
  game.header = {"1.2.0", seed, "2026-12-08T10:15:00Z", score, 2, 3, 60, CONTROLS_KEYBOARD, true, ""};
  game.inputs.assign(60, FrameInput{kInputFire, 0, 0});
  return game;
}

// As the name entry has it: the game ends, takes its place under the name,
// and the table is saved with its replays.
bool Enter(THighscores& table, const Replay& game, const std::string& name) {
  KeepLastGame(game);
  table.Add(game.header.score, name, game.header.stage, game.header.wave);
  SignLastGame(name, game.header.score);
  return SaveTableWithReplays(table, DataFilePath(kHighscoreFile));
}

class ReplayStore : public ::testing::Test {
 protected:
  void TearDown() override { ClearFailedSaves(); }
  THighscores table;
};

// Games alike in all the table shows (and two even in seed and score) each
// keep a replay of their own; a file that is no replay is never removed.
TEST_F(ReplayStore, EachEntryKeepsItsOwnGame) {
  fs::create_directory(ReplaysDir());
  WriteText(ReplaysDir() + "/damaged.replay", "not a replay");
  const std::pair<Replay, const char*> games[] = {{Game(5, 100), "Ann"}, {Game(5, 100), "Bo"}, {Game(6, 100), "Ann"}};
  for (const auto& [game, name] : games) ASSERT_TRUE(Enter(table, game, name));
  const std::vector<std::string> paths = ReplaysOfEntries(table);
  std::set<int32_t> seeds_of_ann;
  for (int entry = 0; entry < 3; ++entry) {
    Replay stored;
    std::string error;
    ASSERT_TRUE(LoadReplay(paths[entry], stored, error)) << entry;
    EXPECT_EQ(stored.header.name, table.player[entry]);
    if (table.player[entry] == "Ann") seeds_of_ann.insert(stored.header.seed);
  }
  EXPECT_EQ(seeds_of_ann, (std::set<int32_t>{5, 6}));
  EXPECT_TRUE(fs::exists(ReplaysDir() + "/damaged.replay"));
}

TEST_F(ReplayStore, TheLastGameIsNoEntrysReplay) {
  table.Add(100, "", 2, 3);
  KeepLastGame(Game(5, 100));  // alike in every way the entry shows
  EXPECT_EQ(ReplaysOfEntries(table)[0], "");
}

// A table that does not reach the disk leaves every replay where it was: the
// one it pushed out is still named by the table on disk.
TEST_F(ReplayStore, AFailedTableSaveRemovesNoReplay) {
  for (const bool full_disk : {true, false}) {
    SCOPED_TRACE(full_disk ? "a full disk" : "a table file that could not be read");
    table = THighscores{};
    fs::remove_all(ReplaysDir());
    for (int i = 1; i <= THighscores::kEntries; ++i) ASSERT_TRUE(Enter(table, Game(i, 10 * i), "P"));
    const std::string pushed_out = ReplaysOfEntries(table).back();
    if (!full_disk) KeepFileUntouched(DataFilePath(kHighscoreFile));
    {
      std::optional<FullDisk> full;
      if (full_disk) full.emplace(16);
      EXPECT_FALSE(Enter(table, Game(99, 500), "Q"));
    }
    EXPECT_TRUE(fs::exists(pushed_out));
    EXPECT_EQ(ReplaysOfEntries(table)[0].empty(), full_disk) << "the new game's replay, wherever there is room";
  }
}

// Killed at the name entry, a game is owed its place at the next start; killed
// once the table was saved but not its replay, the entry gets it back.
TEST_F(ReplayStore, AGameCutShortAtItsNameEntryIsNotLost) {
  ASSERT_TRUE(Enter(table, Game(1, 100), "Ann"));
  KeepLastGame(Game(2, 300));
  ReadLastGame();
  EXPECT_TRUE(LastGameAwaitsTable(table));
  table.Add(300, "Bo", 2, 3);
  SignLastGame("Bo", 300);
  ASSERT_TRUE(table.Save(DataFilePath(kHighscoreFile)));
  EXPECT_FALSE(LastGameAwaitsTable(table));
  ReadLastGame();
  MendTableReplays(table);
  EXPECT_NE(ReplaysOfEntries(table)[0], "");
}

TEST_F(ReplayStore, AReplayThatCannotBeSavedIsShown) {
  WriteText(ReplaysDir(), "a file where the folder should be");
  KeepLastGame(Game(1, 100));
  EXPECT_EQ(LastFailedSave().what, "replay");
}

// Run as root, the game takes a "replays" link of another user for no folder
// of its own: it neither writes nor removes anything behind it.
TEST_F(ReplayStore, AReplaysLinkOfAnotherUserIsNotFollowed) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as two users (the CI runs as root)";
  TempDir theirs;
  theirs.Write("1-100.replay", {1});
  ASSERT_EQ(::symlink(theirs.path().c_str(), ReplaysDir().c_str()), 0);
  ASSERT_EQ(::lchown(ReplaysDir().c_str(), 65534, 65534), 0);
  ASSERT_TRUE(Enter(table, Game(1, 100), "Ann"));
  EXPECT_FALSE(fs::is_symlink(ReplaysDir()));
  EXPECT_EQ(std::distance(fs::directory_iterator(theirs.path()), {}), 1);
}

}  // namespace
