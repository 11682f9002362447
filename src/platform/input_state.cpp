#include "platform/input_state.h"

void InputState::PressKey(int code) {
  if (code <= 0 || code >= kKeyCount) return;
  if (key_hits[code] < 255) ++key_hits[code];
  key_down[code] = true;
  key_fresh[code] = polling;
  key_release_due[code] = false;
}

void InputState::ReleaseKey(int code) {
  if (code <= 0 || code >= kKeyCount) return;
  if (key_fresh[code]) {
    key_release_due[code] = true;
  } else {
    key_down[code] = false;
  }
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
  mouse_fresh[button] = polling;
  mouse_release_due[button] = false;
}

void InputState::ReleaseMouse(int button) {
  if (button < 1 || button > 3) return;
  if (mouse_fresh[button]) {
    mouse_release_due[button] = true;
  } else {
    mouse_down[button] = false;
  }
}

void InputState::Reset() { *this = InputState{}; }

void InputState::BeginPoll() {
  for (int code = 0; code < kKeyCount; ++code) {
    if (key_release_due[code]) key_down[code] = false;
    key_release_due[code] = false;
  }
  for (int button = 0; button < int(mouse_down.size()); ++button) {
    if (mouse_release_due[button]) mouse_down[button] = false;
    mouse_release_due[button] = false;
  }
  polling = true;
}

void InputState::EndPoll() {
  key_fresh.fill(false);
  mouse_fresh.fill(false);
  polling = false;
}
