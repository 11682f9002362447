#include "app/game_loop.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/display_modes.h"
#include "app/frame_driver.h"
#include "app/game_input.h"
#include "app/startup.h"
#include "audio/audio.h"
#include "audio/music.h"
#include "audio/sfx.h"
#include "core/common.h"
#include "core/fader.h"
#include "core/fonts.h"
#include "core/helpers.h"
#include "core/images.h"
#include "core/menu_screens.h"
#include "core/mouse.h"
#include "core/play_states.h"
#include "core/rainbow_phaser.h"
#include "core/sine_table.h"
#include "core/version.h"
#include "frontend/menu_particle.h"
#include "frontend/name_entry.h"
#include "frontend/star.h"
#include "game/autopilot.h"
#include "game/play.h"
#include "game/player.h"
#include "game/world.h"
#include "persist/config.h"
#include "persist/records.h"
#include "persist/replay.h"
#include "persist/replay_store.h"
#include "persist/statistics.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/log.h"
#include "platform/random.h"
#include "show/game_show.h"
#include "show/particle.h"
#include "show/play_picture.h"

bool quitProgram = false;

namespace {

constexpr int kStarCount = 150;
constexpr int kFastForward = 4;  // frames of a replay per frame shown while the skip key is held
constexpr int kSkipKey = vk::kSpace;

// Process-wide: the seed the next game starts from.
int32_t nextGameSeed = 1;

int32_t TakeGameSeed() {
  const int32_t seed = nextGameSeed;
  RandomGenerator next;
  next.Seed(seed);
  nextGameSeed = next.Rand(1, 0x7FFFFFFE);
  return seed;
}

// The game the screen shows: one the player plays, recorded as it goes, or a
// replay played back.
struct GameSource {
  Replay watching;  // the replay shown, when watching
  bool watch = false;
  size_t next = 0;              // the replay's next frame
  Screen* return_to = nullptr;  // where watching ends
};

// Process-wide: the one game on screen, where it comes from.
GameSource source;

void FadesAtRest(TFader& fader) { fader.Set(0, 1, 1, 0, 0, 0); }

void HumsOff() {
  if (!config.sound) return;
  sfx.SetSaucerHum(false);
  sfx.SetShieldHum(false);
}

// P, Escape, a window gone to the background and a pad pulled out all pause
// the same way; the pointer is the player's again until play resumes.
void Pause() {
  World& world = ShownGame();
  PauseGame(world);
  HumsOff();
  FlushKeys();
  FlushJoys();
  HoldPointer(false);
  ShowPointer();
}

void Resume() {
  World& world = ShownGame();
  ResumeGame(world);
  FlushKeys();
  FlushJoys();  // the button that resumed is no item used
  if (world.player.power[POWER_SHIELD] > 0 && config.sound) sfx.SetShieldHum(true);
  if (source.watch) return;
  HidePointer();
  MoveMouse(world.player.tx, world.player.ty);
  HoldPointer(world.controls == CONTROLS_MOUSE);
}

bool AnyJoyHit() {
  bool hit = false;
  for (int button = 0; button < 16; ++button) hit = JoyHit(button, 0) > 0 || hit;
  return hit;
}

// The pause screen's keys: the pausing key was flushed, so holding it
// neither resumes nor quits. A pad's button resumes too.
void PausedKeys() {
  World& world = ShownGame();
  const int32_t key = AnyKey();
  // F12 takes a screenshot of the pause screen and leaves it paused.
  if (key == vk::kEscape)
    QuitGame(world);
  else if ((key != 0 && key != vk::kF12) || AnyJoyHit())
    Resume();
}

// A game played with the pad stands still while the pad is away.
bool PadMissing(const World& world) {
  return world.controls == CONTROLS_JOYPAD && !JoyConnected(0) && !AutopilotOn() && !source.watch;
}

// The display keys work in every state; P and Escape pause where play can
// stand still (not during the banner, nor once the game is over).
void GameKeys() {
  World& world = ShownGame();
  if (KeyHit(vk::kF4)) ToggleFullscreen();
  if (KeyHit(vk::kF5)) NextWindowScale();
  if (world.gameState != STATE_PLAYING && world.gameState != STATE_CLEARED) return;
  const bool pause = KeyHit(vk::kP) > 0;
  const bool escape = KeyHit(vk::kEscape) > 0;
  // Escape leaves a replay at once; a game it pauses.
  if (escape && source.watch) return QuitGame(world);
  if (pause || escape) Pause();
}

FrameInput NextInput() {
  World& world = ShownGame();
  if (!source.watch) return ReadFrameInput(world, world.controls);
  if (source.next >= source.watching.inputs.size()) {
    // The recording ends where the player quit.
    QuitGame(world);
    return {};
  }
  return source.watching.inputs[source.next++];
}

void PlayFrames() {
  World& world = ShownGame();
  const int frames = source.watch && KeyDown(kSkipKey) ? kFastForward : 1;
  for (int i = 0; i < frames && !GameEnded(world); ++i) {
    StepGame(world, NextInput());
    ShowEvents(world.events);
  }
  // The mouse control keeps the pointer on the ship.
  if (!source.watch && world.controls == CONTROLS_MOUSE && HasEvent<game_event::PointerOnShip>(world))
    MoveMouse(world.player.tx, world.player.ty);
  UpdateStars();
}

void DrawReplayCaption() {
  if (!source.watch) return;
  SetImageFont(fntSmall);
  SetColor(127, 127, 127);
  DrawText("REPLAY   P pause   hold SPACE fast   ESC back", 4, 2);
}

// The game's part of a frame; the frame driver does the rest.
void GameStep() {
  World& world = ShownGame();
  fadeScene.Update();
  fadeText.Update();
  timeNow = MilliSecs();
  if (config.music) music.Update();
  mouse.Update();
  rainbow.Update(1);
  rainbowFast.Update(1);
  sine.Update();
  SetAlpha(fadeScene.value);
  // Play never runs behind the player's back: with the window in the
  // background or minimised it pauses as if P had been pressed, and the pause
  // screen waits for the player's return. The tally and the game over wait
  // or end on their own, and the autopilot's games have no one to wait for.
  if (world.gameState == STATE_PAUSED) {
    PausedKeys();
  } else if (world.gameState == STATE_PLAYING && !WindowActive() && !AutopilotOn() && !source.watch) {
    DebugLog("The window is in the background: play pauses");
    Pause();
  } else if (world.gameState == STATE_PLAYING && PadMissing(world)) {
    DebugLog("The joypad is unplugged: play pauses");
    Pause();
  } else {
    PlayFrames();
    GameKeys();
  }
  DrawStars();
  DrawGame(world);
  DrawReplayCaption();
}

// The show around a game: faders, stars, music and hums.
void StartShow() {
  timeNow = MilliSecs();
  StartGameShow();
  KillStars();
  CreateGameStars(kStarCount);
  if (config.music) music.Play(MUSIC_INGAME);
  if (config.sound) sfx.StartHums();
}

// Closing the window ends the program at once, mid-game or not.
void WindowClosedDuringGame() {
  World& world = ShownGame();
  quitProgram = true;
  QuitGame(world);
}

// The game's frames as tests step them, one GameFrame at a time: the game
// itself decides nothing about what follows it.
class SteppedGame : public Screen {
 public:
  void Step() override { GameStep(); }
  void CloseRequested() override { WindowClosedDuringGame(); }
};

Screen* ScreenAfterWatching() {
  Screen* next = source.return_to;
  source.watch = false;
  source.watching = {};
  return next;
}

// One game as the program runs it: from the menu's hand-over to the game's
// end, then on to the name entry (a score for the table or the online
// scoreboard) or straight back to the menu. A replay goes back to where it
// was chosen.
class GameScreen : public Screen {
 public:
  void Enter() override {
    if (config.music) music.Stop();
    RemoveMenuParticles();
    SetCreatureHandlesCentred(false);
    menuScreen = MENU_INGAME;
    music.Shuffle();
    KillParticles();
    if (source.watch)
      StartWatching();
    else
      NewLiveGame();
  }
  void Step() override {
    GameStep();
    if (!GameEnded(ShownGame())) return;
    FinishGame();
    if (source.watch) return SwitchScreen(ScreenAfterWatching());
    // The game's score and statistics are on disk before anything else can
    // happen: a killed process or a lost display loses nothing already played.
    SaveRecords();
    SwitchScreen(ScreenAfterGame(LastGame()));
  }
  void CloseRequested() override {
    WindowClosedDuringGame();
    FinishGame();
    if (!source.watch) SaveRecords();
    SwitchScreen(nullptr);
  }
  void Leave() override {
    FlushKeys();
    FlushMouse();
    KillParticles();
    KillStars();
  }

