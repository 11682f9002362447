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
void LogStateChange(const World& world, uint8_t from) {
  if (!DebugLogEnabled()) return;
  DebugLog("Play state " + std::to_string(from) + " -> " + std::to_string(world.gameState) + " at stage " +
           StageLetter(world.player.stage) + ":" + std::to_string(world.player.wave) + ", score " +
           std::to_string(world.player.score) + ", lives " + std::to_string(world.player.lives));
}

// --- the stage banner --------------------------------------------------------

void EnteringUpdate(World& world) {
  ++world.stateTimer;
  if (world.stateTimer == 1) SetupStage(world);
  if (world.stateTimer == 30) world.ReportSound(GameSound::kWaveAppear);
  if (world.stateTimer == kFieldAppears) {
    // The banner fades out over the next 120 frames while the field appears.
    world.Report(game_event::Fade{game_event::FadeChange::kBannerFadesOut});
    world.playfield.Flash();
  }
  UpdateWorld(world, kUpdateEffects);
  if (world.stateTimer == kBannerFrames) {
    if (world.controls == CONTROLS_MOUSE) world.player.CentraliseInPlayfield();
    world.stateTimer = 0;
    world.gameState = STATE_PLAYING;
    world.waveFrames = 0;
    world.Report(game_event::Fade{game_event::FadeChange::kTextAtRest});
  }
}

// --- play and the step between waves ------------------------------------------

void PlayingUpdate(World& world) {
  UpdateWorld(world, kUpdateAll);
  UpdateHurryUp(world);
  // The hurry-up counts frames of play: a pause, or a slow machine dropping
  // frames, never brings it sooner.
  ++world.waveFrames;
  world.waveSeconds = float(world.waveFrames) / 60.0f;
  if (world.waveSeconds >= world.hurryTime && HurryUpState(world) == 0) ActivateHurryUp(world);
  // The end of a wave wins over everything but a game over: the ship has
  // already used its last respawn then.
  if (world.player.wave_parts == 0 && world.gameState != STATE_GAMEOVER)
    world.gameState = world.player.wave < 6 ? STATE_NEXTWAVE : STATE_CLEARED;
}

void NextWaveUpdate(World& world) {
  ++world.stateTimer;
  if (world.stateTimer == 1) SetupWave(world);
  UpdateWorld(world, kUpdateAll);
  if (world.stateTimer == 1) {
    world.stateTimer = 0;
    if (world.gameState != STATE_GAMEOVER) world.gameState = STATE_PLAYING;
    world.Report(game_event::Fade{game_event::FadeChange::kTextAtRest});
  }
}

// --- the tally -----------------------------------------------------------------

void TallyTick(World& world, int32_t at) {
  if (world.stateTimer == at) world.ReportSound(GameSound::kStageClear1);
}

void ClearedUpdate(World& world) {
  ++world.stateTimer;
  // What is left goes before the tally's first frame is drawn: a warden drawn
  // once more could still hit the ship.
  if (world.stateTimer == 1) RemoveEnemiesAtStageEnd(world);
  UpdateWorld(world, kUpdateAll & ~kUpdateSpawner);

  if (world.stateTimer == 1) {
    const uint16_t killed =
        uint16_t(world.statsStage.snails_killed + world.statsStage.spiders_killed + world.statsStage.saucers_killed);
    const uint16_t seen =
        uint16_t(world.statsStage.snails_seen + world.statsStage.spiders_seen + world.statsStage.saucers_seen);
    world.mushroomMultiplier = 1.0f;
    if (killed > 0 && seen > 0) world.mushroomMultiplier += 2.0f * float(killed) / float(seen);
    world.playfield.Flash();
    world.playfield.Clear();
  }

  const TallyTimes at = TallyTimeline(world.player.stage);
  TallyTick(world, 60);
  TallyTick(world, 100);
  if (at.saucers > 0) TallyTick(world, at.saucers);
  TallyTick(world, at.mushrooms);
  if (world.stateTimer == at.bonus) {
    // The bonus is credited whether or not sound is on; only the fanfare needs it.
    world.ReportSound(GameSound::kStageClear2);
    world.player.AddScore(uint16_t(StageBonus(world)));
  }
  if (world.stateTimer > kTallyEnd && world.gameState == STATE_CLEARED && (world.input.buttons & kInputContinue)) {
    world.stateTimer = 0;
    world.gameState = STATE_ENTERING;
    world.Report(game_event::Fade{game_event::FadeChange::kTextAtRest});
  }
}

