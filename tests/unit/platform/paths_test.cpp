#include "platform/paths.h"

#include <gtest/gtest.h>

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

}  // namespace
