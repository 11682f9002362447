#pragma once
#include <SDL.h>

#include <array>
#include <cstddef>

// A joypad made by SDL itself, so that tests can play with a pad on a machine
// that has none (and no /dev/uinput to fake one in the kernel). The variable
// SKITTERWORM_VIRTUAL_PAD names a file of commands, one a line; each poll of
// the game's events carries out the next one (lines appended later are read as
// they come), so a test can write a whole sequence at once and every step
// lands in a frame of its own. The pad's events then take the same way as a
// real pad's: SDL's controller mapping, SdlJoypads, the game.
//
//   plug [xbox|playstation|switch]  a pad laid out as that maker's (xbox if none)
//   unplug
//   press NAME, release NAME        a button by SDL's controller name (a, b, start, dpup...)
//   axis NAME VALUE                 leftx, lefty, lefttrigger... from -32768 to 32767
//   wait N                          N polls with no change
//
// A plugged pad reports raw buttons numbered as the real pad does on Linux,
// and SDL is given the mapping its own controller database holds for that
// pad, so the buttons reach the game the way a real pad's would.
class VirtualPad {
 public:
  VirtualPad() = default;
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;
  ~VirtualPad();

  // Opens the command file if the variable names one (once SDL's pads are up).
  void Start();
  // Carries out the next command, if one is due; before each poll of SDL's events.
  void Step();
  // Unplugs the pad and closes the file (before SDL's pads shut down).
  void Stop();

 private:
  bool NextLine(char* line, size_t size);
  void Run(const char* line);
  void Plug(const char* model_name);
  void Unplug();
  // False for a name SDL does not know.
  bool SetButton(const char* name, bool down);
  bool SetAxis(const char* name, int value);
  // Puts a value on whatever raw input the mapping binds a button or an axis to.
  void Apply(const SDL_GameControllerButtonBind& bind, int value);

  int fd_ = -1;
  std::array<char, 4096> pending_{};
  size_t pending_size_ = 0;
  int waiting_ = 0;
  SDL_Joystick* joystick_ = nullptr;
  SDL_GameController* controller_ = nullptr;
  Uint8 hat_ = SDL_HAT_CENTERED;
};
