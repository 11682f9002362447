#include "persist/replay.h"

#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <ctime>
#include <iterator>

#include "platform/stream.h"

namespace {

constexpr std::string_view kMagic = "SKITTERWORM REPLAY 1";
constexpr size_t kMaxHeaderBytes = 4096;
constexpr size_t kBytesPerFrame = 5;  // buttons, x step, y step

void PutShort(std::string& out, size_t at, int16_t v) {
  out[at] = char(uint16_t(v) & 0xff);
  out[at + 1] = char(uint16_t(v) >> 8);
}

int16_t GetShort(std::string_view in, size_t at) {
  return int16_t(uint16_t(uint8_t(in[at])) | uint16_t(uint8_t(in[at + 1]) << 8));
}

// The inputs as columns: the buttons of every frame, then every frame's x
// step from the frame before, then the y steps, two bytes each.
std::string Columns(const std::vector<FrameInput>& inputs) {
  const size_t n = inputs.size();
  std::string out(n * kBytesPerFrame, '\0');
  FrameInput last;
  for (size_t i = 0; i < n; ++i) {
    out[i] = char(inputs[i].buttons);
    PutShort(out, n + 2 * i, int16_t(inputs[i].x - last.x));
    PutShort(out, 3 * n + 2 * i, int16_t(inputs[i].y - last.y));
    last = inputs[i];
  }
  return out;
}

std::vector<FrameInput> FromColumns(std::string_view in, size_t n) {
  std::vector<FrameInput> inputs(n);
  FrameInput last;
  for (size_t i = 0; i < n; ++i) {
    inputs[i].buttons = uint8_t(in[i]);
    inputs[i].x = int16_t(last.x + GetShort(in, n + 2 * i));
    inputs[i].y = int16_t(last.y + GetShort(in, 3 * n + 2 * i));
    last = inputs[i];
  }
  return inputs;
}

// A name kept on one line of the header.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

template <typename T>
bool ParseNumber(std::string_view text, T& out) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

bool ReadHeaderLine(ReplayHeader& h, std::string_view key, std::string_view value) {
  int32_t n = 0;
  if (key == "version")
    h.version = value;
  else if (key == "date")
    h.date = value;
  else if (key == "name")
    h.name = value;
  else if (key == "seed")
    return ParseNumber(value, h.seed);
  else if (key == "score")
    return ParseNumber(value, h.score);
  else if (key == "frames")
    return ParseNumber(value, h.frames) && h.frames <= kReplayMaxFrames;
  else if (key == "stage")
    return ParseNumber(value, n) && n >= 0 && n <= 255 && ((h.stage = uint8_t(n)), true);
  else if (key == "wave")
    return ParseNumber(value, n) && n >= 0 && n <= 255 && ((h.wave = uint8_t(n)), true);
  else if (key == "controls")
    return ParseNumber(value, n) && n >= CONTROLS_KEYBOARD && n <= CONTROLS_JOYPAD && ((h.controls = uint8_t(n)), true);
  else if (key == "end") {
    if (value != "gameover" && value != "quit") return false;
    h.over = value == "gameover";
  }
  // Keys of a later version are passed over.
  return true;
}

bool ReadHeader(std::string_view text, ReplayHeader& h, std::string& error) {
  size_t at = 0;
  bool first = true;
  while (at < text.size()) {
    const size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (first) {
      if (line != kMagic) return error = "not a replay of this game", false;
      first = false;
      continue;
    }
    const size_t space = line.find(' ');
    if (space == std::string_view::npos) return error = "damaged header line", false;
    if (!ReadHeaderLine(h, line.substr(0, space), line.substr(space + 1)))
      return error = "damaged header value for " + std::string(line.substr(0, space)), false;
  }
  if (h.controls == 0) return error = "the header names no control method", false;
  return true;
}

}  // namespace

std::string EncodeReplay(const Replay& replay) {
  const ReplayHeader& h = replay.header;
  std::string out(kMagic);
  out += "\nversion " + OneLine(h.version) + "\nseed " + std::to_string(h.seed) + "\ndate " + OneLine(h.date) +
         "\nscore " + std::to_string(h.score) + "\nstage " + std::to_string(h.stage) + "\nwave " +
         std::to_string(h.wave) + "\nframes " + std::to_string(replay.inputs.size()) + "\ncontrols " +
         std::to_string(h.controls) + "\nend " + (h.over ? "gameover" : "quit") + "\n";
  if (!h.name.empty()) out += "name " + OneLine(h.name) + "\n";
  out += "\n";
  const std::string raw = Columns(replay.inputs);
  uLongf packed_size = compressBound(uLong(raw.size()));
  std::string packed(packed_size, '\0');
  compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size, reinterpret_cast<const Bytef*>(raw.data()),
            uLong(raw.size()), Z_BEST_COMPRESSION);
  packed.resize(packed_size);
  return out + packed;
}

bool DecodeReplay(std::string_view bytes, Replay& out, std::string& error) {
  if (bytes.size() > kReplayMaxBytes) return error = "larger than any replay", false;
  const size_t blank = bytes.substr(0, kMaxHeaderBytes).find("\n\n");
  if (blank == std::string_view::npos) return error = "not a replay of this game (no header)", false;
  Replay replay;
  if (!ReadHeader(bytes.substr(0, blank), replay.header, error)) return false;
  const std::string_view packed = bytes.substr(blank + 2);
  const size_t frames = replay.header.frames;
  if (frames == 0) return out = std::move(replay), true;
  std::string raw(frames * kBytesPerFrame, '\0');
  uLongf raw_size = uLongf(raw.size());
  const int z = uncompress(reinterpret_cast<Bytef*>(raw.data()), &raw_size,
                           reinterpret_cast<const Bytef*>(packed.data()), uLong(packed.size()));
  if (z != Z_OK || raw_size != raw.size()) return error = "the recorded input is damaged or cut short", false;
  replay.inputs = FromColumns(raw, frames);
  out = std::move(replay);
  return true;
}

bool SaveReplay(const std::string& path, const Replay& replay) {
  const std::string bytes = EncodeReplay(replay);
  return WriteFileAtomically(path, [&](Stream& s) { s.WriteBytes(bytes.data(), bytes.size()); });
}

bool LoadReplay(const std::string& path, Replay& out, std::string& error) {
  const auto file = Stream::OpenRead(path, &error);
  if (!file) return false;
  std::string bytes(kReplayMaxBytes + 1, '\0');
  bytes.resize(file->ReadSome(bytes.data(), bytes.size()));
  if (file->read_error()) return error = "cannot be read", false;
  return DecodeReplay(bytes, out, error);
}

std::string ReplayDateNow() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}
