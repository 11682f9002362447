#pragma once
// Generated play that handles the controls the way people do: a direction held
// for a while, then another; a pointer that travels to a spot and wobbles
// there; fire held, tapped or let go for a stretch; an item now and then; a
// pause now and then. Each player is a pure function of its number, so a test
// and the corpus recorder make the same games.
#include <algorithm>
#include <cstdint>

#include "core/frame_input.h"
#include "game/autopilot.h"
#include "platform/random.h"

namespace game_test {

// The pilot's controls for the game as it stands, as the game screen reads them.
inline FrameInput PilotInput(const World& world) {
  const ShipSticks s = AutopilotSticks(world);
  const int steer =
      (s.left ? kInputLeft : 0) | (s.right ? kInputRight : 0) | (s.up ? kInputUp : 0) | (s.down ? kInputDown : 0);
  return {uint8_t(steer | (s.fire ? kInputFire | kInputContinue : 0)), 0, 0};
}

class HumanInput {
 public:
  // Players cycle through the control methods: keyboard, mouse, joypad.
  explicit HumanInput(int32_t number) : controls_(uint8_t(CONTROLS_KEYBOARD + number % 3)) {
    random_.Seed(number * 7919 + 1);
  }
  uint8_t controls() const { return controls_; }

  FrameInput Next() {
    FrameInput input;
    if (--steer_left_ <= 0) Steer();
    if (--fire_left_ <= 0) ChooseFire();
    const bool fire = fire_mode_ == kHeld || (fire_mode_ == kTapped && fire_left_ % tap_ < tap_ / 2);
    if (controls_ == CONTROLS_MOUSE) {
      px_ += std::clamp(tx_ - px_, -speed_, speed_) + random_.Rand(-1, 1);
      py_ += std::clamp(ty_ - py_, -speed_, speed_) + random_.Rand(-1, 1);
      input.x = int16_t(px_);
      input.y = int16_t(py_);
    } else {
      input.buttons = direction_;
    }
    if (fire) input.buttons |= kInputFire | kInputContinue;
    if (random_.Rand(1, 300) == 1) input.buttons |= kInputUseItem;
    if (random_.Rand(1, 4000) == 1) input.buttons |= kInputAutofire;
    return input;
  }

  // Frames to stand paused before this frame, mostly none.
  int PauseFrames() { return random_.Rand(1, 3000) == 1 ? random_.Rand(1, 90) : 0; }

 private:
  enum Fire { kIdle, kHeld, kTapped };

  void Steer() {
    // Joypad players change direction more often and hold diagonals.
    static constexpr uint8_t kDirections[] = {0,
                                              kInputLeft,
                                              kInputRight,
                                              kInputUp,
                                              kInputDown,
                                              kInputLeft | kInputUp,
                                              kInputRight | kInputUp,
                                              kInputLeft | kInputDown,
                                              kInputRight | kInputDown};
    const bool pad = controls_ == CONTROLS_JOYPAD;
    direction_ = kDirections[random_.Rand(0, pad ? 8 : 4)];
    steer_left_ = pad ? random_.Rand(4, 40) : random_.Rand(8, 90);
    tx_ = random_.Rand(8, 312);
    ty_ = random_.Rand(170, 236);
    speed_ = random_.Rand(2, 9);
  }

  void ChooseFire() {
    const int roll = random_.Rand(0, 9);
    fire_mode_ = roll < 5 ? kHeld : roll < 8 ? kTapped : kIdle;
    fire_left_ = random_.Rand(30, 400);
    tap_ = random_.Rand(4, 14);
  }

  RandomGenerator random_;
  uint8_t controls_;
  uint8_t direction_ = 0;
  int steer_left_ = 0, fire_left_ = 0, tap_ = 8, speed_ = 4;
  Fire fire_mode_ = kIdle;
  int px_ = 160, py_ = 200, tx_ = 160, ty_ = 200;
};

}  // namespace game_test
