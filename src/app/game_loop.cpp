#include "app/game_loop.h"

#include <cstdio>
#include <string>

#include "app/display_modes.h"
#include "app/frame_driver.h"
#include "app/hud.h"
#include "app/startup.h"
#include "audio/audio.h"
#include "audio/music.h"
#include "audio/sfx.h"
#include "core/fader.h"
#include "core/game_state.h"
#include "core/helpers.h"
#include "core/images.h"
#include "core/mouse.h"
#include "core/rainbow_phaser.h"
#include "core/sine_table.h"
#include "frontend/menu_particle.h"
#include "frontend/name_entry.h"
#include "frontend/star.h"
#include "game/autopilot.h"
#include "game/bullet.h"
#include "game/enemy_passes.h"
#include "game/hurry_up.h"
#include "game/particle.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/powerup.h"
#include "game/skitterworm.h"
#include "game/spawner.h"
#include "game/warden.h"
#include "game/weapon_passes.h"
#include "game/world.h"
#include "persist/config.h"
#include "persist/records.h"
#include "persist/statistics.h"
#include "platform/clock.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "platform/input.h"
#include "platform/input_state.h"
#include "platform/log.h"
#include "platform/random.h"

bool quitProgram = false;

namespace {

constexpr int kStarCount = 150;
constexpr int kTallyEnd = 300;

// The frame the game started on: the debug log gives how many it lasted.
int64_t gameFirstFrame = 0;

void FadesAtRest(TFader& fader) { fader.Set(0, 1, 1, 0, 0, 0); }

void DrawCentred(const std::string& text, int32_t x, int32_t y) { DrawTextCentred(text, x, y, 1); }

// The banners' big letters are the small font at double size.
void SetDoubleScale(bool on) {
  const float s = on ? 2.0f : 1.0f;
  SetScale(s, s);
}

// --- play-state handlers ---------------------------------------------------

void EnteringState() {
  ++stateTimer;
  if (stateTimer == 1) SetupStage();
  if (stateTimer == 30) PlayEffect(sfx.sndWaveAppear);
  if (stateTimer == 120) {
    // The banner fades out over the next 120 frames while the field appears.
    fadeText.SetChange(-0.0084f);
    playfield.Flash();
  }
  uint16_t draw = kDrawParticles | kDrawStars | kDrawHud;
  if (stateTimer >= 120) draw |= kDrawPlayfield;
  DrawWorld(draw);
  UpdateWorld(kUpdateParticles | kUpdateStars);

  SetImageFont(fntSmall);
  SetColor(255, 255, 255);
  DrawCentred("E n t e r i n g   s t a g e", 160, 100);
  DrawCentred("Get ready!", 160, 130);
  SetDoubleScale(true);
  rainbow.Set();
  DrawCentred(std::string(1, StageLetter(player.stage)), 161, 115);
  SetColor(191, 191, 191);
  SetDoubleScale(false);
  SetAlpha(fadeScene.value);

  if (stateTimer == 240) {
    if (config.controls == 2) player.CentraliseInPlayfield();
    stateTimer = 0;
    gameState = STATE_PLAYING;
    waveStartTime = timeNow;
    FadesAtRest(fadeText);
  }
}

void PlayingState() {
  DrawWorld(kDrawAll);
  UpdateWorld(kUpdateAll);
  UpdateHurryUp();
  DrawHurryUp();
  waveSeconds = float(timeNow - waveStartTime) / 1000.0f;
  if (waveSeconds >= hurryTime && HurryUpState() == 0) ActivateHurryUp();
  // The end of a wave wins over a pause asked for in the same frame, but not
  // over a game over: the ship has already used its last respawn then.
  if (player.wave_parts == 0 && gameState != STATE_GAMEOVER)
    gameState = player.wave < 6 ? STATE_NEXTWAVE : STATE_CLEARED;
}

void NextWaveState() {
  ++stateTimer;
  if (stateTimer == 1) SetupWave();
  DrawWorld(kDrawAll);
  UpdateWorld(kUpdateAll);
  if (stateTimer == 1) {
    stateTimer = 0;
    if (gameState != STATE_GAMEOVER) gameState = STATE_PLAYING;
    FadesAtRest(fadeText);
  }
}

// P, Escape and a window gone to the background all pause the same way; the
// pointer is the player's again until play resumes.
void PauseGame() {
  gameState = STATE_PAUSED;
  pauseLength = 0;
  pauseStart = timeNow;
  FlushKeys();
  ShowPointer();
}

void PausedState() {
  if (config.sound) {
    sfx.SetSaucerHum(false);
    sfx.SetShieldHum(false);
  }
  DrawWorld(kDrawAll);
  SetBlend(Blend::kMask);
  SetColor(31, 31, 31);
  DrawImage(gfx.gameinfo_bgd, 0, 97);
  SetBlend(Blend::kLight);
  SetAlpha(fadeScene.value);
  rainbow.Set();
  DrawCentred("-   P   A   U   S   E   D   -", 160, 114);
  SetColor(191, 191, 255);
  DrawCentred("<ESC> to quit - any other key to resume", 160, 124);

  // The pausing key was flushed, so holding it neither resumes nor quits.
  const int32_t key = AnyKey();
  if (key == vk::kEscape) {
    quitGame = 1;
  } else if (key != 0) {
    pauseLength = timeNow - pauseStart;
    hurryTime += float(pauseLength) / 1000.0f;
    gameState = player.wave_parts == 0 ? STATE_CLEARED : STATE_PLAYING;
    FlushKeys();
    if (player.power[POWER_SHIELD] > 0 && config.sound) sfx.SetShieldHum(true);
    HidePointer();
    MoveMouse(player.tx, player.ty);
  }
}

// The tally: a line every 40 frames, the mushroom multiplier, then the bonus.
struct TallyTimes {
  int32_t saucers, mushrooms, bonus;
};

TallyTimes TallyTimeline(uint8_t stage) {
  // Stage A has no saucers, so its lines come one step earlier.
  if (stage >= 2) return {140, 180, 220};
  return {-1, 140, 180};
}

void TallyTick(int32_t at) {
  if (stateTimer == at) PlayEffect(sfx.sndStageClear1);
}

void TallyLine(int32_t at, const char* label, int32_t label_y, uint16_t killed, uint16_t seen) {
  TallyTick(at);
  if (stateTimer <= at) return;
  SetColor(255, 255, 0);
  DrawCentred(label, 160, label_y);
  SetColor(255, 127, 0);
  DrawCentred(std::to_string(killed) + " out of " + std::to_string(seen), 160, label_y + 8);
}

bool FirePressedForTally() {
  return mouse.anydown || KeyDown(config.key[4]) || KeyDown(config.key[6]) || JoyDown(0, 0) || JoyDown(1, 0) ||
         (AutopilotOn() && AutopilotSticks().fire);
}

void ClearedState() {
  ++stateTimer;
  // What is left goes before the tally's first frame is drawn: a warden drawn
  // once more could still hit the ship.
  if (stateTimer == 1) RemoveEnemiesAtStageEnd();
  DrawWorld(kDrawAll);
  UpdateWorld(kUpdateAll & ~kUpdateSpawner);

  if (stateTimer == 1) {
    const uint16_t killed = uint16_t(statsStage.snails_killed + statsStage.spiders_killed + statsStage.saucers_killed);
    const uint16_t seen = uint16_t(statsStage.snails_seen + statsStage.spiders_seen + statsStage.saucers_seen);
    mushroomMultiplier = 1.0f;
    if (killed > 0 && seen > 0) mushroomMultiplier += 2.0f * float(killed) / float(seen);
    playfield.Flash();
    playfield.Clear();
  }

  SetDoubleScale(true);
  rainbow.Set();
  DrawCentred(std::string("Stage ") + StageLetter(player.stage) + " cleared!", 161, 30);
  SetDoubleScale(false);

  const TallyTimes at = TallyTimeline(player.stage);
  TallyLine(60, "Snails squished", 60, statsStage.snails_killed, statsStage.snails_seen);
  TallyLine(100, "Spiders splatted", 85, statsStage.spiders_killed, statsStage.spiders_seen);
  if (at.saucers > 0) TallyLine(at.saucers, "Saucers smashed", 110, statsStage.saucers_killed, statsStage.saucers_seen);

  TallyTick(at.mushrooms);
  if (stateTimer > at.mushrooms) {
    SetColor(0, 255, 255);
    DrawCentred("Mushroom multiplier", 106, 135);
    DrawCentred("Mushrooms mangled", 212, 135);
    SetColor(0, 191, 191);
    DrawCentred(MultiplierText(mushroomMultiplier), 106, 143);
    DrawCentred(std::to_string(statsStage.mushrooms), 212, 143);
  }

  const int32_t bonus = int32_t(float(statsStage.mushrooms) * mushroomMultiplier);
  if (stateTimer == at.bonus) {
    // The bonus is credited whether or not sound is on; only the fanfare needs it.
    PlayEffect(sfx.sndStageClear2);
    player.AddScore(uint16_t(bonus));
  } else if (stateTimer > at.bonus) {
    SetColor(127, 255, 127);
    DrawCentred("Stage bonus", 160, 159);
    SetDoubleScale(true);
    SetColor(63, 191, 63);
    DrawCentred(std::to_string(uint16_t(bonus)), 160, 170);
    SetDoubleScale(false);
  }

  if (stateTimer == kTallyEnd) {
    FlushKeys();
    FlushMouse();
    joyButtons[0] = joyButtons[1] = 0;
  }
  if (stateTimer > kTallyEnd) {
    if (stateTimer % 60 < 30)
      SetColor(127, 127, 127);
    else
      SetColor(255, 255, 255);
    DrawCentred("< Press fire button to continue >", 160, 220);
    if (gameState == STATE_CLEARED && FirePressedForTally()) {
      stateTimer = 0;
      gameState = STATE_ENTERING;
      FadesAtRest(fadeText);
      FlushKeys();
      FlushMouse();
      polledKey = 0;
      joyButtons[0] = joyButtons[1] = 0;
    }
  }
}

void GameOverState() {
  ++stateTimer;
  if (stateTimer == 1) PlayEffect(sfx.sndGameOver);
  if (stateTimer == 50) fadeScene.SetChange(-0.005f);  // the scene fades out over 200 frames
  DrawWorld(kDrawAll);
  UpdateWorld(kUpdateAll);
  SetDoubleScale(true);
  rainbow.Set();
  DrawCentred("G A M E   O V E R", 161, 111);
  SetDoubleScale(false);
  if (stateTimer >= 300) {
    stateTimer = 0;
    gameState = STATE_ENDED;
    FadesAtRest(fadeText);
    FadesAtRest(fadeScene);
  }
}

// Play-state changes go to the debug log, so a recorded run can be followed.
void LogStateChange(uint8_t from) {
  if (!DebugLogEnabled()) return;
  DebugLog("Play state " + std::to_string(from) + " -> " + std::to_string(gameState) + " at stage " +
           StageLetter(player.stage) + ":" + std::to_string(player.wave) + ", score " + std::to_string(player.score) +
           ", lives " + std::to_string(player.lives));
}

void RunStateHandler() {
  switch (gameState) {
    case STATE_ENTERING:
      EnteringState();
      break;
    case STATE_PLAYING:
      PlayingState();
      break;
    case STATE_PAUSED:
      PausedState();
      break;
    case STATE_NEXTWAVE:
      NextWaveState();
      break;
    case STATE_CLEARED:
      ClearedState();
      break;
    case STATE_GAMEOVER:
      GameOverState();
      break;
    default:
      break;  // STATE_ENDED: the loop is about to end
  }
}

}  // namespace

