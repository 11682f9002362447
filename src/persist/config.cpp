#include "persist/config.h"

#include <filesystem>

#include "core/version.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/log.h"
#include "platform/stream.h"

namespace {

constexpr uint8_t kDefaultKeys[7] = {37, 39, 38, 40, 163, 32, 13};  // arrows, right Ctrl, space, Enter
constexpr int kOldestLayoutSize = 5;
constexpr int kOldLayoutSize = 12;
constexpr int kDepths[3] = {16, 24, 32};

// Replaces a value the game cannot use by its default, so a damaged file
// never stops the game from starting.
void Repair(uint8_t& field, uint8_t low, uint8_t high, uint8_t fallback, const char* name) {
  if (field >= low && field <= high) return;
  DebugLog("Settings: " + std::string(name) + " " + std::to_string(field) + " is not usable, " +
           std::to_string(fallback) + " is used instead");
  field = fallback;
}

// Keys an action can never be bound to (none, Escape, the game's own) or two
// actions bound to one key make the game unplayable by keyboard: the whole set
// goes back to the default keys, which are known to work together.
void RepairKeys(TConfig& c) {
  for (int i = 0; i < 7; ++i) {
    bool usable = c.key[i] != 0 && c.key[i] != vk::kEscape && !KeyReserved(c.key[i]);
    for (int earlier = 0; earlier < i; ++earlier) usable = usable && c.key[earlier] != c.key[i];
    if (usable) continue;
    DebugLog("Settings: key " + std::to_string(c.key[i]) + " cannot be bound to action " + std::to_string(i + 1) +
             ", the default keys are used instead");
    for (int n = 0; n < 7; ++n) c.key[n] = kDefaultKeys[n];
    return;
  }
}

void RepairLoaded(TConfig& c, bool vres_from_file) {
  Repair(c.vmode, 1, 4, 4, "display mode");
  Repair(c.vscale, 1, 4, 2, "window scale");
  if (vres_from_file) Repair(c.vres, 1, 2, 2, "resolution");
  Repair(c.controls, 1, 3, 2, "controls");
  Repair(c.particles, 0, 3, 1, "particles");
  RepairKeys(c);
}

// Reads one byte into field if the file still has one; a short file leaves
// the field as it was.
bool ReadInto(Stream& in, uint8_t& field) {
  uint8_t v;
  if (!in.ReadBytes(&v, 1)) return false;
  field = v;
  return true;
}

// A read error midway: the settings read so far are not trusted, and the file
// stays as it is.
bool ReadFailed(TConfig& c, const Stream& in, const std::string& path) {
  if (!in.read_error()) return false;
  ReportUnreadableFile("Settings file", path);
  c.SetDefaults();
  return true;
}

void SetBest(TConfig& c, int first, uint8_t vres) {
  for (int depth = 0; depth < 3; ++depth) {
    if (!c.vallow[first + depth]) continue;
    c.vmode = uint8_t(depth + 1);  // the deepest found wins
    c.vres = vres;
  }
}

}  // namespace

bool KeyReserved(int32_t code) { return code == vk::kP || code == vk::kF4 || code == vk::kF5 || code == vk::kF12; }

void TConfig::SetDefaults() {
  sound = 1;
  music = 1;
  vmode = 4;
  vres = 2;
  vscale = 2;
  controls = CONTROLS_MOUSE;
  particles = 1;
  online = 1;
  for (int i = 0; i < 7; ++i) key[i] = kDefaultKeys[i];
}

void TConfig::GetAllowedVideo() {
  for (int depth = 0; depth < 3; ++depth) {
    vallow[depth] = GraphicsModeExists(320, 240, kDepths[depth], 60) ? 1 : 0;
    vallow[3 + depth] = GraphicsModeExists(640, 480, kDepths[depth], 60) ? 1 : 0;
  }
}

void TConfig::SetBest320() { SetBest(*this, 0, 1); }
void TConfig::SetBest640() { SetBest(*this, 3, 2); }

void TConfig::Load(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  auto in = Stream::OpenRead(path);
  if (error || !in) {
    ReportUnreadableFile("Settings file", path);
    SetDefaults();
    return;
  }

  if (size == kOldestLayoutSize) {
    // sound, music, vmode, vscale, controls: everything else is newer.
    ReadInto(*in, sound);
    ReadInto(*in, music);
    ReadInto(*in, vmode);
    ReadInto(*in, vscale);
    ReadInto(*in, controls);
    for (int i = 0; i < 7; ++i) key[i] = kDefaultKeys[i];
    particles = 1;
    online = 1;
    // A window keeps whatever resolution it had; the first switch to full screen sets it.
    if (vmode != 4) vres = 2;
    if (ReadFailed(*this, *in, path)) return;
    in->Close();
    RepairLoaded(*this, vmode != 4);
    return;
  }

  if (size == kOldLayoutSize) {
    uint8_t* fields[6] = {&sound, &music, &vmode, &vres, &vscale, &controls};
    for (uint8_t* field : fields) ReadInto(*in, *field);
    for (int i = 0; i < 6; ++i) ReadInto(*in, key[i]);
    key[key_slot::kUseItem] = 13;
    particles = 1;
    online = 1;
    if (ReadFailed(*this, *in, path)) return;
    in->Close();
    RepairLoaded(*this, true);
    return;
  }

  const std::string version = in->ReadLine(kDataFileVersionMaxBytes);
  if (ReadFailed(*this, *in, path)) return;
  if (version != kDataFileVersion) {
    in->Close();
    DebugLog("Settings: " + path + (in->overlong() ? " is damaged" : " is of another version") + " (\"" + version +
             "\"), it is replaced by defaults");
    DeleteFile(path);
    SetDefaults();
    return;
  }

  // A file cut short keeps the defaults for every field it no longer holds.
  SetDefaults();
  uint8_t* fields[15] = {&sound,  &music,  &vmode,  &vres,   &vscale, &controls, &particles, &online,
                         &key[0], &key[1], &key[2], &key[3], &key[4], &key[5],   &key[6]};
  int read = 0;
  while (read < 15 && ReadInto(*in, *fields[read])) ++read;
  if (ReadFailed(*this, *in, path)) return;
  in->Close();
  if (read < 15) DebugLog("Settings: " + path + " ends early; the missing settings keep their defaults");
  RepairLoaded(*this, true);
}

bool TConfig::Save(const std::string& path) const {
  const bool saved = WriteFileAtomically(path, [this](Stream& out) {
    out.WriteLine(kDataFileVersion);
    const uint8_t settings[8] = {sound, music, vmode, vres, vscale, controls, particles, online};
    out.WriteBytes(settings, sizeof settings);
    out.WriteBytes(key, sizeof key);
  });
  if (!saved) ReportFailedSave("settings", path);
  return saved;
}