// --- game over -----------------------------------------------------------------

void GameOverUpdate(World& world) {
  ++world.stateTimer;
  if (world.stateTimer == 1) world.ReportSound(GameSound::kGameOver);
  if (world.stateTimer == 50) world.Report(game_event::Fade{game_event::FadeChange::kSceneFadesOut});
  UpdateWorld(world, kUpdateAll);
  if (world.stateTimer >= kGameOverFrames) {
    world.stateTimer = 0;
    world.gameState = STATE_ENDED;
    world.Report(game_event::Fade{game_event::FadeChange::kAllAtRest});
  }
}

void RunStateUpdate(World& world) {
  switch (world.gameState) {
    case STATE_ENTERING:
      EnteringUpdate(world);
      break;
    case STATE_PLAYING:
      PlayingUpdate(world);
      break;
    case STATE_NEXTWAVE:
      NextWaveUpdate(world);
      break;
    case STATE_CLEARED:
      ClearedUpdate(world);
      break;
    case STATE_GAMEOVER:
      GameOverUpdate(world);
      break;
    default:
      break;  // paused, or ended
  }
}

// Fire held through the tally's end does not skip the next stage's banner, and
// fire held into the next stage does not shoot: from those two frames on,
// fire (and the tally's "press fire") counts only once it has been let go.
void HoldFireOver(World& world) {
  constexpr uint8_t kFireBits = kInputFire | kInputContinue;
  if (!world.fireHeldOver) return;
  if (world.input.buttons & kFireBits)
    world.input.buttons = uint8_t(world.input.buttons & ~kFireBits);
  else
    world.fireHeldOver = false;
}

void NoteTallySteps(World& world, uint8_t state_before) {
  const bool tally_done = world.gameState == STATE_CLEARED && world.stateTimer == kTallyEnd;
  const bool stage_next = state_before == STATE_CLEARED && world.gameState == STATE_ENTERING;
  if (tally_done || stage_next) world.fireHeldOver = true;
}

// The frame's rules keys: the autofire switch. (Using an item is the ship's
// own control, read with its steering.)
void GameKeys(World& world) {
  if (!(world.input.buttons & kInputAutofire)) return;
  world.player.cfire = world.player.cfire ? 0 : 1;
  world.Report(game_event::AutofireSwitched{world.player.cfire != 0});
}

}  // namespace

void NewGame(World& world, const GameSetup& setup) {
  // A game remembers nothing of the one before (the field's last style, the
  // radar's last blip...): its course is its seed's and its input's alone.
  world.Reset();
  world.random.Seed(setup.seed);
  world.controls = setup.controls;
  world.seed = setup.seed;
  // Ten minutes of play before the buffers grow: steady play allocates nothing.
  world.recording.inputs.reserve(60 * 60 * 10);
  world.recording.checks.reserve(60 * 10);
  world.events.reserve(1024);
  world.gameFrames = 0;
  world.waveFrames = 0;
  world.stateTimer = 0;
  world.gameState = STATE_ENTERING;
  world.quitGame = 0;
  world.player.Init();
  RemoveAllEnemies(world);
  RemoveAllWeapons(world);
  ResetChains(world);
  world.snailTimer = world.random.Rand(600, 1200);
  world.spiderTimer = world.random.Rand(600, 1200);
  world.saucerTimer = world.random.Rand(1200, 2400);
  world.statsGame.Reset();
}

