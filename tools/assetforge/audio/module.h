#pragma once
// A piece of tracker music as the forge holds it between the song text and
// the XM or MOD writer: instruments with their synthesized samples, patterns
// of rows of cells, and the order the patterns play in. Notes are MIDI
// numbers (C4 = 60, the note a musician means); each writer maps them to its
// format's note numbers or Amiga periods through the instrument's base note.
#include <string>
#include <vector>

namespace assetforge::audio {

struct Cell {
  static constexpr int kNoNote = -1;
  static constexpr int kNoteOff = -2;
  int note = kNoNote;  // MIDI note, kNoNote or kNoteOff
  int instrument = 0;  // 1-based, 0: none
  int volume = -1;     // 0..64, -1: the instrument's own
  int effect = -1;     // 0x0..0xF in the shared MOD/XM meaning, -1: none
  int param = 0;       // effect parameter byte

  bool empty() const { return note == kNoNote && instrument == 0 && volume < 0 && effect < 0; }
};

struct Pattern {
  std::string name;
  int rows = 64;
  std::vector<std::vector<Cell>> cells;  // [row][channel]
};

struct ModuleInstrument {
  std::string name;
  std::string recipe;          // file name in assets/music/instruments/ without .sfx
  bool drum = false;           // rendered as the recipe says; played at C4
  int volume = 64;             // default volume 0..64
  int base_note = 60;          // the MIDI note the sample sounds at its own rate
  double sample_rate = 22050;  // rate the sample was rendered at
  std::vector<float> sample;   // -1..1
};

struct Module {
  std::string title;
  int channels = 4;
  int speed = 6;    // ticks per row
  int tempo = 125;  // BPM in the tracker sense: 2.5 / tempo seconds per tick
  std::vector<std::string> channel_names;
  std::vector<int> channel_instruments;  // default instrument of each channel, 1-based
  std::vector<ModuleInstrument> instruments;
  std::vector<Pattern> patterns;
  std::vector<int> order;  // pattern indices
  int restart = 0;         // order position the song loops back to

  // Length of one pass through the order, ignoring jumps.
  double seconds() const;
};

}  // namespace assetforge::audio