// --- game set-up -----------------------------------------------------------

const char* MultiplierText(float multiplier) {
  // Process-wide scratch: the text is drawn at once, before the next call.
  static char text[8];
  char full[32];
  std::snprintf(full, sizeof full, "%#.9g", double(multiplier));
  std::snprintf(text, sizeof text, "x%.4s", full);
  return text;
}

namespace {

// The game's part of a frame; the frame driver does the rest.
void GameStep() {
  ResetCollisions(kWardenCollisionLayer);
  fadeScene.Update();
  fadeText.Update();
  timeNow = MilliSecs();
  if (config.music) music.Update();
  mouse.Update();
  rainbow.Update(1);
  rainbowFast.Update(1);
  UpdateSmartBomb();
  sine.Update();
  SetAlpha(fadeScene.value);
  const uint8_t state_before = gameState;
  // Play never runs behind the player's back: with the window in the
  // background or minimised it pauses as if P had been pressed, and the pause
  // screen waits for the player's return. The stage banner and the one-frame
  // next wave lead into play, so a game left during them pauses as play
  // begins. The tally and the game over wait or end on their own, and the
  // autopilot's games have no one to wait for.
  if (gameState == STATE_PLAYING && !WindowActive() && !AutopilotOn()) {
    DebugLog("The window is in the background: play pauses");
    PauseGame();
  }
  RunStateHandler();
  if (gameState != state_before) LogStateChange(state_before);
}

// An ended game always leaves the loop: a life won by a last shot during the
// game-over banner must not leave it running in a state without handler.
bool GameEnded() { return quitGame || gameState == STATE_ENDED; }

// Closing the window ends the program at once, mid-game or not.
void WindowClosedDuringGame() {
  quitProgram = true;
  quitGame = 1;
}

// The game's frames as tests step them, one GameFrame at a time: the game
// itself decides nothing about what follows it.
class SteppedGame : public Screen {
 public:
  void Step() override { GameStep(); }
  void CloseRequested() override { WindowClosedDuringGame(); }
};

// One game as the program runs it: from the menu's hand-over to the game's
// end, then on to the name entry (a score for the table or the online
// scoreboard) or straight back to the menu.
class GameScreen : public Screen {
 public:
  void Enter() override {
    if (config.music) music.Stop();
    RemoveMenuParticles();
    SetCreatureHandlesCentred(false);
    menuScreen = MENU_INGAME;
    music.Shuffle();
    KillParticles();
    NewGame();
  }
  void Step() override {
    GameStep();
    if (!GameEnded()) return;
    FinishGame();
    // The game's score and statistics are on disk before anything else can
    // happen: a killed process or a lost display loses nothing already played.
    SaveRecords();
    SwitchScreen(ScreenAfterGame());
  }
  void CloseRequested() override {
    WindowClosedDuringGame();
    FinishGame();
    SaveRecords();
    SwitchScreen(nullptr);
  }
  void Leave() override {
    FlushKeys();
    FlushMouse();
    KillParticles();
    KillStars();
  }
};

// Process-wide: the one game screen; its state is the world's.
GameScreen game_screen;

}  // namespace

