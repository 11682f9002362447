// The one save path against what a shared or damaged folder may hold: links
// of other users, pipes, huge files, leftovers of a killed run, and a second
// thread saving at the same moment.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "persist/config.h"
#include "persist/highscores.h"
#include "persist/statistics.h"
#include "persist/temp_dir.h"
#include "platform/paths.h"
#include "platform/stream.h"

namespace {

namespace fs = std::filesystem;
constexpr uid_t kNobody = 65534;

bool Save(const std::string& path, const std::string& text) {
  return WriteFileAtomically(path, [&](Stream& s) { s.WriteLine(text); });
}

// A save through "data" as the game's user (nobody, or root), in a shared
// folder like /tmp, where "data" is a link made by `link_owner` to "target".
TEST(SavePath, FollowsOnlyThePlayersOwnLinksAndOnlyToRegularFiles) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as two users (the CI runs as root)";
  struct Case {
    const char* what;
    uid_t player, link_owner;
    const char* after;  // the target's bytes after the save; nullptr: the target is a pipe
    bool still_link;
  };
  const Case cases[] = {
      {"the player's own link is followed", kNobody, kNobody, "new\r\n", true},
      {"a link of root is not followed by nobody", kNobody, 0, "old\r\n", true},
      {"a link of nobody is not followed by root", 0, kNobody, "old\r\n", false},
      {"a link to a pipe is never written through", kNobody, kNobody, nullptr, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    ::chmod(dir.path().c_str(), 01777);
    const std::string target = dir.File("target"), data = dir.File("data");
    ASSERT_TRUE(c.after ? Save(target, "old") : ::mkfifo(target.c_str(), 0666) == 0);
    ASSERT_EQ(::chown(target.c_str(), c.player, c.player), 0);  // whoever follows the link may replace it
    ASSERT_EQ(::symlink(target.c_str(), data.c_str()), 0);
    ASSERT_EQ(::lchown(data.c_str(), c.link_owner, c.link_owner), 0);
    ASSERT_EQ(::seteuid(c.player), 0);
    Save(data, "new");
    ASSERT_EQ(::seteuid(0), 0);
    if (c.after) EXPECT_EQ(dir.Read("target"), std::vector<uint8_t>(c.after, c.after + 5));
    if (!c.after) EXPECT_EQ(fs::status(target).type(), fs::file_type::fifo);
    EXPECT_EQ(fs::is_symlink(data), c.still_link);
  }
}

// A file of 2 GB (sparse: it takes no room) is not read whole: each loader
// stops at its first line and falls back as for a damaged file.
TEST(SavePath, AHugeDataFileIsTakenForDamagedWithoutReadingIt) {
  TempDir dir;
  for (const char* name : {"skitterworm.cfg", "skitterworm.hi", "skitterworm.stats"}) {
    const int fd = ::open(dir.File(name).c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_EQ(::ftruncate(fd, off_t(2) << 30), 0);
    ::close(fd);
  }
  TConfig config;
  config.Load(dir.File("skitterworm.cfg"));
  EXPECT_EQ(config.vmode, 4) << "defaults";
  THighscores table;
  EXPECT_FALSE(table.Load(dir.File("skitterworm.hi")));
  TStatsLife stats;
  EXPECT_FALSE(stats.Load(dir.File("skitterworm.stats")));
}

// What a killed run left of its saves goes at the next start; nothing else does.
TEST(SavePath, LeftoverTemporaryFilesAreRemovedAtStart) {
  TempDir dir;
  ASSERT_TRUE(SettleFilesDir(dir.path()));
  fs::create_directory(dir.File("replays"));
  const char* leftovers[] = {"skitterworm.hi.saving-aB3xYz", "skitterworm.cfg.moving", ".skitterworm-new-Q1w2E3",
                             "skitterworm.stats.tmp", "replays/last.replay.saving-7fGh2k"};
  const char* kept[] = {"skitterworm.hi", "skitterworm.hi.saving-old", "skitterworm.hi.backup", "notes.saving-aB3xYz"};
  for (const char* name : leftovers) dir.Write(name, {1});
  for (const char* name : kept) dir.Write(name, {1});
  fs::create_directory(dir.File("skitterworm.stats.saving-Abcdef"));
  EXPECT_EQ(RemoveLeftoverTempFiles(), std::size(leftovers));
  for (const char* name : leftovers) EXPECT_FALSE(fs::exists(dir.File(name))) << name;
  for (const char* name : kept) EXPECT_TRUE(fs::exists(dir.File(name))) << name;
  ASSERT_TRUE(SettleFilesDir("."));
}

// The stop watchdog's save and the game's own may start together: the second
// waits for the first, so no file is ever written by two at once.
TEST(SavePath, TwoSavesAtOnceTakeTurns) {
  TempDir dir;
  const std::string path = dir.File("skitterworm.hi");
  std::atomic<bool> first_inside{false}, second_started{false}, overlapped{false};
  std::thread first([&] {
    WriteFileAtomically(path, [&](Stream& s) {
      first_inside = true;
      while (!second_started) std::this_thread::yield();
      // Time for the second save to run into this one, were it let in.
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      s.WriteLine("first");
      first_inside = false;
    });
  });
  while (!first_inside) std::this_thread::yield();
  second_started = true;
  WriteFileAtomically(path, [&](Stream& s) {
    overlapped = overlapped || first_inside;
    s.WriteLine("second");
  });
  first.join();
  EXPECT_FALSE(overlapped);
  EXPECT_EQ(dir.Read("skitterworm.hi")[0], 's') << "the later save is the one kept";
}

}  // namespace
