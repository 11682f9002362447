#include "game/play.h"

#include <cstdio>
#include <string>

#include "core/common.h"
#include "core/fader.h"
#include "core/fonts.h"
#include "core/helpers.h"
#include "core/images.h"
#include "core/play_states.h"
#include "core/rainbow_phaser.h"
#include "core/version.h"
#include "game/bullet.h"
#include "game/enemy_passes.h"
#include "game/game_events.h"
#include "game/hud.h"
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
#include "game/world_hash.h"
#include "persist/records.h"
#include "platform/font.h"
#include "platform/graphics.h"
#include "platform/image.h"
#include "platform/log.h"
#include "platform/random.h"

namespace {

constexpr int32_t kBannerFrames = 240;  // the stage banner: four seconds
constexpr int32_t kFieldAppears = 120;  // the field shows halfway through it
constexpr int32_t kGameOverFrames = 300;

void FadesAtRest(TFader& fader) { fader.Set(0, 1, 1, 0, 0, 0); }

void DrawCentred(std::string_view text, int32_t x, int32_t y) { DrawTextCentred(text, x, y, 1); }

// The banners' big letters are the small font at double size.
void SetDoubleScale(bool on) {
  const float s = on ? 2.0f : 1.0f;
  SetScale(s, s);
}

// Play-state changes go to the debug log, so a recorded run can be followed.
void LogStateChange(uint8_t from) {
  if (!DebugLogEnabled()) return;
  DebugLog("Play state " + std::to_string(from) + " -> " + std::to_string(gameState) + " at stage " +
           StageLetter(player.stage) + ":" + std::to_string(player.wave) + ", score " + std::to_string(player.score) +
           ", lives " + std::to_string(player.lives));
}

// --- the stage banner --------------------------------------------------------

void EnteringUpdate() {
  ++stateTimer;
  if (stateTimer == 1) SetupStage();
  if (stateTimer == 30) ReportSound(GameSound::kWaveAppear);
  if (stateTimer == kFieldAppears) {
    // The banner fades out over the next 120 frames while the field appears.
    fadeText.SetChange(-0.0084f);
    playfield.Flash();
  }
  UpdateWorld(kUpdateParticles);
  if (stateTimer == kBannerFrames) {
    if (world.controls == CONTROLS_MOUSE) player.CentraliseInPlayfield();
    stateTimer = 0;
    gameState = STATE_PLAYING;
    waveFrames = 0;
    FadesAtRest(fadeText);
  }
}

void EnteringDraw() {
  uint16_t draw = kDrawParticles | kDrawHud;
  if (stateTimer >= kFieldAppears) draw |= kDrawPlayfield;
  DrawWorld(draw);
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
}

// --- play and the step between waves ------------------------------------------

void PlayingUpdate() {
  UpdateWorld(kUpdateAll);
  UpdateHurryUp();
  // The hurry-up counts frames of play: a pause, or a slow machine dropping
  // frames, never brings it sooner.
  ++waveFrames;
  waveSeconds = float(waveFrames) / 60.0f;
  if (waveSeconds >= hurryTime && HurryUpState() == 0) ActivateHurryUp();
  // The end of a wave wins over everything but a game over: the ship has
  // already used its last respawn then.
  if (player.wave_parts == 0 && gameState != STATE_GAMEOVER)
    gameState = player.wave < 6 ? STATE_NEXTWAVE : STATE_CLEARED;
}

void PlayingDraw() {
  DrawWorld(kDrawAll);
  DrawHurryUp();
}

void NextWaveUpdate() {
  ++stateTimer;
  if (stateTimer == 1) SetupWave();
  UpdateWorld(kUpdateAll);
  if (stateTimer == 1) {
    stateTimer = 0;
    if (gameState != STATE_GAMEOVER) gameState = STATE_PLAYING;
    FadesAtRest(fadeText);
  }
}

void PausedDraw() {
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
}

// --- the tally -----------------------------------------------------------------

// A line every 40 frames, the mushroom multiplier, then the bonus.
struct TallyTimes {
  int32_t saucers, mushrooms, bonus;
};

TallyTimes TallyTimeline(uint8_t stage) {
  // Stage A has no saucers, so its lines come one step earlier.
  if (stage >= 2) return {140, 180, 220};
  return {-1, 140, 180};
}

int32_t StageBonus() { return int32_t(float(statsStage.mushrooms) * mushroomMultiplier); }

void TallyTick(int32_t at) {
  if (stateTimer == at) ReportSound(GameSound::kStageClear1);
}

void ClearedUpdate() {
  ++stateTimer;
  // What is left goes before the tally's first frame is drawn: a warden drawn
  // once more could still hit the ship.
  if (stateTimer == 1) RemoveEnemiesAtStageEnd();
  UpdateWorld(kUpdateAll & ~kUpdateSpawner);

  if (stateTimer == 1) {
    const uint16_t killed = uint16_t(statsStage.snails_killed + statsStage.spiders_killed + statsStage.saucers_killed);
    const uint16_t seen = uint16_t(statsStage.snails_seen + statsStage.spiders_seen + statsStage.saucers_seen);
    mushroomMultiplier = 1.0f;
    if (killed > 0 && seen > 0) mushroomMultiplier += 2.0f * float(killed) / float(seen);
    playfield.Flash();
    playfield.Clear();
  }

  const TallyTimes at = TallyTimeline(player.stage);
  TallyTick(60);
  TallyTick(100);
  if (at.saucers > 0) TallyTick(at.saucers);
  TallyTick(at.mushrooms);
  if (stateTimer == at.bonus) {
    // The bonus is credited whether or not sound is on; only the fanfare needs it.
    ReportSound(GameSound::kStageClear2);
    player.AddScore(uint16_t(StageBonus()));
  }
  if (stateTimer > kTallyEnd && gameState == STATE_CLEARED && (world.input.buttons & kInputContinue)) {
    stateTimer = 0;
    gameState = STATE_ENTERING;
    FadesAtRest(fadeText);
  }
}

void TallyLine(int32_t at, const char* label, int32_t label_y, uint16_t killed, uint16_t seen) {
  if (stateTimer <= at) return;
  SetColor(255, 255, 0);
  DrawCentred(label, 160, label_y);
  SetColor(255, 127, 0);
  char text[32];
  std::snprintf(text, sizeof text, "%u out of %u", unsigned(killed), unsigned(seen));
  DrawCentred(text, 160, label_y + 8);
}

void ClearedDraw() {
  DrawWorld(kDrawAll);
  SetDoubleScale(true);
  rainbow.Set();
  char text[32];
  std::snprintf(text, sizeof text, "Stage %c cleared!", StageLetter(player.stage));
  DrawCentred(text, 161, 30);
  SetDoubleScale(false);

  const TallyTimes at = TallyTimeline(player.stage);
  TallyLine(60, "Snails squished", 60, statsStage.snails_killed, statsStage.snails_seen);
  TallyLine(100, "Spiders splatted", 85, statsStage.spiders_killed, statsStage.spiders_seen);
  if (at.saucers > 0) TallyLine(at.saucers, "Saucers smashed", 110, statsStage.saucers_killed, statsStage.saucers_seen);
  if (stateTimer > at.mushrooms) {
    SetColor(0, 255, 255);
    DrawCentred("Mushroom multiplier", 106, 135);
    DrawCentred("Mushrooms mangled", 212, 135);
    SetColor(0, 191, 191);
    DrawCentred(MultiplierText(mushroomMultiplier), 106, 143);
    std::snprintf(text, sizeof text, "%u", unsigned(statsStage.mushrooms));
    DrawCentred(text, 212, 143);
  }
  if (stateTimer >= at.bonus) {
    SetColor(127, 255, 127);
    DrawCentred("Stage bonus", 160, 159);
    SetDoubleScale(true);
    SetColor(63, 191, 63);
    std::snprintf(text, sizeof text, "%u", unsigned(uint16_t(StageBonus())));
    DrawCentred(text, 160, 170);
    SetDoubleScale(false);
  }
  if (stateTimer > kTallyEnd) {
    if (stateTimer % 60 < 30)
      SetColor(127, 127, 127);
    else
      SetColor(255, 255, 255);
    DrawCentred("< Press fire button to continue >", 160, 220);
  }
}

// --- game over -----------------------------------------------------------------

void GameOverUpdate() {
  ++stateTimer;
  if (stateTimer == 1) ReportSound(GameSound::kGameOver);
  if (stateTimer == 50) fadeScene.SetChange(-0.005f);  // the scene fades out over 200 frames
  UpdateWorld(kUpdateAll);
  if (stateTimer >= kGameOverFrames) {
    stateTimer = 0;
    gameState = STATE_ENDED;
    FadesAtRest(fadeText);
    FadesAtRest(fadeScene);
  }
}

void GameOverDraw() {
  DrawWorld(kDrawAll);
  SetDoubleScale(true);
  rainbow.Set();
  DrawCentred("G A M E   O V E R", 161, 111);
  SetDoubleScale(false);
}

void RunStateUpdate() {
  switch (gameState) {
    case STATE_ENTERING:
      EnteringUpdate();
      break;
    case STATE_PLAYING:
      PlayingUpdate();
      break;
    case STATE_NEXTWAVE:
      NextWaveUpdate();
      break;
    case STATE_CLEARED:
      ClearedUpdate();
      break;
    case STATE_GAMEOVER:
      GameOverUpdate();
      break;
    default:
      break;  // paused, or ended
  }
}

// The frame's rules keys: the autofire switch. (Using an item is the ship's
// own control, read with its steering.)
void GameKeys() {
  if (!(world.input.buttons & kInputAutofire)) return;
  player.cfire = player.cfire ? 0 : 1;
  CreateCFireIcon();
}

}  // namespace