Screen* TheGameScreen() { return &game_screen; }
void StartGame() { SwitchScreen(&game_screen); }

void NewGame() {
  timeNow = MilliSecs();
  fadeScene.SetChange(0.05f);
  fadeText.SetChange(0.05f);
  stateTimer = 0;
  gameState = STATE_ENTERING;
  quitGame = 0;
  player.Init();
  if (config.controls == 2) MoveMouse(player.tx, player.ty);
  RemoveAllEnemies();
  RemoveAllWeapons();
  // A new game brings its own star field, whatever the last one left behind.
  KillStars();
  CreateGameStars(kStarCount);
  ResetChains();
  snailTimer = Rand(600, 1200);
  spiderTimer = Rand(600, 1200);
  saucerTimer = Rand(1200, 2400);
  if (config.music) music.Play(MUSIC_INGAME);
  if (config.sound) sfx.StartHums();
  statsGame.Reset();
  gameFirstFrame = FramesRun().frames;
  if (DebugLogEnabled()) DebugLog(std::string("Game started") + (AutopilotOn() ? " with the autopilot" : ""));
}

bool GameFrame() {
  static SteppedGame stepped;  // holds no state of its own
  return RunFrame(stepped) && !GameEnded();
}

void FinishGame() {
  HidePointer();  // a game quit from the pause screen leaves it shown
  FadesAtRest(fadeScene);
  FadesAtRest(fadeText);
  FlushKeys();
  if (config.music) music.Stop();
  if (config.sound) {
    sfx.SetSaucerHum(false);
    sfx.SetShieldHum(false);
  }
  AddGameToLifetimeStatistics();
  if (!DebugLogEnabled()) return;
  // Frames, shots and hits say why a score is low: a short game, little
  // fire, or fire into an empty field.
  DebugLog(std::string(quitProgram ? "Game left with the window"
                       : quitGame  ? "Game quit"
                                   : "Game over") +
           ": score " + std::to_string(player.score) + ", stage " + StageLetter(player.stage) + ":" +
           std::to_string(player.wave) + ", " + std::to_string(FramesRun().frames - gameFirstFrame) + " frames, " +
           std::to_string(statsGame.bullets_fired) + " shots, " + std::to_string(statsGame.bullets_hit) + " hits");
}

