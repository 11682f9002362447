#pragma once
#include <cstdint>
#include <string>

#include "core/frame_input.h"

// The controls the keyboard binds, in the order of TConfig::key.
namespace key_slot {
constexpr int kLeft = 0, kRight = 1, kUp = 2, kDown = 3, kFire = 4, kAutofire = 5, kUseItem = 6, kCount = 7;
}  // namespace key_slot

// Every player setting, and the full-screen modes this machine offers. One
// instance, `config`, is filled from "skitterworm.cfg" (or defaults) at
// start-up, changed by the options screens and the display switches, and
// written back at shut-down.
class TConfig {
 public:
  uint8_t sound = 0;       // effects on (1) or off (0)
  uint8_t music = 0;       // music on (1) or off (0)
  uint8_t vmode = 0;       // 1..3 full screen at 16, 24, 32 bits; 4 window
  uint8_t vres = 0;        // full-screen factor: 1 = 320x240, 2 = 640x480
  uint8_t vscale = 0;      // window factor 1..4
  uint8_t vallow[6] = {};  // probed full-screen modes: 320x240 at 16/24/32, then 640x480 at 16/24/32
  uint8_t controls = 0;    // CONTROLS_KEYBOARD, CONTROLS_MOUSE or CONTROLS_JOYPAD
  uint8_t particles = 0;   // burst size: 0 = 50 %, 1 = 100 %, 2 = 200 %, 3 = 300 %
  uint8_t online = 0;      // online scoreboard on (1) or off (0)
  // Key codes of: left, right, up, down, fire, autofire toggle, use item.
  uint8_t key[key_slot::kCount] = {};  // the key of each control, by key_slot

  // The default settings; the probed modes are left as they are.
  void SetDefaults();
  // Asks the display which of the six full-screen modes exist at 60 Hz.
  void GetAllowedVideo();
  // The deepest available 320x240 (or 640x480) mode; no change when there is none.
  void SetBest320();
  void SetBest640();
  // Reads a settings file of any layout this game ever wrote. Only called
  // when the file exists; a file of another version is deleted and the
  // defaults are used.
  void Load(const std::string& path);
  // Writes the current layout; false (and the old file kept) when it fails.
  bool Save(const std::string& path) const;
};

constexpr const char* kConfigFile = "skitterworm.cfg";

// Keys the game keeps for itself, never bound to an action: pause, the
// display switches, the screenshot.
bool KeyReserved(int32_t code);
