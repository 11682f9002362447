#pragma once
// Every screen of the game put into each state a player can see, for the
// tests that look at what the screens draw: `show` leads the screen there,
// `frame` draws one more frame of it. The same table drives the text overlap
// test (headless) and the review pictures (GL).
#include <string>

#include "app/game_loop.h"
#include "app/startup.h"
#include "core/fader.h"
#include "core/fonts.h"
#include "core/images.h"
#include "core/play_states.h"
#include "frontend/frontend.h"
#include "frontend/frontend_hooks.h"
#include "frontend/highscore_table.h"
#include "frontend/menu.h"
#include "frontend/menu_state.h"
#include "frontend/name_entry.h"
#include "frontend/text_input.h"
#include "game/collision_mask.h"
#include "game/play.h"
#include "game/player.h"
#include "game/world.h"
#include "persist/config.h"
#include "persist/highscores.h"
#include "persist/online_highscores.h"
#include "persist/records.h"
#include "persist/statistics.h"
#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "platform/input.h"
#include "platform/input_state.h"
#include "platform/paths.h"
#include "platform/random.h"

namespace screen_states {

struct ScreenState {
  const char* screen;
  const char* state;
  void (*show)();
  void (*frame)();
};

// What the frame driver does around every screen's step: time moves on, the
// picture is cleared.
inline void Tick() {
  ActiveBackend().SleepMicros(16'000);
  Cls();
}
inline void MenuFrame() {
  Tick();
  TheMenuScreen().Step();
}
inline void EntryFrame() {
  Tick();
  TheNameEntryScreen().Step();
}
inline void PlayFrame() {
  Tick();
  GameFrame();
}
inline void MenuFrames(int n) {
  for (int i = 0; i < n; ++i) MenuFrame();
}

// The world as at start-up with the built data, on the active backend (the
// caller installs it), at the given window scale.
inline void Prepare(int scale) {
  World& world = ShownGame();
  // Loaded once: the credits keep the pictures they loaded for the whole run.
  static bool loaded = false;
  if (!loaded) {
    loaded = true;
    ReleaseAllImages();
    SetDataDir(SKITTERWORM_TEST_DATA_DIR);
    LoadAssets();
    LoadCollisionMasks();
  }
  Graphics(320 * scale, 240 * scale, 0);
  SetDrawScale(scale);
  SetScale(1, 1);
  world.random.Seed(77);
  ResetState();
  config.SetDefaults();
  config.sound = config.music = 0;
  frontendHooks = FrontendHooks{};
  Input() = InputState{};
}

// The longest name the name entry lets a player type, in capitals W.
inline std::string WidestName() {
  SetImageFont(fntMain);
  std::string name;
  while (TextWidth(name + "W") <= TTextInput::kMaxNameWidth && name.size() < 200) name += 'W';
  return name;
}

inline void Menu(uint8_t item) {
  TheMenuScreen().Enter();
  MenuFrames(45);
  if (item == 0) return;
  MenuActivate(item);
  MenuFrames(45);
}

inline void Options(uint8_t vmode, bool joypad) {
  config.vmode = vmode;
  Input().joypads[0].connected = joypad;
  if (joypad) config.controls = CONTROLS_JOYPAD;
  Menu(2);
}

inline void KeyConfig(int keys_given) {
  Menu(2);
  MenuActivate(17);
  MenuFrame();
  const int keys[7] = {'A', 'D', 'W', 'S', 161, 105, 165};  // Right Shift, Numpad 9, Right Alt
  for (int i = 0; i < keys_given; ++i) {
    Input().PressKey(keys[i]);
    MenuFrame();
    Input().ReleaseKey(keys[i]);
    MenuFrames(10);
  }
}

inline void FullLocalTable() {
  const std::string name = WidestName();
  for (int i = 0; i < THighscores::kEntries; ++i) {
    highscores.score[i] = 9'999'999 - 1000 * i;
    highscores.player[i] = name;
    highscores.stage[i] = 26;
    highscores.wave[i] = 99;
  }
  highscoreHighlight = 2;
  Menu(3);
  // Every entry has a game (the hint shows) and the last is selected.
  entryReplays.assign(THighscores::kEntries, {"entry.replay"});
  menuSelected = kFirstEntryItem + THighscores::kEntries - 1;
}

inline void OnlineScreen(bool online, int32_t result, int rows) {
  config.online = 0;
  Menu(3);
  MenuActivate(20);  // the online view, fetching nothing while online scores are off
  config.online = online;
  onlineScores.web_address = "http://scores.skitterworm.example.org:8080/sysops/worm-highscore.php";
  onlineFetchResult = result;
  onlineScores.Unload();
  for (int i = 0; i < rows; ++i)
    onlineScores.scores = TScores::AddScore(i, "Wolfgang Amadeus Mozart-Wunderlich the " + std::to_string(i + 1),
                                            99'999'999 - i, 26, 99, "2024-01-01");
  MenuFrames(2);
}

inline void Statistics() {
  TStatsLife& s = statsLife;
  s.games_played = 12345;
  s.killed_worms = s.killed_spiders = s.killed_snails = s.killed_saucers = 123456;
  s.player_wormdeaths = s.player_spiderdeaths = s.player_snaildeaths = s.player_saucerdeaths = 12345;
  s.player_wardendeaths = 12345;
  s.killed_shrooms = s.killed_pshrooms = 1234567;
  s.bullets_fired = 12345678;
  s.bullets_hit = 1234567;
  s.fastest_worm = 123.456f;
  for (int32_t& p : s.powerups) p = 12345;
  Menu(4);
}

inline void Credits(int frames) {
  Menu(6);
  MenuFrames(frames);
}

// The name entry after a game of 1,234,567 points, the widest name typed.
inline void NameEntry(bool in_table, uint8_t phase, bool submitted_ok) {
  config.online = 1;
  for (int i = 0; i < THighscores::kEntries; ++i) highscores.score[i] = in_table ? 0 : 99'999'999;
  NameEntryScreen& entry = TheNameEntryScreen();
  entry.game.header.score = 1'234'567;
  entry.Enter();
  entry.message = in_table ? 5 : 5;  // the longest message of either list
  EntryFrame();
  for (char c : WidestName()) Input().TypeChar(uint8_t(c));
  EntryFrame();
  entry.phase = phase;
  entry.submitted_ok = submitted_ok;
  entry.submit_due = false;
}

inline void Game(uint8_t state) {
  World& world = ShownGame();
  SetFirstGameSeed(1234);
  NewLiveGame();
  for (int i = 0; i < 100; ++i) PlayFrame();  // the banner, at full strength
  if (state == STATE_ENTERING) return;
  while (world.gameState == STATE_ENTERING) PlayFrame();
  if (state == STATE_PAUSED) {
    Input().PressKey(vk::kP);
    PlayFrame();
    Input().ReleaseKey(vk::kP);
  } else if (state == STATE_CLEARED) {
    world.gameState = STATE_CLEARED;
    world.stateTimer = 0;
    for (int i = 0; i < 310; ++i) PlayFrame();
  } else if (state == STATE_GAMEOVER) {
    world.gameState = STATE_GAMEOVER;
    world.stateTimer = 0;
    for (int i = 0; i < 20; ++i) PlayFrame();
  }
}

// clang-format off
inline const ScreenState kScreenStates[] = {
    {"main menu", "shown", [] { Menu(0); }, MenuFrame},
    {"options", "windowed", [] { Options(4, false); }, MenuFrame},
    {"options", "full screen, joypad", [] { Options(1, true); }, MenuFrame},
    {"options", "waiting for the third key", [] { KeyConfig(2); }, MenuFrame},
    {"options", "after configuring keys", [] { KeyConfig(7); }, MenuFrame},
    {"highscores", "full local table", FullLocalTable, MenuFrame},
    {"highscores", "online, 15 long names", [] { OnlineScreen(true, 1, 15); }, MenuFrame},
    {"highscores", "online, no answer", [] { OnlineScreen(true, 0, 0); }, MenuFrame},
    {"highscores", "online disabled", [] { OnlineScreen(false, 0, 0); }, MenuFrame},
    {"statistics", "large counts", Statistics, MenuFrame},
    {"help", "default keys", [] { Menu(5); }, MenuFrame},
    {"help", "keyboard, keys rebound", [] { config.controls = CONTROLS_KEYBOARD; config.key[key_slot::kFire] = 'Z'; config.key[key_slot::kUseItem] = 'X'; Menu(5); }, MenuFrame},
    {"help", "keyboard, long names on two lines", [] { config.controls = CONTROLS_KEYBOARD; config.key[key_slot::kLeft] = 161; config.key[key_slot::kRight] = 160; config.key[key_slot::kUp] = 165; config.key[key_slot::kDown] = 162; Menu(5); }, MenuFrame},
    {"help", "joypad control", [] { config.controls = CONTROLS_JOYPAD; Menu(5); }, MenuFrame},
    {"credits", "at 0:10", [] { Credits(600); }, MenuFrame},
    {"credits", "at 0:20", [] { Credits(1200); }, MenuFrame},
    {"credits", "at 0:35", [] { Credits(2100); }, MenuFrame},
    {"credits", "at 0:50", [] { Credits(3000); }, MenuFrame},
    {"credits", "at 1:15", [] { Credits(4500); }, MenuFrame},
    {"credits", "at 1:30", [] { Credits(5400); }, MenuFrame},
    {"credits", "at 1:55", [] { Credits(6900); }, MenuFrame},
    {"credits", "at 2:30", [] { Credits(9000); }, MenuFrame},
    {"joypad check", "no joypad", [] { config.controls = CONTROLS_JOYPAD; Menu(1); }, MenuFrame},
    {"name entry", "typing", [] { NameEntry(true, 1, false); }, EntryFrame},
    {"name entry", "typing, not in the table", [] { NameEntry(false, 1, false); }, EntryFrame},
    {"name entry", "putting online", [] { NameEntry(true, 2, false); }, EntryFrame},
    {"name entry", "done", [] { NameEntry(true, 3, true); }, EntryFrame},
    {"name entry", "failed", [] { NameEntry(true, 3, false); }, EntryFrame},
    {"game", "stage banner", [] { Game(STATE_ENTERING); }, PlayFrame},
    {"game", "paused", [] { Game(STATE_PAUSED); }, PlayFrame},
    {"game", "tally", [] { Game(STATE_CLEARED); }, PlayFrame},
    {"game", "game over", [] { Game(STATE_GAMEOVER); }, PlayFrame},
};
// clang-format on

}  // namespace screen_states
