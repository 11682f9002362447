// Records the corpus of games that guards the rules: pilot games and
// generated players of every control method, written as replays with the
// line `--verify` prints for each. Run it when the rules change on purpose
// (with the rules version raised):
//   record_corpus DATA_DIR OUT_DIR            records the corpus
//   record_corpus DATA_DIR --explore FIRST N  lists candidate games
//   record_corpus DATA_DIR --game SEED FRAMES NAME OUT
//                 records one game of fire held from the start under the
//                 keyboard, quit after FRAMES frames unless it ends first
//                 (the scoreboard's tests post such games)
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/version.h"
#include "game/autopilot.h"
#include "game/collision_mask.h"
#include "game/human_input.h"
#include "game/play.h"
#include "game/saucer.h"
#include "game/warden.h"
#include "game/world.h"
#include "persist/replay.h"
#include "platform/paths.h"

namespace {

// A game of the corpus: the pilot's or a generated player's, with the frame
// it is quit at from the pause (0: played to its end).
struct Game {
  const char* name;
  bool pilot;
  int32_t number;  // the seed for the pilot, the player's number otherwise
  uint32_t quit_at = 0;
  bool hold_fire = false;  // only fire, held all the way
};

struct Seen {
  bool wardens = false, saucers = false;
};

// Plays the game to its end (or its quit) and returns its record.
Replay Play(World& world, const Game& game, Seen& seen) {
  game_test::HumanInput human(game.number);
  const bool keyboard = game.pilot || game.hold_fire;
  NewGame(world, {keyboard ? game.number : game.number * 31 + 5, keyboard ? CONTROLS_KEYBOARD : human.controls()});
  while (!GameEnded(world) && world.gameFrames < 60u * 60u * 30u) {
    if (game.quit_at && world.gameFrames == game.quit_at) {
      PauseGame(world);
      QuitGame(world);
      break;
    }
    StepGame(world, game.hold_fire ? FrameInput{kInputFire, 0, 0}
                    : game.pilot   ? game_test::PilotInput(world)
                                   : human.Next());
    world.lstEnemies.ForEachOf<TWarden>([&](TWarden*) { seen.wardens = true; });
    world.lstEnemies.ForEachOf<TSaucer>([&](TSaucer*) { seen.saucers = true; });
  }
  Replay replay = ReplayOf(RecordOfGame(world));
  replay.header.date = "2026-12-08T00:00:00Z";
  replay.header.name = game.pilot ? "Autopilot" : "Generated";
  return replay;
}

int Powerups(const World& world) {
  int n = 0;
  for (uint8_t p : world.statsGame.powerups) n += p;
  return n;
}

const Game kCorpus[] = {
#include "games.inc"
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: record_corpus DATA_DIR OUT_DIR | --explore FIRST N | --game SEED FRAMES NAME OUT\n", stderr);
    return 2;
  }
  SetDataDir(argv[1]);
  LoadCollisionMasks();
  const std::string out = argv[2];
  const auto world = std::make_unique<World>();  // each game a new one in it
  if (out == "--game" && argc == 7) {
    Seen seen;
    Replay replay = Play(*world, {"", false, std::atoi(argv[3]), uint32_t(std::atoi(argv[4])), true}, seen);
    replay.header.name = argv[5];
    return SaveReplay(argv[6], replay) ? 0 : 1;
  }
  if (out == "--explore" && argc == 5) {
    for (int n = std::atoi(argv[3]), last = n + std::atoi(argv[4]); n < last; ++n)
      for (bool pilot : {true, false}) {
        Seen seen;
        const ReplayHeader h = Play(*world, {"", pilot, n}, seen).header;
        std::printf("%s %d controls %d score %d stage %d wave %d frames %u wardens %d saucers %d powerups %d\n",
                    pilot ? "pilot" : "player", n, h.controls, h.score, h.stage, h.wave, h.frames, seen.wardens,
                    seen.saucers, Powerups(*world));
      }
    return 0;
  }
  FILE* expected = std::fopen((out + "/expected.txt").c_str(), "w");
  if (!expected) return 1;
  for (const Game& game : kCorpus) {
    Seen seen;
    const Replay replay = Play(*world, game, seen);
    const ReplayHeader& h = replay.header;
    if (!SaveReplay(out + "/" + game.name + ".replay", replay)) return 1;
    std::fprintf(expected, "%s seed %d score %d stage %d wave %d frames %u\n", game.name, h.seed, h.score, h.stage,
                 h.wave, h.frames);
  }
  return std::fclose(expected) == 0 ? 0 : 1;
}
