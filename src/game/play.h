#pragma once
#include <cstdint>

#include "core/frame_input.h"
#include "game/game_record.h"

// One game, from the stage banner of stage A until the game is over: the play
// states, the stages and waves, the world's update passes in their fixed
// order and the tally's bonus. It runs without a window: the game screen
// feeds it a frame's input and shows it (show/play_picture.h), a replay feeds
// it recorded input and the verifier only steps it. A game is a pure function of its seed, its
// control method and its input, frame by frame.

// The on/off switches of UpdateWorld; a pass's set is a bit mask.
enum UpdatePass : uint16_t {
  kUpdateEffects = 1u << 1,  // the show's effects move (game_event::EffectsMove)
  kUpdatePowerups = 1u << 3,
  kUpdateChains = 1u << 4,
  kUpdateSnails = 1u << 5,
  kUpdateSpiders = 1u << 6,
  kUpdateSaucers = 1u << 7,
  kUpdateShip = 1u << 8,
  kUpdateBullet = 1u << 9,
  kUpdateSpawner = 1u << 10,
  kUpdateKeys = 1u << 11,
  kUpdateAll = 0xffe,
};

// The stage banner's field shows halfway through it.
constexpr int32_t kFieldAppears = 120;
// The tally's last step: from the next frame on, fire continues.
constexpr int32_t kTallyEnd = 300;
// The tally's lines: one every 40 frames, the mushroom multiplier, then the
// bonus (-1: no saucer line, as at stage A).
struct TallyTimes {
  int32_t saucers, mushrooms, bonus;
};
TallyTimes TallyTimeline(uint8_t stage);
// The stage's mushrooms at the tally's multiplier.
int32_t StageBonus();

// Resets the world and starts a game at the stage banner of stage A.
void NewGame(const GameSetup& setup);
// One frame of the rules with that frame's input. Does nothing while the game
// is paused or over.
void StepGame(const FrameInput& input);
// The game has ended: its game over ran out, or the player quit.
bool GameEnded();
GameResult ResultOfGame();
// The game as recorded so far, with where it stands.
const GameRecord& RecordOfGame();

// The pause: play stands still, and paused frames are not frames of the game.
// Resuming returns to the state the pause interrupted.
void PauseGame();
void ResumeGame();
// The player quits from the pause screen: the game ends where it stands.
void QuitGame();

void UpdateWorld(uint16_t passes);  // UpdatePass bits
void SetupStage();
void SetupWave();
