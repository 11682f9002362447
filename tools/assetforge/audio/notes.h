#pragma once
// Note names as musicians write them: C4 is middle C (261.63 Hz), A4 is
// 440 Hz. Sharps use '#', flats 'b' (C#4 = Db4). Internally a note is its
// MIDI number (C4 = 60), which makes transposing plain addition.
#include <optional>
#include <string>

namespace assetforge::audio {

std::optional<int> parse_note(const std::string& name);
double note_frequency(double midi_note);
std::string note_name(int midi_note);

}  // namespace assetforge::audio
