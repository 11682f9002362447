#include "platform/input.h"

#include "platform/backend.h"
#include "platform/input_state.h"
#include "platform/stop.h"

namespace {
// Process-wide: the input the backend fills and every screen reads.
InputState input;

JoypadState* Pad(int port) {
  if (port < 0 || port >= kMaxJoypads || !input.joypads[port].connected) return nullptr;
  return &input.joypads[port];
}

// The system pointer shows when the game wants it, and always while the
// window is in the background: a hidden pointer would vanish over the game's
// window while the player works elsewhere.
void ApplyPointer() { ActiveBackend().ShowPointer(input.pointer_wanted || !input.window_active); }

}  // namespace

InputState& Input() { return input; }

void PollSystem() {
  const bool was_active = input.window_active;
  input.BeginPoll();
  ActiveBackend().PumpEvents(input);
  input.EndPoll();
  if (input.window_active != was_active) ApplyPointer();
  // A stop signal closes the game like the window's close button, on every poll
  // until the program has ended, so no screen can miss it.
  if (StopRequested()) input.close_requested = true;
}

int KeyHit(int code) {
  if (code <= 0 || code >= kKeyCount) return 0;
  const int hits = input.key_hits[code];
  input.key_hits[code] = 0;
  return hits;
}

bool KeyDown(int code) { return code > 0 && code < kKeyCount && input.key_down[code]; }

int GetChar() {
  if (input.char_count == 0) return 0;
  const uint32_t c = input.chars[input.char_head];
  input.char_head = (input.char_head + 1) % kCharQueue;
  --input.char_count;
  return int(c);
}

void FlushKeys() {
  input.key_hits.fill(0);
  input.key_down.fill(false);
  input.char_head = input.char_count = 0;
}

int MouseX() { return input.mouse_x; }
int MouseY() { return input.mouse_y; }
int MouseZ() { return input.mouse_z; }
bool MouseDown(int button) { return button >= 1 && button <= 3 && input.mouse_down[button]; }

int MouseHit(int button) {
  if (button < 1 || button > 3) return 0;
  const int hits = input.mouse_hits[button];
  input.mouse_hits[button] = 0;
  return hits;
}

void MoveMouse(int x, int y) {
  input.mouse_x = x;
  input.mouse_y = y;
  // A window in the background never pulls the pointer back into itself.
  if (input.window_active) ActiveBackend().WarpPointer(x, y);
}

void WantPointer(bool visible) {
  input.pointer_wanted = visible;
  ApplyPointer();
}

void HoldPointer(bool held) { ActiveBackend().HoldPointer(held); }

bool WindowActive() { return input.window_active; }

void FlushMouse() { input.mouse_hits.fill(0); }

int JoyCount() {
  int count = 0;
  for (const auto& pad : input.joypads) count += pad.connected;
  return count;
}

bool JoyConnected(int port) { return Pad(port) != nullptr; }

void FlushJoys() {
  for (auto& pad : input.joypads) pad.hits.fill(0);
}

float JoyX(int port) {
  const JoypadState* pad = Pad(port);
  return pad ? pad->axis_x : 0.0f;
}

float JoyY(int port) {
  const JoypadState* pad = Pad(port);
  return pad ? pad->axis_y : 0.0f;
}

int JoyHit(int button, int port) {
  JoypadState* pad = Pad(port);
  if (!pad || button < 0 || button >= kJoyButtons) return 0;
  const int hits = pad->hits[button];
  pad->hits[button] = 0;
  return hits;
}

bool JoyDown(int button, int port) {
  const JoypadState* pad = Pad(port);
  return pad && button >= 0 && button < kJoyButtons && pad->down[button];
}

const char* JoyButtonName(int button, int port) {
  static constexpr const char* kLetters[] = {"A", "B", "X", "Y"};
  static constexpr const char* kPlayStation[] = {"Cross", "Circle", "Square", "Triangle"};
  if (button < 0 || button > 3) return "?";
  const JoypadState* pad = Pad(port);
  return pad && pad->labels == JoypadLabels::kPlayStation ? kPlayStation[button] : kLetters[button];
}

bool AppTerminate() {
  const bool requested = input.close_requested;
  input.close_requested = false;
  return requested;
}
