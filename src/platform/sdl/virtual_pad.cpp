#include "platform/sdl/virtual_pad.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/log.h"

namespace {

// A real pad to stand in for: its USB ids, the GUID under which SDL's
// controller database lists it on Linux, and how many raw buttons, axes and
// hats its driver reports.
struct PadModel {
  const char* name;
  const char* product_name;
  Uint16 vendor, product;
  const char* database_guid;
  int buttons, axes, hats;
};

constexpr PadModel kModels[] = {
    {"xbox", "Virtual Xbox 360 pad", 0x045e, 0x028e, "030000005e0400008e02000014010000", 11, 6, 1},
    {"playstation", "Virtual DualShock 4", 0x054c, 0x09cc, "030000004c050000cc09000011010000", 13, 6, 1},
    {"switch", "Virtual Switch Pro pad", 0x057e, 0x2009, "030000007e0500000920000011810000", 14, 4, 1},
};

// Beyond this a raw button or trigger counts as pressed.
constexpr int kHalfTravel = 16384;

const PadModel* FindModel(const char* name) {
  if (name[0] == '\0') return &kModels[0];
  for (const PadModel& model : kModels)
    if (std::strcmp(model.name, name) == 0) return &model;
  return nullptr;
}

// The GUID SDL gives a virtual joystick of that model: bus 0xFF, the USB ids,
// 'v' for the virtual driver, type 0 (a plain joystick, so that the mapping
// decides). The name's checksum is left out, as in every database entry.
std::string VirtualGuid(const PadModel& model) {
  char guid[33];
  std::snprintf(guid, sizeof guid, "ff000000%02x%02x0000%02x%02x000000007600", model.vendor & 0xff, model.vendor >> 8,
                model.product & 0xff, model.product >> 8);
  return guid;
}

// The mapping of SDL's database for the real pad, filed under the virtual
// pad's GUID; false when this SDL's database does not know the pad.
bool AddDatabaseMapping(const PadModel& model) {
  char* entry = SDL_GameControllerMappingForGUID(SDL_JoystickGetGUIDFromString(model.database_guid));
  if (!entry) return false;
  // "guid,name,mapping...": the mapping follows the second comma.
  const char* first_comma = std::strchr(entry, ',');
  const char* mapping = first_comma ? std::strchr(first_comma + 1, ',') : nullptr;
  const std::string line = VirtualGuid(model) + "," + model.product_name + (mapping ? mapping : "");
  const bool added = mapping && SDL_GameControllerAddMapping(line.c_str()) >= 0;
  SDL_free(entry);
  return added;
}

}  // namespace

VirtualPad::~VirtualPad() { Stop(); }

