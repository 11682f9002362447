#include "song.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "notes.h"

namespace assetforge::audio {
namespace {

// What the cell reader needs to know about the song so far.
struct SongContext {
  const ConfigFile& file;
  std::vector<std::string>& errors;
  std::map<std::string, int> instruments;  // alias -> 1-based index
  std::map<std::string, bool> drums;       // alias -> played without a note
  std::map<std::string, std::string> riffs;

  void error(int line, const std::string& message) {
    errors.push_back(file.path + ":" + std::to_string(line) + ": " + message);
  }
};

std::optional<int> parse_int(const std::string& text, int base = 10) {
  int value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

// Splits "C#4:lead v40 /A04" style tokens (written without spaces) into head,
// instrument, volume and effect parts.
struct CellParts {
  std::string head, instrument, volume, effect;
};

CellParts split_cell(const std::string& token) {
  CellParts parts;
  std::string rest = token;
  if (size_t slash = rest.find('/'); slash != std::string::npos) {
    parts.effect = rest.substr(slash + 1);
    rest = rest.substr(0, slash);
  }
  // A volume is 'v' followed by digits at the end ('v' never ends a note name).
  for (size_t i = rest.size(); i-- > 0;) {
    if (rest[i] == 'v' && i + 1 < rest.size() &&
        std::all_of(rest.begin() + static_cast<long>(i) + 1, rest.end(), ::isdigit)) {
      parts.volume = rest.substr(i + 1);
      rest = rest.substr(0, i);
      break;
    }
  }
  if (size_t colon = rest.find(':'); colon != std::string::npos) {
    parts.instrument = rest.substr(colon + 1);
    rest = rest.substr(0, colon);
  }
  parts.head = rest;
  return parts;
}

bool parse_head(const std::string& head, int default_instrument, int transpose, SongContext& ctx, Cell& cell) {
  if (head.empty()) return true;
  if (head == "off" || head == "==") {
    cell.note = Cell::kNoteOff;
    return true;
  }
  if (auto it = ctx.instruments.find(head); it != ctx.instruments.end() && ctx.drums[head]) {
    cell.note = 60;  // drums sound as recorded at C4
    cell.instrument = it->second;
    return true;
  }
  auto note = parse_note(head);
  if (!note) return false;
  cell.note = *note + transpose;
  cell.instrument = default_instrument;
  return true;
}

bool parse_effect(const std::string& text, Cell& cell) {
  if (text.empty()) return true;
  if (text.size() != 3) return false;
  auto effect = parse_int(text.substr(0, 1), 16);
  auto param = parse_int(text.substr(1), 16);
  if (!effect || !param) return false;
  cell.effect = *effect;
  cell.param = *param;
  return true;
}

std::optional<Cell> parse_cell(const std::string& token, int default_instrument, int transpose, SongContext& ctx) {
  Cell cell;
  if (token == "." || token == "...") return cell;
  CellParts parts = split_cell(token);
  if (!parse_head(parts.head, default_instrument, transpose, ctx, cell)) return std::nullopt;
  if (!parts.instrument.empty()) {
    auto it = ctx.instruments.find(parts.instrument);
    if (it == ctx.instruments.end()) return std::nullopt;
    cell.instrument = it->second;
  }
  if (!parts.volume.empty()) {
    auto volume = parse_int(parts.volume);
    if (!volume || *volume > 64) return std::nullopt;
    cell.volume = *volume;
  }
  if (!parse_effect(parts.effect, cell)) return std::nullopt;
  return cell;
}

// "@name", "@name+5", "@name-3", each optionally "*N" to repeat.
struct RiffCall {
  std::string name;
  int transpose = 0;
  int times = 1;
};

std::optional<RiffCall> parse_riff_call(const std::string& token) {
  RiffCall call;
  std::string rest = token.substr(1);
  if (size_t star = rest.find('*'); star != std::string::npos) {
    auto times = parse_int(rest.substr(star + 1));
    if (!times || *times < 1) return std::nullopt;
    call.times = *times;
    rest = rest.substr(0, star);
  }
  size_t sign = rest.find_first_of("+-");
  if (sign != std::string::npos) {
    auto amount = parse_int(rest.substr(sign + 1));
    if (!amount) return std::nullopt;
    call.transpose = rest[sign] == '-' ? -*amount : *amount;
    rest = rest.substr(0, sign);
  }
  call.name = rest;
  return call;
}

void expand_cells(const std::string& text, int default_instrument, int transpose, int depth, int line, SongContext& ctx,
                  std::vector<Cell>& out) {
  for (const std::string& token : split_words(text)) {
    if (token == "|") continue;  // bar line, for the reader's eye
    if (token[0] == '@') {
      auto call = parse_riff_call(token);
      auto riff = call ? ctx.riffs.find(call->name) : ctx.riffs.end();
      if (riff == ctx.riffs.end() || depth > 8) {
        ctx.error(line, "unknown riff '" + token + "'");
        continue;
      }
      for (int i = 0; i < call->times; ++i)
        expand_cells(riff->second, default_instrument, transpose + call->transpose, depth + 1, line, ctx, out);
      continue;
    }
    auto cell = parse_cell(token, default_instrument, transpose, ctx);
    if (!cell) {
      ctx.error(line, "cannot read cell '" + token + "'");
      cell = Cell{};
    }
    out.push_back(*cell);
  }
}

void read_instruments(const ConfigSection& section, Module& module, SongContext& ctx) {
  for (const ConfigEntry& e : section.entries) {
    std::vector<std::string> words = split_words(e.value);
    if (words.empty()) {
      ctx.error(e.line, "instrument '" + e.key + "' needs a recipe");
      continue;
    }
    ModuleInstrument instrument;
    instrument.name = e.key;
    instrument.recipe = words[0];
    for (size_t i = 1; i < words.size(); ++i) {
      if (words[i] == "drum") {
        instrument.drum = true;
      } else if (words[i].rfind("volume=", 0) == 0) {
        auto volume = parse_int(words[i].substr(7));
        if (volume && *volume >= 0 && *volume <= 64)
          instrument.volume = *volume;
        else
          ctx.error(e.line, "bad volume '" + words[i] + "'");
      } else {
        ctx.error(e.line, "unknown instrument option '" + words[i] + "'");
      }
    }
    module.instruments.push_back(instrument);
    ctx.instruments[e.key] = static_cast<int>(module.instruments.size());
    ctx.drums[e.key] = instrument.drum;
  }
}

void read_channels(const ConfigSection& section, Module& module, SongContext& ctx) {
  for (const ConfigEntry& e : section.entries) {
    auto it = ctx.instruments.find(e.value);
    if (it == ctx.instruments.end()) ctx.error(e.line, "unknown instrument '" + e.value + "'");
    module.channel_names.push_back(e.key);
    module.channel_instruments.push_back(it == ctx.instruments.end() ? 0 : it->second);
  }
  module.channels = static_cast<int>(module.channel_names.size());
}

void read_pattern(const ConfigSection& section, Module& module, SongContext& ctx) {
  Pattern pattern;
  pattern.name = section.argument;
  if (const ConfigEntry* rows = section.find("rows")) {
    auto n = parse_int(rows->value);
    if (!n || *n < 1 || *n > 256) ctx.error(rows->line, "rows must be 1..256");
    if (n && *n >= 1 && *n <= 256) pattern.rows = *n;
  }
  pattern.cells.assign(static_cast<size_t>(pattern.rows), std::vector<Cell>(static_cast<size_t>(module.channels)));
  for (const ConfigEntry& e : section.entries) {
    if (e.key == "rows") continue;
    auto channel = std::find(module.channel_names.begin(), module.channel_names.end(), e.key);
    if (channel == module.channel_names.end()) {
      ctx.error(e.line, "unknown channel '" + e.key + "'");
      continue;
    }
    size_t c = static_cast<size_t>(channel - module.channel_names.begin());
    std::vector<Cell> cells;
    expand_cells(e.value, module.channel_instruments[c], 0, 0, e.line, ctx, cells);
    if (cells.empty()) continue;
    if (cells.size() > static_cast<size_t>(pattern.rows))
      ctx.error(e.line, "channel '" + e.key + "' has " + std::to_string(cells.size()) + " cells for " +
                            std::to_string(pattern.rows) + " rows");
    // A short line repeats to fill the pattern: a one-bar drum loop fills it.
    for (size_t r = 0; r < static_cast<size_t>(pattern.rows); ++r) pattern.cells[r][c] = cells[r % cells.size()];
  }
  module.patterns.push_back(pattern);
}

void read_header(const ConfigSection& top, Module& module, SongContext& ctx) {
  for (const ConfigEntry& e : top.entries) {
    if (e.key == "title") {
      module.title = e.value;
    } else if (e.key == "speed" || e.key == "tempo" || e.key == "restart") {
      auto n = parse_int(e.value);
      if (!n) ctx.error(e.line, "'" + e.key + "' needs a whole number");
      int& target = e.key == "speed" ? module.speed : e.key == "tempo" ? module.tempo : module.restart;
      if (n) target = *n;
    } else if (e.key != "order") {
      ctx.error(e.line, "unknown key '" + e.key + "'");
    }
  }
}

void read_order(const ConfigSection& top, Module& module, SongContext& ctx) {
  const ConfigEntry* order = top.find("order");
  if (!order) {
    ctx.error(0, "no order");
    return;
  }
  for (const std::string& name : split_words(order->value)) {
    auto it =
        std::find_if(module.patterns.begin(), module.patterns.end(), [&](const Pattern& p) { return p.name == name; });
    if (it == module.patterns.end())
      ctx.error(order->line, "unknown pattern '" + name + "'");
    else
      module.order.push_back(static_cast<int>(it - module.patterns.begin()));
  }
  if (module.restart < 0 || module.restart >= static_cast<int>(std::max<size_t>(1, module.order.size())))
    ctx.error(order->line, "restart is outside the order");
}

}  // namespace

double Module::seconds() const {
  double total = 0.0;
  for (int p : order) total += patterns[static_cast<size_t>(p)].rows * speed * 2.5 / tempo;
  return total;
}

Module parse_song(const ConfigFile& file, std::vector<std::string>& errors) {
  errors.insert(errors.end(), file.errors.begin(), file.errors.end());
  SongContext ctx{file, errors, {}, {}, {}};
  Module module;
  read_header(file.sections[0], module, ctx);
  // Instruments, channels and riffs come first, wherever they stand, since
  // patterns refer to them.
  for (const ConfigSection& s : file.sections) {
    if (s.name == "instruments") read_instruments(s, module, ctx);
    if (s.name == "riffs")
      for (const ConfigEntry& e : s.entries) ctx.riffs[e.key] = e.value;
  }
  for (const ConfigSection& s : file.sections)
    if (s.name == "channels") read_channels(s, module, ctx);
  for (const ConfigSection& s : file.sections) {
    if (s.name == "pattern")
      read_pattern(s, module, ctx);
    else if (!s.name.empty() && s.name != "instruments" && s.name != "riffs" && s.name != "channels")
      ctx.error(s.line, "unknown section [" + s.name + "]");
  }
  read_order(file.sections[0], module, ctx);
  if (module.channels == 0) ctx.error(0, "no channels");
  return module;
}

}  // namespace assetforge::audio