void SetupStage() {
  player.stage = uint8_t(player.stage + 1);
  player.wave = 0;
  playfield.Clear();
  playfield.ChangeColor();
  playfield.ChangeStyle();
  playfield.Fill(uint16_t(4 * player.stage + 10));
  statsStage.Reset();
  RemoveAllPowerups();
  KillParticles();
  RemoveAllWardens();
  bullet.x = 0;
  bullet.y = -50;
  SetupWave();
}

void SetupWave() {
  player.wave = uint8_t(player.wave + 1);
  player.wave_parts = uint8_t(ThreatLevel() / 2 + 6);
  waveStartTime = timeNow;
  hurryTime = float(player.stage) + 29.0f;
  DeactivateHurryUp();
  StartChainWave();
  GenerateWave();
  playfield.HandlePoison();
}

void GameKeys() {
  if (KeyHit(vk::kF4)) ToggleFullscreen();
  if (KeyHit(vk::kF5)) NextWindowScale();
  if (gameState != STATE_GAMEOVER) {
    if (KeyHit(vk::kP) || KeyHit(vk::kEscape)) PauseGame();
  }
  if (KeyHit(config.key[5])) {
    player.cfire = player.cfire ? 0 : 1;
    CreateCFireIcon();
  }
  if (KeyHit(config.key[6])) player.UseItem();
}

