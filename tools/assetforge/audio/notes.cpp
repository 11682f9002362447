#include "notes.h"

#include <cmath>
#include <cstdlib>

namespace assetforge::audio {

std::optional<int> parse_note(const std::string& name) {
  static const int letter_steps[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name.size() < 2) return std::nullopt;
  char letter = name[0];
  if (letter >= 'a' && letter <= 'g') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'G') return std::nullopt;
  int step = letter_steps[letter - 'A'];
  size_t i = 1;
  if (name[i] == '#') {
    ++step;
    ++i;
  } else if (name[i] == 'b' && name.size() > 2) {
    --step;
    ++i;
  } else if (name[i] == '-') {
    ++i;  // tracker style "C-4"
  }
  if (i >= name.size()) return std::nullopt;
  bool negative = name[i] == '-';
  if (negative) ++i;
  if (i >= name.size() || name.size() - i > 1 || name[i] < '0' || name[i] > '9') return std::nullopt;
  int octave = (name[i] - '0') * (negative ? -1 : 1);
  return (octave + 1) * 12 + step;
}

double note_frequency(double midi_note) { return 440.0 * std::pow(2.0, (midi_note - 69.0) / 12.0); }

std::string note_name(int midi_note) {
  static const char* names[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
  int octave = midi_note / 12 - 1;
  return std::string(names[((midi_note % 12) + 12) % 12]) + std::to_string(octave);
}

}  // namespace assetforge::audio