 private:
  static void StartWatching() {
    source.next = 0;
    StartShow();
    NewGame(ShownGame(), {source.watching.header.seed, source.watching.header.controls});
    ShowPointer();
    DebugLog("Watching a replay of seed " + std::to_string(source.watching.header.seed));
  }
};

// Process-wide: the one game screen; its state is the world's.
GameScreen game_screen;

}  // namespace

World& ShownGame() {
  static World game;  // process-wide: the one game on screen, played or watched
  return game;
}

void SetFirstGameSeed(int32_t seed) { nextGameSeed = seed; }

Screen* TheGameScreen() { return &game_screen; }

void StartGame() {
  source.watch = false;
  SwitchScreen(&game_screen);
}

bool WatchReplay(const std::string& path) {
  std::string error;
  Replay replay;
  if (!LoadReplay(path, replay, error) || !SameRules(replay.header, error)) {
    std::fprintf(stderr, "skitterworm: the replay %s cannot be played: %s\n", path.c_str(), error.c_str());
    DebugLog("The replay " + path + " cannot be played: " + error);
    return false;
  }
  source.watching = std::move(replay);
  source.watch = true;
  source.return_to = CurrentScreen();
  SwitchScreen(&game_screen);
  return true;
}

void NewLiveGame() {
  World& world = ShownGame();
  source.watch = false;
  StartShow();
  const int32_t seed = TakeGameSeed();
  NewGame(world, {seed, AutopilotOn() ? CONTROLS_KEYBOARD : config.controls});
  if (world.controls == CONTROLS_MOUSE) MoveMouse(world.player.tx, world.player.ty);
  HoldPointer(world.controls == CONTROLS_MOUSE);
  if (DebugLogEnabled())
    DebugLog(std::string("Game started") + (AutopilotOn() ? " with the autopilot" : "") + ", seed " +
             std::to_string(seed) + " (--seed " + std::to_string(seed) + " plays this game again)");
}

