#include "persist/replay.h"

#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <ctime>
#include <iterator>

#include "core/version.h"
#include "platform/stream.h"

namespace {

constexpr std::string_view kMagic = "SKITTERWORM REPLAY 1";
constexpr size_t kMaxHeaderBytes = 4096;
constexpr size_t kBytesPerFrame = 5;  // buttons, x step, y step
constexpr size_t kBytesPerCheck = 4;

size_t CheckCount(int rules, size_t frames) { return rules >= 2 ? frames / kReplayCheckFrames : 0; }

void PutShort(std::string& out, size_t at, int16_t v) {
  out[at] = char(uint16_t(v) & 0xff);
  out[at + 1] = char(uint16_t(v) >> 8);
}

int16_t GetShort(std::string_view in, size_t at) {
  return int16_t(uint16_t(uint8_t(in[at])) | uint16_t(uint8_t(in[at + 1]) << 8));
}

// The inputs as columns: the buttons of every frame, then every frame's x
// step from the frame before, then the y steps, two bytes each.
std::string Columns(const std::vector<FrameInput>& inputs, const std::vector<uint32_t>& checks) {
  const size_t n = inputs.size();
  std::string out(n * kBytesPerFrame + checks.size() * kBytesPerCheck, '\0');
  FrameInput last;
  for (size_t i = 0; i < n; ++i) {
    out[i] = char(inputs[i].buttons);
    PutShort(out, n + 2 * i, int16_t(inputs[i].x - last.x));
    PutShort(out, 3 * n + 2 * i, int16_t(inputs[i].y - last.y));
    last = inputs[i];
  }
  for (size_t i = 0; i < checks.size(); ++i)
    for (size_t b = 0; b < kBytesPerCheck; ++b)
      out[n * kBytesPerFrame + i * kBytesPerCheck + b] = char(checks[i] >> (8 * b));
  return out;
}

std::vector<uint32_t> ChecksFrom(std::string_view in, size_t count) {
  std::vector<uint32_t> checks(count);
  for (size_t i = 0; i < count; ++i)
    for (size_t b = 0; b < kBytesPerCheck; ++b) checks[i] |= uint32_t(uint8_t(in[i * kBytesPerCheck + b])) << (8 * b);
  return checks;
}

// The whole zlib stream, which must fill `raw` exactly and end the file.
bool Inflate(std::string_view packed, std::string& raw, std::string& error) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return error = "out of memory", false;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  z.avail_in = uInt(packed.size());
  z.next_out = reinterpret_cast<Bytef*>(raw.data());
  z.avail_out = uInt(raw.size());
  const int result = inflate(&z, Z_FINISH);
  const bool whole = result == Z_STREAM_END && z.avail_out == 0;
  const bool trailing = z.avail_in != 0;
  inflateEnd(&z);
  if (!whole) return error = "the recorded input is damaged or cut short", false;
  if (trailing) return error = "bytes follow the recorded input", false;
  return true;
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
  else if (key == "rules")
    return ParseNumber(value, h.rules) && h.rules >= 1;
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
  out += "\nversion " + OneLine(h.version) + "\nrules " + std::to_string(h.rules) + "\nseed " + std::to_string(h.seed) +
         "\ndate " + OneLine(h.date) + "\nscore " + std::to_string(h.score) + "\nstage " + std::to_string(h.stage) +
         "\nwave " + std::to_string(h.wave) + "\nframes " + std::to_string(replay.inputs.size()) + "\ncontrols " +
         std::to_string(h.controls) + "\nend " + (h.over ? "gameover" : "quit") + "\n";
  if (!h.name.empty()) out += "name " + OneLine(h.name) + "\n";
  out += "\n";
  // The reader takes one check per second of input; a replay made by hand
  // with fewer gets zeros, which then fail to verify rather than to read.
  std::vector<uint32_t> checks = replay.checks;
  checks.resize(CheckCount(h.rules, replay.inputs.size()));
  const std::string raw = Columns(replay.inputs, checks);
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
  const size_t frames = replay.header.frames, checks = CheckCount(replay.header.rules, frames);
  std::string raw(frames * kBytesPerFrame + checks * kBytesPerCheck, '\0');
  if (!Inflate(packed, raw, error)) return false;
  replay.inputs = FromColumns(raw, frames);
  replay.checks = ChecksFrom(std::string_view(raw).substr(frames * kBytesPerFrame), checks);
  out = std::move(replay);
  return true;
}

bool SameRules(const ReplayHeader& header, std::string& error) {
  if (header.rules == kRulesVersion) return true;
  error = "a game of rules version " + std::to_string(header.rules) + "; this program plays rules version " +
          std::to_string(kRulesVersion);
  return false;
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

Replay ReplayOf(const GameRecord& record) {
  Replay replay;
  ReplayHeader& h = replay.header;
  h.version = kGameVersion;
  h.rules = kRulesVersion;
  h.seed = record.setup.seed;
  h.controls = record.setup.controls;
  h.score = record.result.score;
  h.stage = record.result.stage;
  h.wave = record.result.wave;
  h.frames = record.result.frames;
  h.over = record.result.over;
  replay.inputs = record.inputs;
  replay.checks = record.checks;
  return replay;
}
