// The ship steered from the devices as the game screen reads them: the
// configured keys, the mouse and the joypad.
#include "app/game_input.h"

#include <gtest/gtest.h>

#include "app/live_game.h"
#include "core/common.h"
#include "core/mouse.h"
#include "core/play_states.h"
#include "game/bullet.h"
#include "game/player.h"
#include "game/world.h"
#include "persist/config.h"
#include "platform/input.h"
#include "platform/input_state.h"

namespace {

using namespace game_test;

class Ship : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProgram();
    ShipInPlay(ShownGame());
  }
};

TEST_F(Ship, MouseControlClampsOnTheNextTick) {
  World& world = ShownGame();
  config.controls = CONTROLS_MOUSE;
  world.player.y = 100;
  Input().mouse_x = 5;
  Input().mouse_y = 100;
  mouse.Update();
  world.events.clear();
  SteerFromDevices();
  EXPECT_EQ(world.player.x, 17);
  EXPECT_EQ(world.player.y, 178);
  EXPECT_TRUE(HasEvent<game_event::PointerOnShip>(world));  // the pointer is put back inside the band
}

TEST_F(Ship, KeyboardControlReadsTheConfiguredKeys) {
  World& world = ShownGame();
  config.key[key_slot::kLeft] = 'A';
  Press('A');
  SteerFromDevices();
  EXPECT_EQ(world.player.x, 153);
  Release('A');
  Press(vk::kLeft);  // no longer bound
  SteerFromDevices();
  EXPECT_EQ(world.player.x, 153);
}

TEST_F(Ship, JoypadSteersFiresAndUsesItems) {
  World& world = ShownGame();
  config.controls = CONTROLS_JOYPAD;
  JoypadState& pad = Input().joypads[0];
  pad.connected = true;
  pad.axis_x = -0.8f;
  pad.axis_y = 0.3f;  // inside the dead zone
  pad.down[0] = true;
  pad.hits[1] = 1;
  world.player.item[0] = ITEM_SCATTERMINES;
  SteerFromDevices();
  EXPECT_EQ(world.player.x, 153);
  EXPECT_EQ(world.player.y, 214);
  EXPECT_TRUE(world.bullet.InFlight());
  EXPECT_EQ(joyButtons[0], 1);
  EXPECT_EQ(joyButtons[1], 1);
  EXPECT_EQ(world.player.item[0], ITEM_EMPTY);
  SteerFromDevices();  // the button hit was used up
  EXPECT_EQ(joyButtons[1], 0);
}

TEST_F(Ship, MouseRightClickUsesAnItem) {
  World& world = ShownGame();
  config.controls = CONTROLS_MOUSE;
  world.player.item[0] = ITEM_SCATTERMINES;
  Input().mouse_x = 100;
  Input().mouse_y = 200;
  Input().PressMouse(2);
  mouse.Update();
  SteerFromDevices();
  EXPECT_EQ(world.player.item[0], ITEM_EMPTY);
  EXPECT_FALSE(world.bullet.InFlight());  // the left button fires, not the right
  world.player.item[0] = ITEM_SCATTERMINES;
  mouse.Update();  // still held: no second click
  SteerFromDevices();
  EXPECT_EQ(world.player.item[0], ITEM_SCATTERMINES);
}

}  // namespace
