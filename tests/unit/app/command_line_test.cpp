#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

CommandLine Parse(std::vector<std::string> args) { return ParseCommandLine(args); }

TEST(CommandLine, OptionsAreRead) {
  const auto cl = Parse(
      {"--data", "/opt/data", "--debug-log", "log.txt", "--fullscreen", "--scale", "3", "--seed", "42", "--autopilot"});
  EXPECT_TRUE(cl.error.empty()) << cl.error;
  EXPECT_EQ(cl.data_dir, "/opt/data");
  EXPECT_EQ(cl.debug_log, "log.txt");
  EXPECT_EQ(cl.fullscreen, std::optional<bool>(true));
  EXPECT_EQ(cl.scale, std::optional<int>(3));
  EXPECT_EQ(cl.seed, std::optional<int32_t>(42));
  EXPECT_TRUE(cl.autopilot);
  EXPECT_FALSE(Parse({}).fullscreen.has_value());
  EXPECT_EQ(Parse({"--fullscreen", "--windowed"}).fullscreen, std::optional<bool>(false));
  EXPECT_EQ(Parse({}).scoreboard_host + ":" + std::to_string(Parse({}).scoreboard_port), "127.0.0.1:47474");
  const auto sb = Parse({"--scoreboard", "http://scores.example:8080/", "--scoreboard-web", "https://w.example/"});
  EXPECT_EQ(sb.scoreboard_host + ":" + std::to_string(sb.scoreboard_port), "scores.example:8080");
  EXPECT_EQ(sb.scoreboard_web, "https://w.example/");
}

TEST(CommandLine, BadArgumentsAreRefusedWithAReason) {
  EXPECT_NE(Parse({"--frobnicate"}).error.find("--frobnicate"), std::string::npos);
  EXPECT_FALSE(Parse({"--scale", "5"}).error.empty());
  EXPECT_FALSE(Parse({"--scale", "2x"}).error.empty());
  EXPECT_FALSE(Parse({"--seed", "-1"}).error.empty());
  EXPECT_FALSE(Parse({"--data"}).error.empty());
  EXPECT_FALSE(Parse({"--scoreboard", "host:99999"}).error.empty());
  EXPECT_TRUE(Parse({"--help"}).show_help);
  EXPECT_TRUE(Parse({"--version"}).show_version);
}

}  // namespace
