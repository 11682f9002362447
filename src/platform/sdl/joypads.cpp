#include "platform/sdl/joypads.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/log.h"

namespace {

// Worn sticks rarely rest at exactly 0; below this they count as centred.
constexpr float kDeadZone = 0.2f;
// A trigger counts as a pressed button beyond half travel.
constexpr int kTriggerThreshold = 16384;
constexpr int kLeftTriggerButton = 10;

}  // namespace

int JoyButtonFromController(SDL_GameControllerButton button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
      return 0;
    case SDL_CONTROLLER_BUTTON_B:
      return 1;
    case SDL_CONTROLLER_BUTTON_X:
      return 2;
    case SDL_CONTROLLER_BUTTON_Y:
      return 3;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
      return 4;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
      return 5;
    case SDL_CONTROLLER_BUTTON_BACK:
      return 6;
    case SDL_CONTROLLER_BUTTON_START:
      return 7;
    case SDL_CONTROLLER_BUTTON_LEFTSTICK:
      return 8;
    case SDL_CONTROLLER_BUTTON_RIGHTSTICK:
      return 9;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return 12;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return 13;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return 14;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return 15;
    default:
      return -1;
  }
}

bool PlayStationPad(SDL_GameControllerType type) {
  return type == SDL_CONTROLLER_TYPE_PS3 || type == SDL_CONTROLLER_TYPE_PS4 || type == SDL_CONTROLLER_TYPE_PS5;
}

const char* JoypadLayoutName(SDL_GameControllerType type) {
  if (PlayStationPad(type)) return "PlayStation";
  switch (type) {
    case SDL_CONTROLLER_TYPE_XBOX360:
    case SDL_CONTROLLER_TYPE_XBOXONE:
      return "Xbox";
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_PRO:
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_LEFT:
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_RIGHT:
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_PAIR:
      return "Nintendo";
    default:
      return "standard";
  }
}

float JoyAxisValue(int raw) {
  const float v = std::clamp(static_cast<float>(raw) / 32767.0f, -1.0f, 1.0f);
  const float magnitude = std::fabs(v);
  if (magnitude < kDeadZone) return 0.0f;
  // Rescaled so the value grows from 0 at the dead zone's edge to 1 at full travel.
  return std::copysign((magnitude - kDeadZone) / (1.0f - kDeadZone), v);
}

bool SdlJoypads::HandleEvent(const SDL_Event& event, InputState& input) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      Add(event.cdevice.which, input);
      return true;
    case SDL_CONTROLLERDEVICEREMOVED:
      Remove(event.cdevice.which, input);
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      const int port = PortOf(event.cbutton.which);
      if (port < 0) return true;
      const auto button = static_cast<SDL_GameControllerButton>(event.cbutton.button);
      const bool down = event.type == SDL_CONTROLLERBUTTONDOWN;
      SetButton(input, port, JoyButtonFromController(button), down);
      Port& p = ports_[port];
      if (button == SDL_CONTROLLER_BUTTON_DPAD_LEFT) p.dpad_x = down ? -1 : (p.dpad_x < 0 ? 0 : p.dpad_x);
      if (button == SDL_CONTROLLER_BUTTON_DPAD_RIGHT) p.dpad_x = down ? 1 : (p.dpad_x > 0 ? 0 : p.dpad_x);
      if (button == SDL_CONTROLLER_BUTTON_DPAD_UP) p.dpad_y = down ? -1 : (p.dpad_y < 0 ? 0 : p.dpad_y);
      if (button == SDL_CONTROLLER_BUTTON_DPAD_DOWN) p.dpad_y = down ? 1 : (p.dpad_y > 0 ? 0 : p.dpad_y);
      UpdateAxes(input, port);
      return true;
    }
    case SDL_CONTROLLERAXISMOTION: {
      const int port = PortOf(event.caxis.which);
      if (port < 0) return true;
      Port& p = ports_[port];
      switch (event.caxis.axis) {
        case SDL_CONTROLLER_AXIS_LEFTX:
          p.stick_x = JoyAxisValue(event.caxis.value);
          break;
        case SDL_CONTROLLER_AXIS_LEFTY:
          p.stick_y = JoyAxisValue(event.caxis.value);
          break;
        case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
        case SDL_CONTROLLER_AXIS_TRIGGERRIGHT: {
          const int which = event.caxis.axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT ? 0 : 1;
          const bool down = event.caxis.value > kTriggerThreshold;
          if (down != p.trigger[which]) SetButton(input, port, kLeftTriggerButton + which, down);
          p.trigger[which] = down;
          break;
        }
        default:
          break;
      }
      UpdateAxes(input, port);
      return true;
    }
    default:
      return false;
  }
}

void SdlJoypads::Add(int device_index, InputState& input) {
  if (!SDL_IsGameController(device_index)) return;
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(device_index);
  if (id >= 0 && PortOf(id) >= 0) return;  // already open (announced twice at start-up)
  const auto free_port = std::find_if(ports_.begin(), ports_.end(), [](const Port& p) { return !p.pad; });
  if (free_port == ports_.end()) {
    DebugLog("Joypad ignored: all " + std::to_string(kMaxJoypads) + " ports are in use");
    return;
  }
  SDL_GameController* pad = SDL_GameControllerOpen(device_index);
  if (!pad) {
    DebugLog(std::string("Joypad could not be opened: ") + SDL_GetError());
    return;
  }
  const int port = static_cast<int>(free_port - ports_.begin());
  *free_port = Port{};
  free_port->pad = pad;
  free_port->id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
  input.joypads[port] = JoypadState{};
  input.joypads[port].connected = true;
  const SDL_GameControllerType type = SDL_GameControllerGetType(pad);
  if (PlayStationPad(type)) input.joypads[port].labels = JoypadLabels::kPlayStation;
  const char* name = SDL_GameControllerName(pad);
  DebugLog("Joypad " + std::to_string(port) + " connected: " + (name ? name : "unnamed") + " (" +
           JoypadLayoutName(type) + " layout)");
}

void SdlJoypads::Remove(SDL_JoystickID id, InputState& input) {
  const int port = PortOf(id);
  if (port < 0) return;
  SDL_GameControllerClose(ports_[port].pad);
  ports_[port] = Port{};
  input.joypads[port] = JoypadState{};
  DebugLog("Joypad " + std::to_string(port) + " disconnected");
}

void SdlJoypads::CloseAll(InputState* input) {
  for (size_t port = 0; port < ports_.size(); ++port) {
    if (ports_[port].pad) SDL_GameControllerClose(ports_[port].pad);
    ports_[port] = Port{};
    if (input) input->joypads[port] = JoypadState{};
  }
}

int SdlJoypads::PortOf(SDL_JoystickID id) const {
  for (size_t port = 0; port < ports_.size(); ++port) {
    if (ports_[port].pad && ports_[port].id == id) return static_cast<int>(port);
  }
  return -1;
}

void SdlJoypads::SetButton(InputState& input, int port, int button, bool down) {
  if (button < 0 || button >= kJoyButtons) return;
  JoypadState& state = input.joypads[port];
  if (down && !state.down[button] && state.hits[button] < 255) ++state.hits[button];
  state.down[button] = down;
}

void SdlJoypads::UpdateAxes(InputState& input, int port) {
  const Port& p = ports_[port];
  JoypadState& state = input.joypads[port];
  state.axis_x = p.dpad_x != 0 ? static_cast<float>(p.dpad_x) : p.stick_x;
  state.axis_y = p.dpad_y != 0 ? static_cast<float>(p.dpad_y) : p.stick_y;
}