void VirtualPad::Stop() {
  Unplug();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void VirtualPad::Start() {
  const char* path = std::getenv("SKITTERWORM_VIRTUAL_PAD");
  if (!path || fd_ >= 0) return;
  fd_ = ::open(path, O_RDONLY | O_CLOEXEC);
  DebugLog(fd_ >= 0 ? std::string("A virtual joypad follows the commands in ") + path
                    : std::string("The virtual joypad's commands cannot be read from ") + path);
}

void VirtualPad::Step() {
  if (fd_ < 0) return;
  if (waiting_ > 0) {
    --waiting_;
    return;
  }
  char line[256];
  if (NextLine(line, sizeof line)) Run(line);
}

bool VirtualPad::NextLine(char* line, size_t size) {
  if (pending_size_ < pending_.size()) {
    const ssize_t n = ::read(fd_, pending_.data() + pending_size_, pending_.size() - pending_size_);
    if (n > 0) pending_size_ += size_t(n);
  }
  char* end = static_cast<char*>(std::memchr(pending_.data(), '\n', pending_size_));
  if (!end) {
    if (pending_size_ == pending_.size()) pending_size_ = 0;  // a line too long to be a command
    return false;
  }
  const size_t length = size_t(end - pending_.data());
  const size_t kept = std::min(length, size - 1);
  std::memcpy(line, pending_.data(), kept);
  line[kept] = '\0';
  pending_size_ -= length + 1;
  std::memmove(pending_.data(), end + 1, pending_size_);
  return true;
}

void VirtualPad::Run(const char* line) {
  char verb[16] = "", name[32] = "";
  int value = 0;
  const int fields = std::sscanf(line, "%15s %31s %d", verb, name, &value);
  if (fields <= 0) return;  // an empty line
  DebugLog(std::string("Virtual joypad: ") + line);
  const std::string command = verb;
  if (command == "plug") {
    Plug(name);
  } else if (command == "unplug") {
    Unplug();
  } else if ((command == "press" || command == "release") && fields >= 2) {
    if (!SetButton(name, command == "press")) DebugLog(std::string("Virtual joypad: no button ") + name);
  } else if (command == "axis" && fields == 3) {
    if (!SetAxis(name, value)) DebugLog(std::string("Virtual joypad: no axis ") + name);
  } else if (command == "wait" && fields >= 2) {
    waiting_ = std::max(0, std::atoi(name) - 1);
  } else {
    DebugLog(std::string("Virtual joypad: no such command: ") + line);
  }
}

void VirtualPad::Plug(const char* model_name) {
  const PadModel* model = FindModel(model_name);
  if (joystick_ || !model) {
    DebugLog(joystick_ ? "Virtual joypad: already plugged in" : "Virtual joypad: no such pad");
    return;
  }
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.vendor_id = model->vendor;
  desc.product_id = model->product;
  desc.name = model->product_name;
  if (AddDatabaseMapping(*model)) {
    desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
    desc.nbuttons = Uint16(model->buttons);
    desc.naxes = Uint16(model->axes);
    desc.nhats = Uint16(model->hats);
  } else {
    // Without the database's entry SDL lays a controller out by itself.
    DebugLog("Virtual joypad: SDL's controller database lacks the pad; SDL's own layout stands in");
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  }
  const int device = SDL_JoystickAttachVirtualEx(&desc);
  controller_ = device >= 0 ? SDL_GameControllerOpen(device) : nullptr;
  if (!controller_) {
    DebugLog(std::string("Virtual joypad: SDL refused it: ") + SDL_GetError());
    if (device >= 0) SDL_JoystickDetachVirtual(device);
    return;
  }
  joystick_ = SDL_GameControllerGetJoystick(controller_);
  hat_ = SDL_HAT_CENTERED;
  // A raw trigger axis rests at its lowest value, not in the middle.
  SetAxis("lefttrigger", SDL_JOYSTICK_AXIS_MIN);
  SetAxis("righttrigger", SDL_JOYSTICK_AXIS_MIN);
}

void VirtualPad::Unplug() {
  if (!joystick_) return;
  const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
  SDL_GameControllerClose(controller_);
  controller_ = nullptr;
  joystick_ = nullptr;
  for (int device = 0; device < SDL_NumJoysticks(); ++device)
    if (SDL_JoystickGetDeviceInstanceID(device) == id) SDL_JoystickDetachVirtual(device);
}

bool VirtualPad::SetButton(const char* name, bool down) {
  const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(name);
  if (button == SDL_CONTROLLER_BUTTON_INVALID) return false;
  if (controller_) Apply(SDL_GameControllerGetBindForButton(controller_, button), down ? SDL_JOYSTICK_AXIS_MAX : 0);
  return true;
}

bool VirtualPad::SetAxis(const char* name, int value) {
  const SDL_GameControllerAxis axis = SDL_GameControllerGetAxisFromString(name);
  if (axis == SDL_CONTROLLER_AXIS_INVALID) return false;
  if (controller_) Apply(SDL_GameControllerGetBindForAxis(controller_, axis), value);
  return true;
}

void VirtualPad::Apply(const SDL_GameControllerButtonBind& bind, int value) {
  switch (bind.bindType) {
    case SDL_CONTROLLER_BINDTYPE_BUTTON:
      SDL_JoystickSetVirtualButton(joystick_, bind.value.button, value > kHalfTravel ? 1 : 0);
      break;
    case SDL_CONTROLLER_BINDTYPE_AXIS:
      SDL_JoystickSetVirtualAxis(joystick_, bind.value.axis, Sint16(std::clamp(value, -32768, 32767)));
      break;
    case SDL_CONTROLLER_BINDTYPE_HAT:
      hat_ = Uint8(value > kHalfTravel ? hat_ | bind.value.hat.hat_mask : hat_ & ~bind.value.hat.hat_mask);
      SDL_JoystickSetVirtualHat(joystick_, bind.value.hat.hat, hat_);
      break;
    default:
      break;
  }
}