void StepGame(World& world, const FrameInput& input) {
  world.events.clear();
  if (GameEnded(world) || world.gameState == STATE_PAUSED) return;
  GameRecord& recording = world.recording;
  // A game left running for hours ends as quit where its replay would grow
  // past what a replay may hold.
  if (recording.inputs.size() >= kReplayMaxFrames) return QuitGame(world);
  recording.inputs.push_back(input);
  world.input = input;
  HoldFireOver(world);
  ++world.gameFrames;
  UpdateSmartBomb(world);
  const uint8_t state_before = world.gameState;
  RunStateUpdate(world);
  NoteTallySteps(world, state_before);
  if (world.gameState != state_before) LogStateChange(world, state_before);
  if (world.gameFrames % kReplayCheckFrames == 0) recording.checks.push_back(uint32_t(WorldHash(world)));
}

bool GameEnded(const World& world) { return world.quitGame || world.gameState == STATE_ENDED; }

GameResult ResultOfGame(const World& world) {
  return {world.player.score, world.player.stage, world.player.wave, world.gameFrames,
          world.gameState == STATE_ENDED && !world.quitGame};
}

const GameRecord& RecordOfGame(World& world) {
  world.recording.setup = {world.seed, world.controls};
  world.recording.result = ResultOfGame(world);
  return world.recording;
}

void PauseGame(World& world) {
  if (world.gameState == STATE_PAUSED || GameEnded(world)) return;
  world.resumeState = world.gameState;
  world.gameState = STATE_PAUSED;
  LogStateChange(world, world.resumeState);
}

void ResumeGame(World& world) {
  if (world.gameState != STATE_PAUSED) return;
  world.gameState = world.resumeState;
  LogStateChange(world, STATE_PAUSED);
}

void QuitGame(World& world) { world.quitGame = 1; }

void SetupStage(World& world) {
  world.player.stage = uint8_t(world.player.stage + 1);
  world.player.wave = 0;
  world.playfield.Clear();
  world.playfield.ChangeColor();
  world.playfield.ChangeStyle();
  world.playfield.Fill(uint16_t(4 * world.player.stage + 10));
  world.statsStage.Reset();
  RemoveAllPowerups(world);
  world.Report(game_event::NewStage{});
  RemoveAllWardens(world);
  world.bullet.x = 0;
  world.bullet.y = -50;
  SetupWave(world);
}

void SetupWave(World& world) {
  world.player.wave = uint8_t(world.player.wave + 1);
  world.player.wave_parts = uint8_t(ThreatLevel(world) / 2 + 6);
  world.waveFrames = 0;
  world.hurryTime = float(world.player.stage) + 29.0f;
  DeactivateHurryUp(world);
  StartChainWave(world);
  GenerateWave(world);
  world.playfield.HandlePoison();
}

// --- the world's passes ----------------------------------------------------

void UpdateWorld(World& world, uint16_t passes) {
  RegisterWardenCollisions(world);
  UpdateWeapons(world);
  if (passes & kUpdateSpawner) UpdateSpawner(world);
  UpdateWardenBullets(world);
  if (passes & kUpdateShip) StepShip(world);
  if (passes & kUpdateBullet) StepBullet(world);
  if (passes & kUpdateEffects) world.Report(game_event::EffectsMove{});
  if (passes & kUpdatePowerups) UpdatePowerups(world);
  if (passes & kUpdateChains) world.lstEnemies.ForEachOf<TSkitterworm>([](TSkitterworm* part) { part->Update(); });
  if (passes & kUpdateSnails) UpdateSnails(world);
  if (passes & kUpdateSpiders) UpdateSpiders(world);
  UpdateWardens(world);
  if (passes & kUpdateSaucers) {
    const int32_t saucers = UpdateSaucers(world);
    world.Report(game_event::SaucerHum{saucers > 0});
  }
  if (passes & kUpdateKeys) GameKeys(world);
}
