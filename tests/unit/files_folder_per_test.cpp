// Every test of every unit test program keeps the player's files (settings,
// table, statistics, replays, screenshots) in a scratch folder of its own,
// removed after it: no test writes into the folder the tests run from, and
// none finds what another one left there.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/paths.h"

namespace {

class FilesFolderPerTest : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    std::string pattern = (std::filesystem::temp_directory_path() / "skitterworm-files-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    if (!folder_.empty()) SettleFilesDir(folder_);
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    SettleFilesDir(".");
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
  }
  std::string folder_;
};

const bool registered = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new FilesFolderPerTest);
  return true;
}();

}  // namespace
