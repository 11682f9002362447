#include "platform/input_state.h"

void InputState::PressKey(int code) {
  if (code <= 0 || code >= kKeyCount) return;
  if (key_hits[code] < 255) ++key_hits[code];
  key_down[code] = true;
}

void InputState::ReleaseKey(int code) {
  if (code <= 0 || code >= kKeyCount) return;
  key_down[code] = false;
}

void InputState::TypeChar(uint32_t c) {
  if (char_count == kCharQueue) return;  // a full queue drops new characters
  chars[(char_head + char_count) % kCharQueue] = c;
  ++char_count;
}

void InputState::PressMouse(int button) {
  if (button < 1 || button > 3) return;
  mouse_down[button] = true;
  if (mouse_hits[button] < 255) ++mouse_hits[button];
}

void InputState::ReleaseMouse(int button) {
  if (button < 1 || button > 3) return;
  mouse_down[button] = false;
}

void InputState::Reset() { *this = InputState{}; }
