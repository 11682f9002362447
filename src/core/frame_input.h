#pragma once
#include <cstdint>

// What the player did in one frame of play, as the rules of play read it: the
// game screen gathers it from the keyboard, the mouse, a joypad or the
// autopilot; a replay stores it frame by frame. A game is a pure function of
// its seed, its control method and these, one per frame.
enum FrameInputBit : uint8_t {
  kInputLeft = 1u << 0,
  kInputRight = 1u << 1,
  kInputUp = 1u << 2,
  kInputDown = 1u << 3,
  kInputFire = 1u << 4,      // held
  kInputUseItem = 1u << 5,   // pressed this frame
  kInputAutofire = 1u << 6,  // the autofire key, pressed this frame
  kInputContinue = 1u << 7,  // any fire or item control held (the tally's "press fire")
};

struct FrameInput {
  uint8_t buttons = 0;   // FrameInputBit
  int16_t x = 0, y = 0;  // the pointer in screen pixels, read under the mouse control only

  bool operator==(const FrameInput&) const = default;
};

// The control methods a game can be played with (the settings' "Controls").
constexpr uint8_t CONTROLS_KEYBOARD = 1, CONTROLS_MOUSE = 2, CONTROLS_JOYPAD = 3;