// --- the world's passes ----------------------------------------------------

void UpdateWorld(uint16_t passes) {
  UpdateWeapons();
  if (passes & kUpdateSpawner) UpdateSpawner();
  if (passes & kUpdateStars) UpdateStars();
  UpdateWardenBullets();
  if (passes & kUpdateShip) player.Update();
  if (passes & kUpdateBullet) bullet.Update();
  if (passes & kUpdateParticles) UpdateParticles();
  if (passes & kUpdatePowerups) UpdatePowerups();
  if (passes & kUpdateChains) lstEnemies.ForEachOf<TSkitterworm>([](TSkitterworm* part) { part->Update(); });
  if (passes & kUpdateSnails) UpdateSnails();
  if (passes & kUpdateSpiders) UpdateSpiders();
  UpdateWardens();
  if (passes & kUpdateSaucers) {
    const int32_t saucers = UpdateSaucers();
    if (config.sound) sfx.SetSaucerHum(saucers > 0);
  }
  if (passes & kUpdateKeys) GameKeys();
}

void DrawWorld(uint16_t passes) {
  if (passes & kDrawStars) DrawStars();
  if (passes & kDrawPlayfield) playfield.Draw();
  DrawWardenBullets();
  if (passes & kDrawShip) player.Draw();
  if (passes & kDrawBullet) bullet.Draw();
  if (passes & kDrawParticles) DrawParticles();
  if (passes & kDrawPowerups) DrawPowerups();
  if (passes & kDrawChains) lstEnemies.ForEachOf<TSkitterworm>([](TSkitterworm* part) { part->Draw(); });
  if (passes & kDrawSnails) DrawSnails();
  if (passes & kDrawSpiders) DrawSpiders();
  if (passes & kDrawSaucers) DrawSaucers();
  DrawWardens();
  DrawMissilesAndRailblasts();
  if (passes & kDrawHud) DrawHud();
}
