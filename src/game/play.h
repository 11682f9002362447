#pragma once
#include <cstdint>

#include "core/frame_input.h"
#include "game/game_record.h"

struct World;

// One game, from the stage banner of stage A until the game is over: the play
// states, the stages and waves, the world's update passes in their fixed
// order and the tally's bonus. It runs without a window: the game screen
// feeds it a frame's input and shows it (show/play_picture.h), a replay feeds
// it recorded input and the verifier only steps it. A game is a pure function of its seed, its
// control method and its input, frame by frame.

// Resets the world and starts a game at the stage banner of stage A.
void NewGame(World& world, const GameSetup& setup);
// One frame of the rules with that frame's input. Does nothing while the game
// is paused or over.
void StepGame(World& world, const FrameInput& input);
// The game has ended: its game over ran out, or the player quit.
bool GameEnded(const World& world);
GameResult ResultOfGame(const World& world);
// The game as recorded so far, with where it stands.
const GameRecord& RecordOfGame(World& world);

// The pause: play stands still, and paused frames are not frames of the game.
// Resuming returns to the state the pause interrupted.
void PauseGame(World& world);
void ResumeGame(World& world);
// The player quits from the pause screen: the game ends where it stands.
void QuitGame(World& world);
