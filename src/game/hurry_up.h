#pragma once
#include <cstdint>
#include <string>

struct World;

// A wave that lasts too long is hurried: first three seconds of a red warning
// message (one beep a second), then warden alert, when a warden arrives at
// once and another every 1800 frames until the wave ends. During the alert
// snails and spiders come faster and are worth nothing.
class THurryUp {
 public:
  explicit THurryUp(World& world) : world(world) {}
  World& world;  // the game it is part of

  static constexpr uint8_t STATE_OFF = 0, STATE_WARNING = 1, STATE_ALERT = 2;
  static constexpr uint16_t kSecond = 60;  // frames of one warning beat
  static constexpr uint8_t kWarningBeats = 3;
  static constexpr uint16_t kWardenInterval = 1800;  // frames between wardens

  std::string msg;     // the warning shown
  uint16_t phase = 0;  // frames into the current beat (warning) or warden interval (alert)
  uint8_t state = 0;   // STATE_*
  uint8_t loops = 0;   // warning beats shown so far

  void Update();
  void Activate();
  void Deactivate();

  // The warning for a roll of 1..7 ("" outside).
  static const char* Message(int32_t roll);
};

// The game loop's hooks.
void UpdateHurryUp(World& world);
void ActivateHurryUp(World& world);
void DeactivateHurryUp(World& world);      // also makes every warden die
uint8_t HurryUpState(const World& world);  // 0 off, 1 warning, 2 wardens out (the HUD turns red)