const char* MultiplierText(float multiplier) {
  // Process-wide scratch: the text is drawn at once, before the next call.
  static char text[8];
  char full[32];
  std::snprintf(full, sizeof full, "%#.9g", double(multiplier));
  std::snprintf(text, sizeof text, "x%.4s", full);
  return text;
}

void ResetForQuietPlay() {
  common.Reset();
  records.Reset();
  world.Reset();
  config.SetDefaults();
  config.sound = 0;
  config.music = 0;
}

void NewGame(const GameSetup& setup) {
  // A game remembers nothing of the one before (the field's last style, the
  // radar's last blip...): its course is its seed's and its input's alone.
  world.Reset();
  SeedRnd(setup.seed);
  world.controls = setup.controls;
  world.seed = setup.seed;
  // Ten minutes of play before the buffers grow: steady play allocates nothing.
  world.recording.inputs.reserve(60 * 60 * 10);
  world.recording.checks.reserve(60 * 10);
  world.events.reserve(1024);
  gameFrames = 0;
  waveFrames = 0;
  fadeScene.SetChange(0.05f);
  fadeText.SetChange(0.05f);
  stateTimer = 0;
  gameState = STATE_ENTERING;
  quitGame = 0;
  player.Init();
  RemoveAllEnemies();
  RemoveAllWeapons();
  KillParticles();
  ResetChains();
  snailTimer = Rand(600, 1200);
  spiderTimer = Rand(600, 1200);
  saucerTimer = Rand(1200, 2400);
  statsGame.Reset();
}

