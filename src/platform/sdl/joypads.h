#pragma once
#include <SDL.h>

#include <array>

#include "platform/input_state.h"

// Game controllers through SDL's controller database, so every pad reports the
// same layout. Pads come and go at any time: a plugged pad takes the lowest
// free port, an unplugged one leaves its port disconnected with all its state
// cleared.
//
// Button numbers follow the classic pad layout: A 0, B 1, X 2, Y 3, left
// shoulder 4, right shoulder 5, back 6, start 7, left stick 8, right stick 9,
// left trigger 10, right trigger 11, D-pad up 12, down 13, left 14, right 15.
// The D-pad also steers the axes (full deflection), ahead of the left stick.
class SdlJoypads {
 public:
  SdlJoypads() = default;
  SdlJoypads(const SdlJoypads&) = delete;
  SdlJoypads& operator=(const SdlJoypads&) = delete;
  ~SdlJoypads() { CloseAll(nullptr); }

  // Applies a controller event; returns false for events of other kinds.
  bool HandleEvent(const SDL_Event& event, InputState& input);
  // Closes every pad; their ports read as disconnected when input is given.
  void CloseAll(InputState* input);

 private:
  struct Port {
    SDL_GameController* pad = nullptr;
    SDL_JoystickID id = -1;
    float stick_x = 0, stick_y = 0;
    int dpad_x = 0, dpad_y = 0;
    std::array<bool, 2> trigger{};
  };

  void Add(int device_index, InputState& input);
  void Remove(SDL_JoystickID id, InputState& input);
  int PortOf(SDL_JoystickID id) const;
  void SetButton(InputState& input, int port, int button, bool down);
  void UpdateAxes(InputState& input, int port);

  std::array<Port, kMaxJoypads> ports_{};
};

// The game's button number of a controller button, -1 for buttons it has none for.
int JoyButtonFromController(SDL_GameControllerButton button);
bool PlayStationPad(SDL_GameControllerType type);
// The maker whose layout a pad follows, as the debug log names it: "Xbox",
// "PlayStation", "Nintendo" or "standard".
const char* JoypadLayoutName(SDL_GameControllerType type);
// A raw axis value (-32768..32767) as -1..1 with the rest position's dead zone removed.
float JoyAxisValue(int raw);
