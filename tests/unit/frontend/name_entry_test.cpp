#include "frontend/name_entry.h"

#include <filesystem>

#include "core/fonts.h"
#include "frontend/frontend.h"
#include "frontend/info_screens.h"
#include "menu_fixture.h"
#include "persist/loopback_server.h"
#include "persist/online_highscores.h"
#include "persist/records.h"
#include "persist/temp_dir.h"
#include "platform/paths.h"

namespace menu_test {
namespace {

// The name entry saves the table at once: it does so in a scratch files
// folder, with the working folder another one.
class NameEntryTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    old_dir_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
    ASSERT_TRUE(SettleFilesDir(files_.path()));
  }
  void TearDown() override {
    std::filesystem::current_path(old_dir_);
    SettleFilesDir(".");
  }

  TempDir dir_, files_;
  std::filesystem::path old_dir_;
  NameEntryScreen& entry = TheNameEntryScreen();

  // A finished game of that score, as the game screen hands it over.
  static Replay Finished(int32_t score, uint8_t stage = 1, uint8_t wave = 1) {
    Replay game;
    game.header.score = score;
    game.header.stage = stage;
    game.header.wave = wave;
    return game;
  }

  void Type(const std::string& text) {
    for (unsigned char c : text) Input().TypeChar(c);
  }
  void StepEntry(int frames = 1) {
    for (int i = 0; i < frames; ++i) {
      backend_->AdvanceMillis(16);
      entry.Step();
    }
  }
  // Enter as the real backend sends it: the key, and its character in the typed text.
  void PressEnter() {
    Key(vk::kEnter);
    Input().TypeChar(13);
    StepEntry();
    Release(vk::kEnter);
  }
};

TEST_F(NameEntryTest, OnlyAScoreAboveTheFifteenthEntersTheTable) {
  for (int i = 0; i < THighscores::kEntries; ++i) highscores.score[i] = 2000 - 100 * i;  // entry 15: 600
  config.online = 0;
  EXPECT_EQ(ScreenAfterGame(Finished(600)), &TheMenuScreen());
  ASSERT_EQ(ScreenAfterGame(Finished(601, 2, 3)), &entry);
  entry.Enter();
  StepEntry();
  Type("Ann");
  StepEntry();
  PressEnter();
  EXPECT_EQ(highscores.score[14], 601);
  EXPECT_EQ(highscores.player[14], "Ann");
  EXPECT_EQ(highscores.stage[14], 2);
  EXPECT_EQ(highscoreHighlight, 14);
  EXPECT_EQ(returnToHighscores, 1);
  EXPECT_EQ(entry.phase, NameEntryScreen::kLeaving);
  THighscores saved;
  ASSERT_TRUE(saved.Load(files_.File(kHighscoreFile)));
  EXPECT_EQ(saved.player[14], "Ann");
  EXPECT_FALSE(std::filesystem::exists(kHighscoreFile)) << "nothing lands in the working folder";
  entry.Leave();
}

TEST_F(NameEntryTest, TheNameKeepsPrintableCharactersAndFitsItsWidth) {
  const std::pair<std::string, std::string> cases[] = {
      {"Bo\r", "Bo"}, {"a/b\\c\td\x1b", "abcd"}, {"abc\bd", "abd"}, {"\x01\x7fx", "\x7fx"}, {"\b\bz", "z"}};
  for (const auto& [typed, stored] : cases) {
    TTextInput input(160, 125);
    Type(typed);
    SetImageFont(fntMain);
    input.Update();
    EXPECT_EQ(input.txt, stored) << typed;
  }
  // Every character counts, drawn or not (a control code, a Latin-1 letter):
  // a name of 500 never fits.
  for (char c : {'W', '\x7f', '\xe9'}) {
    TTextInput input(160, 125);
    Type(std::string(500, c));
    input.Update();
    EXPECT_LE(TextWidth(input.txt), TTextInput::kMaxNameWidth) << int(uint8_t(c));
    EXPECT_GT(TextWidth(input.txt + c), TTextInput::kMaxNameWidth) << int(uint8_t(c));
  }
}

TEST_F(NameEntryTest, AFailedSubmissionOffersRetryAndEscapeLeavesTheTableAlone) {
  config.online = 1;
  highscores.score[14] = 1000;
  ASSERT_EQ(ScreenAfterGame(Finished(10)), &entry);
  entry.Enter();
  Type("Cy");
  StepEntry();
  PressEnter();
  EXPECT_EQ(entry.phase, NameEntryScreen::kPosting);
  StepEntry(2);  // "Putting online..." is shown, then it submits, and fails
  EXPECT_EQ(entry.phase, NameEntryScreen::kPostResult);
  EXPECT_FALSE(entry.submitted_ok);
  PressEnter();  // retry
  EXPECT_EQ(entry.phase, NameEntryScreen::kPosting);
  StepEntry();
  Key(vk::kEscape);
  Key(vk::kEnter);  // both in one frame: Escape wins
  StepEntry();
  EXPECT_EQ(entry.phase, NameEntryScreen::kLeaving);
  EXPECT_EQ(highscores.score[14], 1000);
  entry.Leave();
}

TEST_F(NameEntryTest, DoneWaitsForAKeyAfterARetrySucceeds) {
  config.online = 1;
  entry.game = Finished(10);
  onlineScores.Init("1.2.0", "127.0.0.1", kScoreboardScript, LoopbackServer::ClosedPort());
  entry.Enter();
  PressEnter();
  StepEntry(2);
  ASSERT_FALSE(entry.submitted_ok);
  LoopbackServer server([](int fd) {
    LoopbackServer::ReadRequest(fd);
    LoopbackServer::Send(fd, "HTTP/1.0 200 OK\r\nContent-Length: 8\r\n\r\nsuccess\n");
  });
  onlineScores.port = server.port();
  PressEnter();  // retry
  StepEntry(5);
  EXPECT_TRUE(entry.submitted_ok);
  EXPECT_EQ(entry.phase, NameEntryScreen::kPostResult) << "\"Done!\" is shown until a key";
  entry.Leave();
}

TEST_F(NameEntryTest, ThePilotSignsByItselfAndNeverGoesOnline) {
  frontendHooks.attract_mode = true;
  config.online = 1;
  entry.game = Finished(70);
  entry.Enter();
  StepEntry(120);
  EXPECT_EQ(entry.phase, NameEntryScreen::kLeaving);
  EXPECT_EQ(highscores.player[0], kAutopilotName);
  entry.Leave();
}

TEST_F(NameEntryTest, ClosingTheWindowWhileTypingKeepsTheScore) {
  entry.game = Finished(40);
  entry.Enter();
  Type("Di");
  StepEntry();
  entry.Leave();
  EXPECT_EQ(highscores.score[0], 40);
  EXPECT_EQ(highscores.player[0], "Di");
}

TEST(ShortFloat, StatisticsShowFiveCharacters) {
  const std::pair<float, const char*> cases[] = {
      {0.0f, "0.000"}, {2.5f, "2.500"}, {100.0f, "100.0"}, {12345.67f, "12345"}, {0.125f, "0.125"}};
  char out[6];
  for (const auto& [value, text] : cases) EXPECT_STREQ(ShortFloat(value, out), text) << value;
}

}  // namespace
}  // namespace menu_test