void StepGame(const FrameInput& input) {
  ClearFrameEvents();
  if (GameEnded() || gameState == STATE_PAUSED) return;
  Replay& recording = world.recording;
  // A game left running for hours ends as quit where its replay would grow
  // past what a replay may hold.
  if (recording.inputs.size() >= kReplayMaxFrames) return QuitGame();
  recording.inputs.push_back(input);
  world.input = input;
  ++gameFrames;
  UpdateSmartBomb();
  const uint8_t state_before = gameState;
  RunStateUpdate();
  if (gameState != state_before) LogStateChange(state_before);
  if (gameFrames % kReplayCheckFrames == 0) recording.checks.push_back(uint32_t(WorldHash()));
}

void DrawGame() {
  SetClsColor(smartbomb.life, smartbomb.life, smartbomb.life);
  SetAlpha(fadeScene.value);
  switch (gameState) {
    case STATE_ENTERING:
      EnteringDraw();
      break;
    case STATE_PLAYING:
      PlayingDraw();
      break;
    case STATE_PAUSED:
      PausedDraw();
      break;
    case STATE_CLEARED:
      ClearedDraw();
      break;
    case STATE_GAMEOVER:
      GameOverDraw();
      break;
    default:
      DrawWorld(kDrawAll);
      break;
  }
}

bool GameEnded() { return quitGame || gameState == STATE_ENDED; }

GameResult ResultOfGame() {
  return {player.score, player.stage, player.wave, gameFrames, gameState == STATE_ENDED && !quitGame};
}

const Replay& RecordOfGame() {
  const GameResult result = ResultOfGame();
  ReplayHeader& h = world.recording.header;
  h.version = kGameVersion;
  h.rules = kRulesVersion;
  h.seed = world.seed;
  h.score = result.score;
  h.stage = result.stage;
  h.wave = result.wave;
  h.frames = result.frames;
  h.controls = world.controls;
  h.over = result.over;
  return world.recording;
}

void PauseGame() {
  if (gameState == STATE_PAUSED || GameEnded()) return;
  world.resumeState = gameState;
  gameState = STATE_PAUSED;
  LogStateChange(world.resumeState);
}

void ResumeGame() {
  if (gameState != STATE_PAUSED) return;
  gameState = world.resumeState;
  LogStateChange(STATE_PAUSED);
}

void QuitGame() { quitGame = 1; }

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
  waveFrames = 0;
  hurryTime = float(player.stage) + 29.0f;
  DeactivateHurryUp();
  StartChainWave();
  GenerateWave();
  playfield.HandlePoison();
}

// --- the world's passes ----------------------------------------------------

void UpdateWorld(uint16_t passes) {
  RegisterWardenCollisions();
  UpdateWeapons();
  if (passes & kUpdateSpawner) UpdateSpawner();
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
    Report(game_event::SaucerHum{saucers > 0});
  }
  if (passes & kUpdateKeys) GameKeys();
}

void DrawWorld(uint16_t passes) {
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
