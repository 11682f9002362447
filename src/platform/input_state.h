#pragma once
#include <array>
#include <cstdint>

// Input gathered between frames. Backends write it from their events; the
// polled input calls of the game read it.
constexpr int kKeyCount = 256;
constexpr int kMaxJoypads = 4;
constexpr int kJoyButtons = 16;
constexpr int kCharQueue = 64;

// What a pad's face buttons say on them. The game's button 0 is SDL's A (the
// bottom face button; the one labelled A on a Nintendo pad) and button 1 is B.
enum class JoypadLabels : uint8_t { kLetters, kPlayStation };

struct JoypadState {
  bool connected = false;
  JoypadLabels labels = JoypadLabels::kLetters;
  float axis_x = 0, axis_y = 0;  // -1..1
  std::array<bool, kJoyButtons> down{};
  std::array<uint8_t, kJoyButtons> hits{};
};

struct InputState {
  std::array<uint8_t, kKeyCount> key_hits{};
  std::array<bool, kKeyCount> key_down{};
  std::array<uint32_t, kCharQueue> chars{};
  int char_head = 0, char_count = 0;

  int mouse_x = 0, mouse_y = 0;      // in the 320x240 picture, whatever the display scale
  int mouse_z = 0;                   // running count of wheel steps
  std::array<bool, 4> mouse_down{};  // index 1 left, 2 right, 3 middle
  std::array<uint8_t, 4> mouse_hits{};

  std::array<JoypadState, kMaxJoypads> joypads{};

  bool close_requested = false;

  // False while the window is in the background or minimised: play stops and
  // the pointer is left to the desktop.
  bool window_active = true;
  // Whether the game wants the system pointer over its window (it hides it
  // where it draws its own); in the background it shows regardless.
  bool pointer_wanted = true;

  // A tap (a touchpad tap, a quick click, a key struck and let go) can come
  // and go within one poll. Its release then waits for the next poll, so the
  // frame in between sees the key or button held.
  std::array<bool, kKeyCount> key_fresh{}, key_release_due{};
  std::array<bool, 4> mouse_fresh{}, mouse_release_due{};
  bool polling = false;

  // Event helpers the backends share.
  void PressKey(int code);
  void ReleaseKey(int code);
  void TypeChar(uint32_t c);
  void PressMouse(int button);
  void ReleaseMouse(int button);
  void Reset();

  // Around each poll of the backend's events: the releases held back at the
  // last poll go first; presses during the poll are fresh until its end.
  void BeginPoll();
  void EndPoll();
};
