#include "game/play.h"

#include <cstdio>
#include <string>

#include "core/play_states.h"
#include "game/bullet.h"
#include "game/enemy_passes.h"
#include "game/game_events.h"
#include "game/hurry_up.h"
#include "game/play_passes.h"
#include "game/play_timeline.h"
#include "game/player.h"
#include "game/playfield.h"
#include "game/powerup.h"
#include "game/ship.h"
#include "game/skitterworm.h"
#include "game/spawner.h"
#include "game/warden.h"
#include "game/weapon_passes.h"
#include "game/world.h"
#include "game/world_hash.h"
#include "platform/log.h"
#include "platform/random.h"

namespace {

constexpr int32_t kBannerFrames = 240;  // the stage banner: four seconds
constexpr int32_t kGameOverFrames = 300;

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
    Report(game_event::Fade{game_event::FadeChange::kBannerFadesOut});
    playfield.Flash();
  }
  UpdateWorld(kUpdateEffects);
  if (stateTimer == kBannerFrames) {
    if (world.controls == CONTROLS_MOUSE) player.CentraliseInPlayfield();
    stateTimer = 0;
    gameState = STATE_PLAYING;
    waveFrames = 0;
    Report(game_event::Fade{game_event::FadeChange::kTextAtRest});
  }
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

void NextWaveUpdate() {
  ++stateTimer;
  if (stateTimer == 1) SetupWave();
  UpdateWorld(kUpdateAll);
  if (stateTimer == 1) {
    stateTimer = 0;
    if (gameState != STATE_GAMEOVER) gameState = STATE_PLAYING;
    Report(game_event::Fade{game_event::FadeChange::kTextAtRest});
  }
}

// --- the tally -----------------------------------------------------------------

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
    Report(game_event::Fade{game_event::FadeChange::kTextAtRest});
  }
}

// --- game over -----------------------------------------------------------------

void GameOverUpdate() {
  ++stateTimer;
  if (stateTimer == 1) ReportSound(GameSound::kGameOver);
  if (stateTimer == 50) Report(game_event::Fade{game_event::FadeChange::kSceneFadesOut});
  UpdateWorld(kUpdateAll);
  if (stateTimer >= kGameOverFrames) {
    stateTimer = 0;
    gameState = STATE_ENDED;
    Report(game_event::Fade{game_event::FadeChange::kAllAtRest});
  }
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
  Report(game_event::AutofireSwitched{player.cfire != 0});
}

}  // namespace

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
  stateTimer = 0;
  gameState = STATE_ENTERING;
  quitGame = 0;
  player.Init();
  RemoveAllEnemies();
  RemoveAllWeapons();
  ResetChains();
  snailTimer = Rand(600, 1200);
  spiderTimer = Rand(600, 1200);
  saucerTimer = Rand(1200, 2400);
  statsGame.Reset();
}

void StepGame(const FrameInput& input) {
  ClearFrameEvents();
  if (GameEnded() || gameState == STATE_PAUSED) return;
  GameRecord& recording = world.recording;
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

bool GameEnded() { return quitGame || gameState == STATE_ENDED; }

GameResult ResultOfGame() {
  return {player.score, player.stage, player.wave, gameFrames, gameState == STATE_ENDED && !quitGame};
}

const GameRecord& RecordOfGame() {
  world.recording.setup = {world.seed, world.controls};
  world.recording.result = ResultOfGame();
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
  Report(game_event::NewStage{});
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
  if (passes & kUpdateShip) StepShip();
  if (passes & kUpdateBullet) StepBullet();
  if (passes & kUpdateEffects) Report(game_event::EffectsMove{});
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