bool GameFrame() {
  World& world = ShownGame();
  static SteppedGame stepped;  // holds no state of its own
  return RunFrame(stepped) && !GameEnded(world);
}

void FinishGame() {
  World& world = ShownGame();
  HoldPointer(false);
  HidePointer();  // a game quit from the pause screen leaves it shown
  FadesAtRest(fadeScene);
  FadesAtRest(fadeText);
  FlushKeys();
  if (config.music) music.Stop();
  HumsOff();
  const GameResult result = ResultOfGame(world);
  if (source.watch) {
    DebugLog("Replay watched to score " + std::to_string(result.score));
    return;
  }
  statsLife.Add(world.statsGame);
  Replay recorded = ReplayOf(RecordOfGame(world));
  recorded.header.date = ReplayDateNow();
  KeepLastGame(recorded);
  if (!DebugLogEnabled()) return;
  // Frames, shots and hits say why a score is low: a short game, little
  // fire, or fire into an empty field.
  DebugLog(std::string(quitProgram      ? "Game left with the window"
                       : world.quitGame ? "Game quit"
                                        : "Game over") +
           ": score " + std::to_string(result.score) + ", stage " + StageLetter(result.stage) + ":" +
           std::to_string(result.wave) + ", " + std::to_string(result.frames) + " frames, " +
           std::to_string(world.statsGame.bullets_fired) + " shots, " + std::to_string(world.statsGame.bullets_hit) +
           " hits");
}
