#include "platform/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "persist/temp_dir.h"
#include "platform/stream.h"

namespace {

TEST(FilesDirTest, InstalledGamesUseTheDesktopFolderAndCopiesTheirOwn) {
  struct Case {
    const char* what;
    FilesDirFacts facts;
    const char* dir;
    const char* screenshots;
  };
  const Case cases[] = {
      {"installed, from the desktop",
       {"", true, true, true, "", "/home/p"},
       "/home/p/.local/share/skitterworm",
       "/home/p/.local/share/skitterworm/screenshots"},
      {"installed, XDG_DATA_HOME set",
       {"", true, false, false, "/x", "/home/p"},
       "/x/skitterworm",
       "/x/skitterworm/screenshots"},
      {"a relative XDG_DATA_HOME is ignored",
       {"", true, false, false, "x", "/home/p"},
       "/home/p/.local/share/skitterworm",
       "/home/p/.local/share/skitterworm/screenshots"},
      {"installed, run from a folder with its files", {"", true, true, false, "", "/home/p"}, ".", "."},
      {"a build or portable copy", {"", false, false, true, "", "/home/p"}, ".", "."},
      {"--save-dir", {"/saves", true, true, true, "/x", "/home/p"}, "/saves", "/saves"},
  };
  for (const Case& c : cases) {
    const FilesDirChoice choice = ChooseFilesDir(c.facts);
    EXPECT_EQ(choice.dir, c.dir) << c.what;
    EXPECT_EQ(choice.screenshots_dir, c.screenshots) << c.what;
  }
}

TEST(FilesDirTest, MovingOverNeverReplacesAFile) {
  TempDir home, target;
  home.Write("skitterworm.cfg", {1});
  home.Write("skitterworm.hi", {2});
  target.Write("skitterworm.hi", {3});
  const char* const names[] = {"skitterworm.cfg", "skitterworm.hi", "skitterworm.stats"};
  EXPECT_EQ(MoveFilesOver(home.path(), target.path(), names, 3), 1);
  EXPECT_EQ(target.Read("skitterworm.cfg"), std::vector<uint8_t>{1});
  EXPECT_EQ(FileType(home.File("skitterworm.cfg")), FileKind::kNone);
  // The table already in the new folder stays, and so does the old one.
  EXPECT_EQ(target.Read("skitterworm.hi"), std::vector<uint8_t>{3});
  EXPECT_EQ(home.Read("skitterworm.hi"), std::vector<uint8_t>{2});
}

// An earlier version's file kept as a relative link moves as a link to the
// same file; a file that cannot be read where it went is named on stderr.
TEST(FilesDirTest, MovedLinksStillReachTheirFilesAndAnUnreadableFileIsNamed) {
  TempDir home, target;
  home.Write("real.hi", {5});
  ASSERT_EQ(::symlink("real.hi", home.File("skitterworm.hi").c_str()), 0);
  home.Write("skitterworm.stats", {6});
  ::chmod(home.File("skitterworm.stats").c_str(), 0);
  const bool root = ::geteuid() == 0;  // root reads anything: the move runs as nobody
  for (const TempDir* dir : {&home, &target}) ::chmod(dir->path().c_str(), 0777);
  if (root) ASSERT_EQ(::lchown(home.File("skitterworm.stats").c_str(), 65534, 65534), 0);
  const char* const names[] = {"skitterworm.hi", "skitterworm.stats"};
  testing::internal::CaptureStderr();
  if (root) ASSERT_EQ(::seteuid(65534), 0);
  const int moved = MoveFilesOver(home.path(), target.path(), names, 2);
  if (root) ASSERT_EQ(::seteuid(0), 0);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(moved, 2);
  EXPECT_EQ(target.Read("skitterworm.hi"), std::vector<uint8_t>{5});
  EXPECT_NE(said.find(target.File("skitterworm.stats") + ", but it cannot be read"), std::string::npos) << said;
}

}  // namespace
