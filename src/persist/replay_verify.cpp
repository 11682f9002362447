#include "persist/replay_verify.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "game/collision_mask.h"
#include "game/play.h"
#include "game/world.h"
#include "persist/replay.h"
#include "platform/log.h"

namespace {

bool SameResult(const World& world, const GameResult& result, const ReplayHeader& header, size_t inputs) {
  // A game over ends with the last recorded frame; a quit game never ends by itself.
  const bool ended_alike = header.over ? result.over && result.frames == inputs : !GameEnded(world);
  return ended_alike && result.score == header.score && result.stage == header.stage && result.wave == header.wave &&
         result.frames == header.frames;
}

// The first check of the world the game played now that differs from the
// recorded one: the frame where it went another way.
void ReportWhereItParted(World& world, const Replay& replay, const char* program) {
  const std::vector<uint32_t>& now = RecordOfGame(world).checks;
  for (size_t i = 0; i < replay.checks.size() && i < now.size(); ++i) {
    if (now[i] == replay.checks[i]) continue;
    std::fprintf(stderr, "%s: the game went another way between frames %u and %u\n", program,
                 unsigned(i * kReplayCheckFrames), unsigned((i + 1) * kReplayCheckFrames));
    return;
  }
  std::fprintf(stderr, "%s: the game went another way after frame %u\n", program,
               unsigned(std::min(replay.checks.size(), now.size()) * kReplayCheckFrames));
}

}  // namespace

bool PlaysAsRecorded(World& world, const Replay& replay, GameResult& result) {
  NewGame(world, {replay.header.seed, replay.header.controls});
  for (const FrameInput& input : replay.inputs) {
    if (GameEnded(world)) break;
    StepGame(world, input);
  }
  result = ResultOfGame(world);
  return SameResult(world, result, replay.header, replay.inputs.size()) && RecordOfGame(world).checks == replay.checks;
}

int VerifyReplay(const std::string& path, const char* program) {
  Replay replay;
  std::string error;
  if (!LoadReplay(path, replay, error) || !SameRules(replay.header, error)) {
    std::fprintf(stderr, "%s: %s is not a usable replay: %s\n", program, path.c_str(), error.c_str());
    return 2;
  }
  // The rules need the pictures' masks (the wardens' shots hit by their
  // shapes), and nothing else: no window, no sound.
  LoadCollisionMasks();
  const auto world = std::make_unique<World>();
  GameResult result;
  const bool as_recorded = PlaysAsRecorded(*world, replay, result);
  std::printf("seed %d score %d stage %d wave %d frames %u\n", replay.header.seed, result.score, result.stage,
              result.wave, result.frames);
  if (as_recorded) return 0;
  ReportWhereItParted(*world, replay, program);
  std::fprintf(stderr,
               "%s: the replay plays to another result than its header's (score %d, stage %d, wave %d, %u frames)\n",
               program, replay.header.score, replay.header.stage, replay.header.wave, replay.header.frames);
  return 1;
}
