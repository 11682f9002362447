#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "persist/config.h"
#include "persist/highscores.h"
#include "persist/statistics.h"
#include "persist/temp_dir.h"

namespace {

// Runs `step` as a user who may write the folder but not read the file (root
// reads everything, so it steps down to "nobody" for the while).
void WithoutReadPermission(const TempDir& dir, const std::string& file, const std::function<void()>& step) {
  ::chmod(file.c_str(), 0);
  if (::geteuid() != 0) return step();
  ::chmod(dir.path().c_str(), 0777);
  ASSERT_EQ(::seteuid(65534), 0);
  step();
  ASSERT_EQ(::seteuid(0), 0);
}

// An existing file that cannot be read keeps its bytes through the load and
// every later save: the player's data is never replaced by defaults.
TEST(UnreadableFiles, AreLeftAsTheyAre) {
  struct Case {
    const char* name;
    std::function<void(const std::string&)> load_and_save;
  };
  const Case cases[] = {
      {"skitterworm.cfg",
       [](const std::string& p) {
         TConfig c;
         c.Load(p);
         EXPECT_EQ(c.vmode, 4) << "defaults in memory";
         EXPECT_FALSE(c.Save(p));
       }},
      {"skitterworm.hi",
       [](const std::string& p) {
         THighscores h;
         EXPECT_FALSE(h.Load(p));
         EXPECT_FALSE(h.Save(p));
       }},
      {"skitterworm.stats",
       [](const std::string& p) {
         TStatsLife s;
         EXPECT_FALSE(s.Load(p));
         EXPECT_FALSE(s.Save(p));
       }},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::vector<uint8_t> bytes = {'1', '.', '2', '.', '0', 13, 10, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    dir.Write(c.name, bytes);
    const std::string path = dir.File(c.name);
    WithoutReadPermission(dir, path, [&] { c.load_and_save(path); });
    ::chmod(path.c_str(), 0644);
    EXPECT_EQ(dir.Read(c.name), bytes) << c.name;
  }
}

}  // namespace
