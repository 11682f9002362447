#include "app/startup.h"

#include "app/display_modes.h"
#include "app/frame_driver.h"
#include "app/game_loop.h"
#include "app/main_loop.h"
#include "audio/audio_startup.h"
#include "core/common.h"
#include "core/fader.h"
#include "core/images.h"
#include "core/mouse.h"
#include "core/rainbow_phaser.h"
#include "core/sine_table.h"
#include "core/version.h"
#include "frontend/frontend.h"
#include "frontend/star.h"
#include "game/collision_mask.h"
#include "game/enemy.h"
#include "game/explosion.h"
#include "game/hurry_up.h"
#include "game/missile.h"
#include "game/powerup.h"
#include "game/radar.h"
#include "game/railblast.h"
#include "game/smart_bomb.h"
#include "game/warden.h"
#include "game/world.h"
#include "persist/config.h"
#include "persist/highscores.h"
#include "persist/online_highscores.h"
#include "persist/records.h"
#include "persist/replay_store.h"
#include "persist/statistics.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "platform/stop.h"
#include "platform/stream.h"
#include "show/show.h"

// Every owned part of the program's state as at start-up; the audio's comes
// with StartAudio.
void ResetState() {
  common.Reset();
  records.Reset();
  ShownGame().Reset();
  show.Reset();
  frontend.Reset();
}

// The settings: the full-screen modes this machine offers, then the player's
// file, or the defaults on a first run.
void LoadSettings() {
  config = TConfig{};
  config.GetAllowedVideo();
  if (FileType(DataFilePath(kConfigFile)) == FileKind::kFile)
    config.Load(DataFilePath(kConfigFile));
  else
    config.SetDefaults();
}

// The highscore table (a first run writes the default table at once) and the
// lifetime statistics (a missing file is only written at exit).
void LoadRecords() {
  highscores = THighscores{};
  ReadLastGame();
  if (FileType(DataFilePath(kHighscoreFile)) != FileKind::kFile)
    highscores.Save(DataFilePath(kHighscoreFile));
  else if (highscores.Load(DataFilePath(kHighscoreFile)))
    MendTableReplays(highscores);
  statsLife = TStatsLife{};
  if (FileType(DataFilePath(kStatsFile)) == FileKind::kFile) statsLife.Load(DataFilePath(kStatsFile));
}

void SaveRecords() {
  const SaveLock hold = HoldSaves();  // both files in one go, never beside the stop watchdog's save
  // A table whose save failed at its name entry reaches the disk here, with its replays.
  SaveTableWithReplays(highscores, DataFilePath(kHighscoreFile));
  statsLife.Save(DataFilePath(kStatsFile));
}

int32_t StartupSeed(const CommandLine& command_line) {
  const int32_t seed = command_line.seed ? *command_line.seed : ClockSeed();
  DebugLog("Random seed " + std::to_string(seed) + " (--seed " + std::to_string(seed) +
           " plays this run's games again)");
  return seed;
}

namespace {
// The empty window's pause before the splash, in milliseconds.
constexpr int32_t kOpeningPause = 1500;

// Everything the player keeps between runs; a command-line display override is
// not the player's choice and is not saved.
void SaveDataFiles() {
  SaveRecords();
  RestoreOverriddenDisplay();
  SettingsToSave().Save(DataFilePath(kConfigFile));
}
}  // namespace

int RunProgram(const CommandLine& command_line) {
  static bool started = false;  // the program runs its start-up once only
  if (started) return 0;
  started = true;

  // Before the window only what it needs: the settings say which display to
  // open; the records are a few small files.
  HidePointer();
  // Each game seeds the rules' generator with its own seed; the show's runs on
  // from the run's.
  const int32_t seed = StartupSeed(command_line);
  SetFirstGameSeed(seed);
  ShowRandom().Seed(seed);
  AppTitle(kWindowTitle);
  ResetState();
  LoadSettings();
  onlineScores.Init(kGameVersion, command_line.scoreboard_host, kScoreboardScript, command_line.scoreboard_port);
  if (!command_line.scoreboard_web.empty()) onlineScores.web_address = command_line.scoreboard_web;
  LoadRecords();
  SetFinalSave(SaveDataFiles);  // from here on a stop or a lost display saves them

  SetDisplayOverride({command_line.fullscreen, command_line.scale});
  OpenStartupDisplay();
  const int32_t window_open = MilliSecs();
  DebugLog("The window is open; loading fonts, images and sounds");
  SetWindowIcon(AssetPath("graphics/icon.png"));
  SetUnpaced(command_line.unpaced);

  // The window stays empty for a moment and a half before the splash: the
  // fonts, the images and the audio load in that time, so the window opens at
  // once and the splash starts when it always did. Nothing is drawn or heard
  // before the splash, so the player sees and hears the same either way.
  LoadAssets();
  LoadCollisionMasks();
  StartAudio();  // after the settings, which say whether sound and music are on
  const int32_t loading = MilliSecs() - window_open;
  DebugLog("Fonts, images and sounds loaded in " + std::to_string(loading) + " ms");
  if (!Unpaced() && loading < kOpeningPause) Delay(kOpeningPause - loading);

  RunMainLoop(command_line);

  // Shut-down. The loop also returns when the window was closed, so the
  // settings are saved either way.
  RunFinalSave();
  ReleaseAudio();
  EndGraphics();
  return 0;
}
