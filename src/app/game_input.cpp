#include "app/game_input.h"

#include "core/common.h"
#include "core/mouse.h"
#include "game/autopilot.h"
#include "game/player.h"
#include "game/world.h"
#include "persist/records.h"
#include "platform/input.h"

namespace {

uint8_t Bit(bool on, FrameInputBit bit) { return on ? uint8_t(bit) : uint8_t(0); }

uint8_t SticksBits(const ShipSticks& sticks) {
  return uint8_t(Bit(sticks.left, kInputLeft) | Bit(sticks.right, kInputRight) | Bit(sticks.up, kInputUp) |
                 Bit(sticks.down, kInputDown) | Bit(sticks.fire, kInputFire) | Bit(sticks.use_item, kInputUseItem));
}

ShipSticks KeyboardSticks() {
  ShipSticks sticks;
  sticks.left = KeyDown(config.key[key_slot::kLeft]);
  sticks.right = KeyDown(config.key[key_slot::kRight]);
  sticks.up = KeyDown(config.key[key_slot::kUp]);
  sticks.down = KeyDown(config.key[key_slot::kDown]);
  sticks.fire = KeyDown(config.key[key_slot::kFire]);
  return sticks;
}

ShipSticks JoypadSticks() {
  ShipSticks sticks;
  const float jx = JoyX(0), jy = JoyY(0);
  sticks.left = jx < -0.5f;
  sticks.right = jx > 0.5f;
  sticks.up = jy < -0.5f;
  sticks.down = jy > 0.5f;
  joyButtons[0] = JoyDown(0, 0) ? 1 : 0;
  joyButtons[1] = JoyHit(1, 0) > 0 ? 1 : 0;
  sticks.fire = joyButtons[0];
  sticks.use_item = joyButtons[1];
  return sticks;
}

// The tally's "press fire": any mouse button, the fire or item key, a joypad's
// first button, or the pilot's trigger.
bool AnyFireHeld() {
  return mouse.anydown || KeyDown(config.key[key_slot::kFire]) || KeyDown(config.key[key_slot::kUseItem]) ||
         JoyDown(0, 0) || JoyDown(1, 0);
}

}  // namespace

FrameInput ReadFrameInput(const World& world, uint8_t controls) {
  FrameInput input;
  // The item key uses an item with every control method.
  const bool item_key = KeyHit(config.key[key_slot::kUseItem]) > 0;
  if (AutopilotOn()) {
    input.buttons = SticksBits(AutopilotSticks(world));
  } else if (controls == CONTROLS_MOUSE) {
    input.x = int16_t(MouseX());
    input.y = int16_t(MouseY());
    input.buttons = uint8_t(Bit(mouse.down[0], kInputFire) | Bit(mouse.clicked[1], kInputUseItem));
  } else {
    input.buttons = SticksBits(controls == CONTROLS_JOYPAD ? JoypadSticks() : KeyboardSticks());
  }
  if (item_key) input.buttons |= kInputUseItem;
  if (KeyHit(config.key[key_slot::kAutofire]) > 0) input.buttons |= kInputAutofire;
  if (AnyFireHeld() || (input.buttons & kInputFire)) input.buttons |= kInputContinue;
  return input;
}
