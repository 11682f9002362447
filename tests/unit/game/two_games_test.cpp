// Games are values: two played side by side from the same seed and input stay
// alike frame for frame, whatever else the program holds, into stage C with
// every creature and every weapon about; another seed plays another game, and
// a game remembers nothing of the one played before it in the same world.
#include <gtest/gtest.h>

#include <memory>

#include "game/human_input.h"
#include "game/missile.h"
#include "game/play.h"
#include "game/powerup.h"
#include "game/saucer.h"
#include "game/snail.h"
#include "game/spider.h"
#include "game/world.h"
#include "game/world_hash.h"

namespace {

using game_test::PilotInput;

// The pilot flies; every item is handed over and used in turn, powerups rain
// on the ship and its lives are topped up, so one game goes the distance.
FrameInput BusyPilot(World& world, int frame) {
  static constexpr uint8_t kItems[] = {ITEM_MISSILES, ITEM_RAILBLAST, ITEM_SMARTBOMB, ITEM_SCATTERMINES};
  FrameInput input = PilotInput(world);
  if (frame % 300 == 299) {
    world.player.AddItem(kItems[(frame / 300) % 4]);
    input.buttons |= kInputUseItem;
  }
  if (frame % 450 == 100) TPowerup::Create(world, uint16_t(world.player.x), uint16_t(world.player.y - 4));
  if (world.player.lives < 2) world.player.lives = 2;
  return input;
}

template <typename T>
bool Any(World& world) {
  bool found = false;
  world.lstEnemies.ForEachOf<T>([&](const T*) { found = true; });
  return found;
}

TEST(TwoGames, TheSameSeedAndInputPlayAlikeFrameForFrame) {
  const auto a = std::make_unique<World>(), b = std::make_unique<World>(), other = std::make_unique<World>();
  NewGame(*a, {31337, CONTROLS_KEYBOARD});
  NewGame(*b, {31337, CONTROLS_KEYBOARD});
  NewGame(*other, {31338, CONTROLS_KEYBOARD});
  bool snail = false, spider = false, saucer = false, weapons = false;
  for (int frame = 0; frame < 60 * 60 * 40 && a->player.stage < 3; ++frame) {
    StepGame(*a, BusyPilot(*a, frame));
    StepGame(*b, BusyPilot(*b, frame));
    StepGame(*other, BusyPilot(*other, frame));
    ASSERT_EQ(WorldHash(*a), WorldHash(*b)) << "frame " << frame;
    snail |= Any<TSnail>(*a), spider |= Any<TSpider>(*a), saucer |= Any<TSaucer>(*a);
    weapons |= !a->lstMissiles.Empty() || !a->lstRailblasts.Empty();
  }
  EXPECT_EQ(a->player.stage, 3);
  EXPECT_TRUE(snail && spider && saucer && weapons);
  EXPECT_NE(WorldHash(*a), WorldHash(*other)) << "the hash sees the game";

  // The game played before in a world leaves nothing behind.
  NewGame(*a, {2, CONTROLS_KEYBOARD});
  const auto fresh = std::make_unique<World>();
  NewGame(*fresh, {2, CONTROLS_KEYBOARD});
  for (int frame = 0; frame < 4000 && !GameEnded(*fresh); ++frame) {
    StepGame(*a, PilotInput(*a));
    StepGame(*fresh, PilotInput(*fresh));
  }
  EXPECT_EQ(WorldHash(*a), WorldHash(*fresh));
}

}  // namespace
