#pragma once
#include <array>
#include <cstdint>

// Input gathered between frames. Backends write it from their events; the
// polled input calls of the game read it.
constexpr int kKeyCount = 256;
constexpr int kMaxJoypads = 4;
constexpr int kJoyButtons = 16;
constexpr int kCharQueue = 64;

struct JoypadState {
  bool connected = false;
  float axis_x = 0, axis_y = 0;  // -1..1
  std::array<bool, kJoyButtons> down{};
  std::array<uint8_t, kJoyButtons> hits{};
};

struct InputState {
  std::array<uint8_t, kKeyCount> key_hits{};
  std::array<bool, kKeyCount> key_down{};
  std::array<uint32_t, kCharQueue> chars{};
  int char_head = 0, char_count = 0;

  int mouse_x = 0, mouse_y = 0;      // picture pixels
  int mouse_z = 0;                   // running count of wheel steps
  std::array<bool, 4> mouse_down{};  // index 1 left, 2 right, 3 middle
  std::array<uint8_t, 4> mouse_hits{};

  std::array<JoypadState, kMaxJoypads> joypads{};

  bool close_requested = false;

  // Event helpers the backends share.
  void PressKey(int code);
  void ReleaseKey(int code);
  void TypeChar(uint32_t c);
  void PressMouse(int button);
  void ReleaseMouse(int button);
  void Reset();
};
